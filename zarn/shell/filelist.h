#pragma once
// The file list and its preview kept in step: row i of the preview is the new name of the file
// of row i, as long as the preview holds rows at all.
#include <QList>
#include <functional>

#include "zarn/shell/duplicatenames.h"
#include "zarn/shell/textlistmodel.h"

class FileList {
  public:
    // Gives the new file name (no folder) of the file at a full path.
    using NameBuilder = std::function<QString(const QString& path)>;

    explicit FileList(NameBuilder builder) : m_builder(std::move(builder)) {}

    SortedListModel& files() { return m_files; }
    TextListModel& preview() { return m_preview; }
    const SortedListModel& files() const { return m_files; }
    const TextListModel& preview() const { return m_preview; }
    // The preview rows whose new name another row also gets.
    const DuplicateNames& previewDuplicates() const { return m_duplicates; }
    int count() const { return m_files.rowCount(); }
    QString pathAt(int row) const;

    // Adds the entry of `path`; returns the row it landed on.
    int addPath(const QString& path);
    // Adds a row text as it stands (a sorting list line).
    int addRowText(const QString& text);
    // Removes the row from both lists; rows out of range are ignored.
    void RemoveRow(int row);
    // Removes the given rows (any order, duplicates allowed) from both lists.
    void removeRows(QList<int> rows);
    void clear();
    // Files renamed outside the list (old path, new path): their rows leave and each new path
    // of a listed file gets a row, unless the list holds it already (a file it replaced).
    void followRenames(const QList<std::pair<QString, QString>>& renames);
    // Builds the preview from scratch: the new name of every row.
    void rebuildPreview();

  private:
    SortedListModel m_files;
    TextListModel m_preview;
    DuplicateNames m_duplicates{m_preview};
    NameBuilder m_builder;
};
