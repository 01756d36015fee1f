#pragma once
// Sorting over temporary folders: rows as plain lists, a scripted prompter and a fake
// progress, MP3 files with just the tags a case needs.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/fakeprogress.h"
#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/shell/programvalues.h"
#include "zarn/sort/sortengine.h"
#include "zarn/sort/sortrows.h"

// Rows as two plain lists: paths and new names.
class ListRows : public SortRows {
  public:
    int count() const override { return int(paths.size()); }
    QString path(int row) const override { return paths[row]; }
    QString newName(int row) const override { return names.value(row); }
    void remove(int row) override {
        paths.removeAt(row);
        if (row < names.size()) names.removeAt(row);
    }
    QStringList paths, names;
};

// An MP3 file whose bytes name it, with an ID3v1 tag when an artist or genre is given.
inline QByteArray TaggedBytes(const QByteArray& id, const QByteArray& artist = {},
                              int genre = 255) {
    QByteArray bytes = mp3::Audio(2) + id;
    if (!artist.isEmpty() || genre != 255) {
        mp3::V1 v1;
        v1.artist = artist;
        v1.title = id.left(30);
        v1.genre = genre;
        bytes += mp3::ID3v1Tag(v1);
    }
    return bytes;
}

// Every file below `root`, as paths relative to it, sorted.
inline QStringList FilesBelow(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

class SortTest : public ::testing::Test {
  protected:
    QString src(const QString& name) const { return base + QStringLiteral("/src/") + name; }
    QString dst(const QString& name = QString()) const {
        return base + QStringLiteral("/target/") + name;
    }
    // A case of a table starts over in a folder of its own.
    void fresh() {
        base = dir.filePath(QStringLiteral("case%1").arg(++m_cases));
        rows = {};
        prompter = {};
        progress = {};
        failure.clear();
    }
    // Writes the file and adds its row; the new name is kept as given (empty: the old name).
    QString addRow(const QString& path, const QByteArray& bytes, const QString& newName = {}) {
        write(path, bytes);
        rows.paths << path;
        rows.names << newName;
        return path;
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(path.left(path.lastIndexOf(u'/')));
        ASSERT_TRUE(mp3::WriteFile(path, bytes));
    }
    SortSettings settings(int method = kMethodMove) const {
        SortSettings s;
        s.method = method;
        s.targetDir = dst();
        s.inPattern = QStringLiteral("%artist - %title.mp3");
        s.outPattern = QStringLiteral("%artist - %title.mp3");
        return s;
    }
    SortEnd sortAll(const SortSettings& s) {
        QDir().mkpath(dst());
        SortEngine engine(s, prompter, &progress);
        const SortEnd end = engine.SortAll(rows);
        failure = engine.failureMessage();
        counts = engine.counts();
        return end;
    }

    QTemporaryDir dir;
    QString base = dir.path();
    ListRows rows;
    ScriptedPrompter prompter;
    FakeProgress progress;
    QString failure;    // what the window would show for the failure that ended the last sort
    SortCounts counts;  // what the last sort did

  private:
    int m_cases = 0;
};
