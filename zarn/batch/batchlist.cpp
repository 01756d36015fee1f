#include "zarn/batch/batchlist.h"

#include <QFile>
#include <QTextStream>

#include "zarn/batch/batchreport.h"
#include "zarn/names/fixfilename.h"
#include "zarn/shell/options.h"
#include "zarn/shell/progress.h"
#include "zarn/tags/filetags.h"

namespace {

constexpr const char* kKeys[] = {"path", "track", "artist",  "album", "title",
                                 "year", "genre", "comment", "tags"};

QString JsonString(const QString& value) {
    QString out = QStringLiteral("\"");
    for (const QChar ch : value) {
        const char16_t c = ch.unicode();
        if (c == u'"' || c == u'\\')
            out += u'\\', out += ch;
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c < 0x20)
            out += QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0'));
        else
            out += ch;
    }
    return out + u'"';
}

QString Line(const QStringList& values, const QStringList& tags, ListFormat format) {
    if (format == ListFormat::Tsv) {
        // One text grown in place: a listing of thousands of files builds one line each.
        QString line;
        line.reserve(256);
        for (const QString& value : values) {
            line += TsvField(value);
            line += u'\t';
        }
        line += tags.isEmpty() ? QStringLiteral("none") : tags.join(u',');
        return line;
    }
    QString line = QStringLiteral("{");
    for (int i = 0; i < values.size(); ++i)
        line += JsonString(QString::fromLatin1(kKeys[i])) + u':' + JsonString(values[i]) + u',';
    QStringList quoted;
    for (const QString& tag : tags) quoted << JsonString(tag);
    return line + QStringLiteral("\"tags\":[") + quoted.join(u',') + QStringLiteral("]}");
}

// Why a file could not be read (asked only after the read failed).
QString UnreadableReason(const QString& path) {
    QFile file(path);
    if (!file.exists()) return QStringLiteral("the file is gone");
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    return QStringLiteral("the file could not be read");
}

}  // namespace

ListedFile ListFile(const QString& path, ListFormat format, const Options& options) {
    const FileTags read = ReadFileTags(path);
    if (!read.opened) return {false, UnreadableReason(path)};
    QStringList tags;
    if (read.v1.hasTag()) tags << QStringLiteral("ID3v1");
    if (read.v2.hasTag()) tags << QStringLiteral("ID3v2");
    const TagFields f = ReadTagFields(read, options).fields;
    const QStringList values = {ShownPath(path), f.track, f.artist, f.album,
                                f.title,         f.year,  f.genre,  f.comment};
    return {true, Line(values, tags, format)};
}

void ListFiles(const QStringList& files, ListFormat format, const Options& options,
               BatchReport& report) {
    EachPathWithProgress(files, report.progress(), [&](const QString& path) {
        const ListedFile listed = ListFile(path, format, options);
        if (listed.read)
            report.out() << listed.line << '\n';
        else
            report.fail(path, listed.line);
    });
}
