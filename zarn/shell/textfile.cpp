#include "zarn/shell/textfile.h"

#include "zarn/shell/fileops.h"

#include <QFile>
#include <QStringDecoder>

#include "zarn/shell/cp1252.h"
#include "zarn/shell/regularfile.h"

QString DecodeText(const QByteArray& bytes) {
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    // The mark was taken off above; a second one is a character of the text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8(body);
    return utf8.hasError() ? FromCp1252(body) : text;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.append(text.mid(start));
    return lines;
}

QStringList ReadTextLines(const QString& path, bool createWhenMissing) {
    QFile file(path);
    if (!file.exists()) {
        if (createWhenMissing && file.open(QIODevice::Append)) file.close();
        return {};
    }
    if (!OpenRegularFile(file, QIODevice::ReadOnly)) return {};
    return SplitLines(DecodeText(file.readAll()));
}

bool WriteTextLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
    return !WriteWholeFile(path, bytes).failed();
}
