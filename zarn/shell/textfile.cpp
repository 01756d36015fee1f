#include "zarn/shell/textfile.h"

#include "zarn/shell/fileops.h"

#include <QFile>
#include <QStringDecoder>

#include "zarn/shell/cp1252.h"
#include "zarn/shell/regularfile.h"

namespace {

QString Decoded(QStringConverter::Encoding encoding, QByteArrayView body) {
    // The mark is taken off before; a second one is a character of the text.
    QStringDecoder decoder(
        encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder(body);
}

}  // namespace

QString DecodeText(const QByteArray& bytes) {
    // A byte order mark decides. Windows editors save "Unicode" texts as UTF-16 with one;
    // read as Windows-1252 they would give a NUL between every two letters.
    if (bytes.startsWith("\xFF\xFE")) return Decoded(QStringConverter::Utf16LE, bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF")) return Decoded(QStringConverter::Utf16BE, bytes.mid(2));
    if (bytes.startsWith("\xEF\xBB\xBF")) return Decoded(QStringConverter::Utf8, bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8(bytes);
    return utf8.hasError() ? FromCp1252(bytes) : text;
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
