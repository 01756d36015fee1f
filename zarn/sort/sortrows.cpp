#include "zarn/sort/sortrows.h"

#include "zarn/shell/filelist.h"

int FileListRows::count() const {
    return m_list.count();
}

QString FileListRows::path(int row) const {
    return m_list.pathAt(row);
}

QString FileListRows::newName(int row) const {
    if (!m_newNames || row >= m_list.preview().rowCount()) return {};
    return m_list.preview().text(row);
}

void FileListRows::remove(int row) {
    m_list.RemoveRow(row);
}
