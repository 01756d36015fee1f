#include "orvik/playlist.h"

#include <QFile>
#include <QFileInfo>

#include "orvik/text.h"

namespace orvik {
namespace {

const QString kDash = QStringLiteral(" - ");

struct Builder {
    QString playlistPath;
    PathStyle style;
    QList<PlaylistEntry> entries;
    PlaylistEntry current;
    bool hasFile = false;

    void setPath(const QString& line) {
        const SplitPath split = SplitEntryPath(line, playlistPath, style);
        current.folder = split.folder;
        // Names shorter than four characters have no extension to drop; they stay whole.
        const qsizetype cut =
            split.fileName.size() >= 4 ? split.fileName.size() - 4 : split.fileName.size();
        current.name = split.fileName.left(cut);
        current.extension = split.fileName.mid(cut);
        hasFile = true;
    }
    void finish() {
        if (hasFile) entries.append(current);
        current = PlaylistEntry{};
        hasFile = false;
    }
};

// The text after a descriptive line's comma, or after a PLS "Title=": "artist - title".
// `p` is the 1-based position just before the description (the comma), 0 when there is none.
void ReadDescription(const QString& line, qsizetype p, PlaylistEntry& entry) {
    const qsizetype d = InStr(p + 2, line, kDash);
    if (p >= 1 && p + 1 < d) entry.artist = Mid(line, p + 1, d - p - 1);
    if (d >= 1 && d + 2 < line.size()) entry.title = Mid(line, d + 3);
}

void ReadExtInf(const QString& line, PlaylistEntry& entry) {
    const qsizetype p = InStr(8, line, QStringLiteral(","));
    if (p >= 1) entry.length = WholeNumber(Mid(line, 9, p - 9));
    ReadDescription(line, p, entry);
}

QList<PlaylistEntry> ParseM3u(const QStringList& lines, Builder& builder) {
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) continue;
        if (line.startsWith(u"#EXTINF:")) {
            ReadExtInf(line, builder.current);
        } else if (line.startsWith(u"#EXT")) {
            // Other extended directives (#EXTGRP, #EXTALB, #EXTVLCOPT...) describe no file.
            continue;
        } else {
            builder.setPath(line);
            builder.finish();
        }
    }
    return builder.entries;
}

// The value after the first "=" at or after `from`, or the whole line when there is none.
QString ValueAfterEquals(const QString& line, qsizetype from) {
    return Mid(line, InStr(from, line, QStringLiteral("=")) + 1);
}

QList<PlaylistEntry> ParsePls(const QStringList& lines, Builder& builder) {
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) continue;
        if (line.startsWith(u"File")) {
            // A "File" line without a "Length" line before the next one still ends its entry;
            // otherwise the next file would overwrite it.
            if (builder.hasFile) builder.finish();
            builder.setPath(ValueAfterEquals(line, 4));
        } else if (line.startsWith(u"Title")) {
            const qsizetype equals = InStr(5, line, QStringLiteral("="));
            ReadDescription(line, equals, builder.current);
        } else if (line.startsWith(u"Length")) {
            builder.current.length = WholeNumber(ValueAfterEquals(line, 5));
            builder.finish();
        }
    }
    builder.finish();
    return builder.entries;
}

}  // namespace

QList<PlaylistEntry> ParsePlaylist(const QStringList& lines, const QString& playlistPath,
                                   PathStyle style) {
    if (lines.isEmpty()) return {};
    Builder builder{playlistPath, style, {}, {}, false};
    if (lines.first() == u"#EXTM3U") return ParseM3u(lines, builder);
    if (lines.first().toLower() == u"[playlist]") return ParsePls(lines, builder);
    return {};
}

PlaylistRead ReadPlaylist(const QString& path, PathStyle style) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, file.errorString()};
    const QStringList lines = SplitLines(DecodePlaylistText(file.readAll()));
    const QString fullPath = style == PathStyle::Posix ? QFileInfo(path).absoluteFilePath() : path;
    return {ParsePlaylist(lines, fullPath, style), {}};
}

}  // namespace orvik
