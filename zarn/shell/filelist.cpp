#include "zarn/shell/filelist.h"

#include <QSet>
#include <algorithm>

#include "zarn/shell/listentry.h"

QString FileList::pathAt(int row) const {
    return PathFromEntry(m_files.text(row));
}

int FileList::addPath(const QString& path) {
    return addRowText(EntryFromPath(path));
}

int FileList::addRowText(const QString& text) {
    const int row = m_files.insertSorted(text);
    if (m_preview.rowCount() > 0) m_preview.insertAt(row, m_builder(pathAt(row)));
    return row;
}

void FileList::RemoveRow(int row) {
    if (row < 0 || row >= m_files.rowCount()) return;
    m_files.removeAt(row);
    if (row < m_preview.rowCount()) m_preview.removeAt(row);
}

void FileList::removeRows(QList<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(rows.begin(), std::lower_bound(rows.begin(), rows.end(), 0));
    // From the last run of neighbouring rows to the first, so that earlier rows keep their
    // numbers; one notification per run keeps big selections quick.
    qsizetype end = rows.size();
    while (end > 0) {
        qsizetype begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1) --begin;
        const int first = rows[begin];
        int count = int(end - begin);
        if (first >= 0 && first < m_files.rowCount()) {
            count = std::min(count, m_files.rowCount() - first);
            m_files.removeRange(first, count);
            const int inPreview = std::min(count, m_preview.rowCount() - first);
            if (inPreview > 0) m_preview.removeRange(first, inPreview);
        }
        end = begin;
    }
}

void FileList::followRenames(const QList<std::pair<QString, QString>>& renames) {
    QSet<QString> oldEntries;
    for (const auto& [from, to] : renames) oldEntries.insert(EntryFromPath(from));
    QSet<QString> kept, listed;
    QList<int> gone;
    const QStringList rows = m_files.texts();
    for (int row = 0; row < rows.size(); ++row) {
        if (oldEntries.contains(rows[row])) {
            gone << row;
            listed.insert(rows[row]);
        } else {
            kept.insert(rows[row]);
        }
    }
    removeRows(gone);
    for (const auto& [from, to] : renames) {
        const QString entry = EntryFromPath(to);
        if (!listed.contains(EntryFromPath(from)) || kept.contains(entry)) continue;
        addRowText(entry);
        kept.insert(entry);
    }
}

void FileList::clear() {
    m_files.clear();
    m_preview.clear();
}

void FileList::rebuildPreview() {
    m_preview.clear();
    const QStringList rows = m_files.texts();
    for (int row = 0; row < rows.size(); ++row)
        m_preview.insertAt(row, m_builder(PathFromEntry(rows[row])));
}
