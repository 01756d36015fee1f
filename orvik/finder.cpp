#include "orvik/finder.h"

#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QStringBuilder>

#include "orvik/regularfile.h"

namespace orvik {

void Finder::load(const QList<PlaylistEntry>& entries) {
    const qsizetype first = m_table.size();
    m_table.append(entries);
    m_rows.reserve(m_rows.size() + entries.size());
    for (qsizetype i = first; i < m_table.size(); ++i) m_rows.append(i);
}

void Finder::search(const QString& text, bool eachWord, const SearchFields& fields) {
    if (m_table.isEmpty()) return;
    m_rows = Search(m_table, SearchWords(text, eachWord), fields);
}

void Finder::clear() {
    m_table.clear();
    m_rows.clear();
}

qsizetype Finder::removeMissing(const std::function<bool(const QString&)>& exists) {
    qsizetype removed = 0;
    for (qsizetype i = 0; i < m_table.size(); ++i) {
        const PlaylistEntry& entry = m_table.at(i);
        // A URL cannot be tested as a file; it stays.
        if (entry.isBlank() || entry.kind == EntryKind::Url || exists(entry.path())) continue;
        m_table.blank(i);
        ++removed;
    }
    if (removed > 0) dropBlankedRows();
    return removed;
}

void Finder::removeRows(const QList<qsizetype>& positions) {
    for (const qsizetype position : positions)
        if (position >= 0 && position < m_rows.size()) m_table.blank(m_rows[position]);
    dropBlankedRows();
}

void Finder::dropBlankedRows() {
    m_rows.removeIf([this](qsizetype entry) { return m_table.at(entry).isBlank(); });
}

QString SavedDescription(const PlaylistEntry& entry) {
    if (!entry.description.isEmpty()) return entry.description;
    if (entry.artist.isEmpty() || entry.title.isEmpty()) return entry.artist + entry.title;
    return entry.artist + QStringLiteral(" - ") + entry.title;
}

QStringList Finder::playlistLines(PathStyle style) const {
    QHash<QString, QList<qsizetype>> byName;
    for (qsizetype i = 0; i < m_table.size(); ++i)
        if (!m_table.at(i).isBlank()) byName[m_table.at(i).name].append(i);

    QStringList lines{QStringLiteral("#EXTM3U")};
    lines.reserve(1 + 2 * m_table.size());
    // A row writes every entry of its name, so a name is written at its first row only; a
    // later row of the same name has nothing left to write.
    QSet<QString> written;
    for (const qsizetype row : m_rows) {
        const QString& name = m_table.at(row).name;
        if (written.contains(name)) continue;
        written.insert(name);
        for (const qsizetype i : byName.value(name)) {
            const PlaylistEntry& entry = m_table.at(i);
            lines.append(QStringLiteral("#EXTINF:") % QString::number(entry.length) % u',' %
                         SavedDescription(entry));
            lines.append(SavedPath(entry, style));
        }
    }
    return lines;
}

std::optional<QString> WritePlaylist(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    for (const QString& line : lines) {
        file.write(line.toUtf8());
        file.write("\r\n", 2);
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

bool PathExists(const QString& path) {
    return IsRegularFile(path);
}

}  // namespace orvik
