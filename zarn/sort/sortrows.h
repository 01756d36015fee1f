#pragma once
// The rows a sort works through. The engine sees only paths, new names and removal; the file
// list with its preview is one implementation, tests use plain lists.
#include <QString>

class FileList;

class SortRows {
  public:
    virtual ~SortRows() = default;
    virtual int count() const = 0;
    virtual QString path(int row) const = 0;
    // The new file name of the row (no folder); empty keeps the current name.
    virtual QString newName(int row) const = 0;
    virtual void remove(int row) = 0;
};

// The file list: paths from the row texts, new names from the preview (or none, so that files
// keep their names, when `newNames` is off).
class FileListRows : public SortRows {
  public:
    FileListRows(FileList& list, bool newNames) : m_list(list), m_newNames(newNames) {}
    int count() const override;
    QString path(int row) const override;
    QString newName(int row) const override;
    void remove(int row) override;

  private:
    FileList& m_list;
    bool m_newNames;
};
