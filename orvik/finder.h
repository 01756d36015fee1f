#pragma once
// What the window shows: the entry table and the result list. Rows are entry indexes, so
// removing a row or blanking an entry touches exactly the entry the row came from; saving links
// rows to entries by name.
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

#include "orvik/entrytable.h"
#include "orvik/pathstyle.h"
#include "orvik/search.h"

namespace orvik {

class Finder {
  public:
    const EntryTable& table() const { return m_table; }
    const QList<qsizetype>& rows() const { return m_rows; }
    QString rowText(qsizetype row) const { return m_table.at(m_rows[row]).name; }

    // Appends the playlist's entries to the table and their rows to the end of the list.
    void load(const QList<PlaylistEntry>& entries);
    // Replaces the rows by the matches; does nothing while the table is empty.
    void search(const QString& text, bool eachWord, const SearchFields& fields);
    void clear();

    // Blanks every entry whose file does not exist and drops its row; returns how many. URLs
    // are left alone.
    qsizetype removeMissing(const std::function<bool(const QString&)>& exists);
    // Drops the rows at these positions of the list and blanks their entries (files stay).
    void removeRows(const QList<qsizetype>& positions);

    // The M3U lines of the listed rows: every entry whose name equals a row's text, each
    // entry once, in the order of the rows.
    QStringList playlistLines(PathStyle style = NativePathStyle()) const;

  private:
    void dropBlankedRows();

    EntryTable m_table;
    QList<qsizetype> m_rows;
};

// The text after a saved descriptive line's comma: the description as the playlist had it, or,
// for an entry that came without one, its artist and title with " - " only between the two.
QString SavedDescription(const PlaylistEntry& entry);

// Writes the lines, each ending in CR LF, as UTF-8 through a temporary file, so a failed write
// leaves an existing playlist as it was. Returns the error text on failure.
std::optional<QString> WritePlaylist(const QString& path, const QStringList& lines);

// True when the path names a regular file; a folder or pipe named like the entry, and every
// error, count as missing. Nothing is opened.
bool PathExists(const QString& path);

}  // namespace orvik
