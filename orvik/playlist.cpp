#include "orvik/playlist.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include "orvik/linereader.h"
#include "orvik/regularfile.h"
#include "orvik/text.h"

namespace orvik {
namespace {

const QString kDash = QStringLiteral(" - ");

// Where the extension starts: a dot followed by one to five letters or digits at the end of the
// name, not at its start. "Track01", "live" and ".hidden" have none and stay whole.
qsizetype ExtensionStart(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const qsizetype length = fileName.size() - dot - 1;
    if (dot < 1 || length < 1 || length > 5) return fileName.size();
    for (qsizetype i = dot + 1; i < fileName.size(); ++i)
        if (!fileName[i].isLetterOrNumber()) return fileName.size();
    return dot;
}

void SetPath(PlaylistEntry& entry, const QString& line, const QString& playlistPath,
             PathStyle style) {
    const SplitPath split = SplitEntryPath(line, playlistPath, style);
    const qsizetype cut =
        split.kind == EntryKind::Url ? split.fileName.size() : ExtensionStart(split.fileName);
    entry.folder = split.folder;
    entry.name = split.fileName.left(cut);
    entry.extension = split.fileName.mid(cut);
    entry.line = line;
    entry.kind = split.kind;
}

// The text after a descriptive line's comma, or after a PLS "Title=": "artist - title".
// `p` is the 1-based position just before the description (the comma), 0 when there is none.
void ReadDescription(const QString& line, qsizetype p, PlaylistEntry& entry) {
    const qsizetype d = InStr(p + 2, line, kDash);
    if (p >= 1) entry.description = Mid(line, p + 1);
    if (p >= 1 && p + 1 < d) entry.artist = Mid(line, p + 1, d - p - 1);
    if (d >= 1 && d + 2 < line.size()) entry.title = Mid(line, d + 3);
}

void ReadExtInf(const QString& line, PlaylistEntry& entry) {
    const qsizetype p = InStr(8, line, QStringLiteral(","));
    if (p >= 1) entry.length = WholeNumber(Mid(line, 9, p - 9));
    ReadDescription(line, p, entry);
}

// PLS keys are "File", "Title" and "Length" with the entry's number ("File12="), in any letter
// case and in any order: players group them by entry or by kind.
struct PlsKey {
    enum Kind { None, File, Title, Length } kind = None;
    QString number;
    qsizetype equals = 0;  // 1-based position of the "=", 0 when there is none
};

PlsKey ReadPlsKey(const QString& line) {
    static const std::pair<QString, PlsKey::Kind> kKeys[] = {
        {QStringLiteral("file"), PlsKey::File},
        {QStringLiteral("title"), PlsKey::Title},
        {QStringLiteral("length"), PlsKey::Length}};
    for (const auto& [word, kind] : kKeys) {
        if (!line.startsWith(word, Qt::CaseInsensitive)) continue;
        const qsizetype equals = InStr(word.size(), line, QStringLiteral("="));
        const qsizetype numberEnd = equals >= 1 ? equals - 1 : line.size();
        QString number = TrimBlanks(Mid(line, word.size() + 1, numberEnd - word.size()));
        bool isNumber = false;
        const qlonglong value = number.toLongLong(&isNumber);
        if (isNumber) number = QString::number(value);  // "File01" and "Title1" go together
        return {kind, number, equals};
    }
    return {};
}

class Parser {
  public:
    Parser(const QString& playlistPath, PathStyle style) : m_path(playlistPath), m_style(style) {}

    bool start(const QString& firstLine) {
        // Players and IPTV lists put attributes after the mark: "#EXTM3U x-tvg-url=...".
        if (firstLine.startsWith(u"#EXTM3U")) m_format = Format::M3u;
        if (firstLine.toLower() == u"[playlist]") m_format = Format::Pls;
        return m_format != Format::None;
    }

    void add(const QString& line) {
        if (line.isEmpty()) return;
        if (m_format == Format::M3u) addM3u(line);
        if (m_format == Format::Pls) addPls(line);
    }

    QList<PlaylistEntry> finish() { return std::move(m_entries); }

  private:
    void addM3u(const QString& line) {
        if (line.startsWith(u"#EXTINF:")) {
            ReadExtInf(line, m_next);
        } else if (!line.startsWith(u'#')) {
            // Every other "#" line (#PLAYLIST:, #EXTGRP:, a comment) describes no file.
            SetPath(m_next, line, m_path, m_style);
            m_entries.append(std::exchange(m_next, PlaylistEntry{}));
        }
    }

    void addPls(const QString& line) {
        const PlsKey key = ReadPlsKey(line);
        if (key.kind == PlsKey::File) {
            PlaylistEntry entry = m_early.take(key.number);
            SetPath(entry, Mid(line, key.equals + 1), m_path, m_style);
            m_fileOf[key.number] = m_entries.size();
            m_entries.append(entry);
        } else if (key.kind != PlsKey::None) {
            // A title or length before its file waits for it.
            const auto file = m_fileOf.constFind(key.number);
            PlaylistEntry& entry = file != m_fileOf.cend() ? m_entries[*file] : m_early[key.number];
            if (key.kind == PlsKey::Title) ReadDescription(line, key.equals, entry);
            if (key.kind == PlsKey::Length) entry.length = WholeNumber(Mid(line, key.equals + 1));
        }
    }

    enum class Format { None, M3u, Pls };
    QString m_path;
    PathStyle m_style;
    Format m_format = Format::None;
    QList<PlaylistEntry> m_entries;
    PlaylistEntry m_next;                   // M3U: the description waiting for its path line
    QHash<QString, qsizetype> m_fileOf;     // PLS: number -> index of its entry
    QHash<QString, PlaylistEntry> m_early;  // PLS: title or length read before its file
};

// No header is longer; a file whose first line runs on is read no further.
constexpr qsizetype kLongestHeader = 64;

}  // namespace

QList<PlaylistEntry> ParsePlaylist(const QStringList& lines, const QString& playlistPath,
                                   PathStyle style) {
    Parser parser(playlistPath, style);
    if (lines.isEmpty() || !parser.start(lines.first())) return {};
    for (qsizetype i = 1; i < lines.size(); ++i) parser.add(lines[i]);
    return parser.finish();
}

QList<PlaylistEntry> ReadPlaylistText(QIODevice& device, const QString& playlistPath,
                                      PathStyle style) {
    LineReader reader(device);
    Parser parser(playlistPath, style);
    const std::optional<QString> first = reader.next(kLongestHeader);
    if (!first || !parser.start(*first)) return {};
    while (const std::optional<QString> line = reader.next()) parser.add(*line);
    return parser.finish();
}

PlaylistRead ReadPlaylist(const QString& path, PathStyle style) {
    QFile file;
    if (const QString error = OpenRegularFile(file, path); !error.isEmpty()) return {{}, error};
    const QString fullPath = style == PathStyle::Posix ? QFileInfo(path).absoluteFilePath() : path;
    return {ReadPlaylistText(file, fullPath, style), {}};
}

}  // namespace orvik
