#pragma once
// The entries of every playlist loaded, in load order. Entries are only appended or blanked,
// never removed, so an entry's index stays valid for as long as the table is not cleared.
#include <QList>

#include "orvik/playlistentry.h"

namespace orvik {

class EntryTable {
  public:
    void append(const QList<PlaylistEntry>& entries);
    void blank(qsizetype index);
    void clear();

    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const PlaylistEntry& at(qsizetype index) const { return m_entries[index]; }

    // Lower-cased copies made once at load, so a search per keystroke lowers nothing.
    struct Folded {
        QString name;
        QString artist;
        QString title;
    };
    const Folded& folded(qsizetype index) const { return m_folded[index]; }

  private:
    QList<PlaylistEntry> m_entries;
    QList<Folded> m_folded;
};

}  // namespace orvik
