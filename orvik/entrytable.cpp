#include "orvik/entrytable.h"

namespace orvik {

void EntryTable::append(const QList<PlaylistEntry>& entries) {
    m_entries.reserve(m_entries.size() + entries.size());
    m_folded.reserve(m_folded.size() + entries.size());
    for (const PlaylistEntry& entry : entries) {
        m_entries.append(entry);
        m_folded.append({entry.name.toLower(), entry.artist.toLower(), entry.title.toLower()});
    }
}

void EntryTable::blank(qsizetype index) {
    m_entries[index].blank();
    m_folded[index] = Folded{};
}

void EntryTable::clear() {
    m_entries.clear();
    m_folded.clear();
}

}  // namespace orvik
