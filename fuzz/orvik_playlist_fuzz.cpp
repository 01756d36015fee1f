// Orvik's playlist reader on arbitrary bytes, read as a file would be, in both path styles. What
// is read and saved must read back as the same entries: a saved playlist that loads as other rows
// (a line break smuggled into a name, a path that turns into a comment) is a fault.
#include <QBuffer>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <tuple>

#include "orvik/finder.h"
#include "orvik/playlist.h"

using namespace orvik;

namespace {

const QString kPlaylist = QStringLiteral("/lists/x.m3u");

QList<PlaylistEntry> Read(const QByteArray& bytes, PathStyle style) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return ReadPlaylistText(buffer, kPlaylist, style);
}

bool HoldsLineEnd(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

void CheckEntry(const PlaylistEntry& entry) {
    if (entry.isBlank()) std::abort();
    for (const QString* text :
         {&entry.name, &entry.artist, &entry.title, &entry.description, &entry.line, &entry.folder})
        if (HoldsLineEnd(*text)) std::abort();
}

using Key = std::tuple<QString, QString, qint16, int, QString>;

QList<Key> Keys(const QList<PlaylistEntry>& entries) {
    QList<Key> keys;
    for (const PlaylistEntry& entry : entries)
        keys.append(
            {entry.name, entry.path(), entry.length, int(entry.kind), SavedDescription(entry)});
    std::sort(keys.begin(), keys.end());
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const PlaylistEntry& entry : Read(bytes, PathStyle::Windows)) CheckEntry(entry);

    const QList<PlaylistEntry> entries = Read(bytes, PathStyle::Posix);
    for (const PlaylistEntry& entry : entries) {
        CheckEntry(entry);
        if (entry.name.contains(u'/')) std::abort();
    }
    Finder finder;
    finder.load(entries);
    const QStringList lines = finder.playlistLines(PathStyle::Posix);
    if (lines.size() != 1 + 2 * entries.size()) std::abort();
    for (const QString& line : lines)
        if (HoldsLineEnd(line)) std::abort();

    // Saved, then read again: the same entries, each with the same description.
    const QList<PlaylistEntry> again = Read(lines.join(u"\r\n").toUtf8(), PathStyle::Posix);
    if (Keys(again) != Keys(entries)) std::abort();
    return 0;
}
