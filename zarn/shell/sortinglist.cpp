#include "zarn/shell/sortinglist.h"

#include "zarn/shell/fileops.h"

#include <QFile>
#include <QUrl>
#include <optional>

#include "zarn/shell/listentry.h"
#include "zarn/shell/regularfile.h"
#include "zarn/shell/text.h"
#include "zarn/shell/textfile.h"

namespace {

// No file name holds a control character; such lines come from binary files read by mistake
// and would only make rows that no later step can use.
bool HoldsControlCharacter(const QString& line) {
    for (QChar ch : line)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F) return true;
    return false;
}

QString PlsValue(const QString& line) {
    const QString text = TrimBlanks(line);
    if (!text.toUpper().startsWith(QStringLiteral("FILE"))) return {};
    const int equals = InStr(4, text, QStringLiteral("="));
    return equals > 0 ? Mid(text, equals + 1) : QString();
}

}  // namespace

ListKind ListKindOf(const QString& path) {
    const QString ending = path.right(4).toLower();
    if (ending == QStringLiteral(".srt")) return ListKind::Srt;
    if (ending == QStringLiteral(".m3u")) return ListKind::M3u;
    if (ending == QStringLiteral(".pls")) return ListKind::Pls;
    return ListKind::Unsupported;
}

QString PlaylistLinePath(const QString& line, const QString& playlistPath, QChar separator) {
    if (separator == u'\\') {
        if (line.contains(QStringLiteral("\\\\")) || line.contains(QStringLiteral(":\\")))
            return line;
        return playlistPath.left(2) + line;  // the playlist's drive, such as "C:"
    }
    if (line.startsWith(QStringLiteral("file://")))
        return QDir::toNativeSeparators(QUrl(line).toLocalFile());
    if (line.startsWith(separator)) return line;
    const QString folder = playlistPath.left(playlistPath.lastIndexOf(separator) + 1);
    return QDir::toNativeSeparators(QDir::cleanPath(folder + line));
}

namespace {

// A row for the list, or nothing for a line that names no usable file: a control character
// (checked after a file:// URL is decoded, since "%0A" decodes to a line break) or a folder,
// pipe or device. A path that does not exist is kept; the user removes such rows later.
std::optional<QString> RowOfPath(const QString& path, QChar separator) {
    if (HoldsControlCharacter(path) || IsNonRegularFile(path)) return std::nullopt;
    return EntryFromPath(path, separator);
}

}  // namespace

QStringList ReadListRows(const QString& path, ListKind kind, QChar separator) {
    QStringList rows;
    const auto addPath = [&](const QString& line) {
        if (auto row = RowOfPath(PlaylistLinePath(line, path, separator), separator))
            rows.append(*row);
    };
    for (const QString& line : ReadTextLines(path)) {
        if (TrimBlanks(line).isEmpty() || HoldsControlCharacter(line)) continue;
        switch (kind) {
            case ListKind::Srt:
                if (!IsNonRegularFile(PathFromEntry(line))) rows.append(line);
                break;
            case ListKind::M3u:
                if (!TrimLeftBlanks(line).startsWith(u'#')) addPath(line);
                break;
            case ListKind::Pls:
                if (const QString value = PlsValue(line); !TrimBlanks(value).isEmpty())
                    addPath(value);
                break;
            case ListKind::Unsupported:
                return {};
        }
    }
    return rows;
}

FileError WriteListRows(const QString& path, const QStringList& rowTexts, SaveFormat format) {
    QByteArray bytes;
    for (const QString& row : rowTexts) {
        bytes += (format == SaveFormat::M3u ? PathFromEntry(row) : row).toUtf8();
        bytes += "\r\n";
    }
    // A first name that begins with U+FEFF would be read back as a byte-order mark and lose it;
    // a real mark in front keeps it.
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.prepend("\xEF\xBB\xBF");
    // Written beside the old file and swapped in, so a failed save keeps the old list.
    return WriteWholeFile(path, bytes);
}
