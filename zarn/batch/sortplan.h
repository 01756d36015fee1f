#pragma once
// What --sort does, or would do. SortPlan is the file system of a dry run: it answers from the
// disk and from what the run has done so far, and changes nothing. SortLog stands between the
// engine and either file system and tells of every file placed, so that a dry run and a real
// run report through the same lines.
#include <QSet>
#include <functional>

#include "zarn/sort/sortfiles.h"

class SortPlan : public SortFiles {
  public:
    bool isFile(const QString& path) override;
    bool isFolder(const QString& path) override;
    bool exists(const QString& path) override;
    bool isSameEntry(const QString& a, const QString& b) override;
    FileIdentity identityOf(const QString&) override { return {}; }
    FileError makeFolder(const QString& path) override;
    FileError setAttributes(const QString& path, int value) override;
    FileError renameWithoutOverwrite(const QString& from, const QString& to) override;
    FileError copyWithoutOverwrite(const QString& from, const QString& to) override;
    FileError moveWithoutOverwrite(const QString& from, const QString& to) override;
    FileError copyReplacing(const QString& from, const QString& to,
                            const FileIdentity& replaced) override;
    FileError moveReplacing(const QString& from, const QString& to,
                            const FileIdentity& replaced) override;

  private:
    bool touched(const QString& key) const;
    FileError place(const QString& from, const QString& to, bool move, bool replace);

    QSet<QString> m_folders;  // made by the run
    QSet<QString> m_files;    // placed by the run
    QSet<QString> m_gone;     // moved away by the run
};

// One file placed: "copied", "moved" or "replaced" (a file that was there is replaced).
using PlacedFile = std::function<void(const QString& from, const QString& to, const char* how)>;

class SortLog : public SortFiles {
  public:
    SortLog(SortFiles& files, PlacedFile placed) : m_files(files), m_placed(std::move(placed)) {}

    bool isFile(const QString& path) override { return m_files.isFile(path); }
    bool isFolder(const QString& path) override { return m_files.isFolder(path); }
    bool exists(const QString& path) override { return m_files.exists(path); }
    bool isSameEntry(const QString& a, const QString& b) override {
        return m_files.isSameEntry(a, b);
    }
    FileIdentity identityOf(const QString& path) override { return m_files.identityOf(path); }
    FileError makeFolder(const QString& path) override { return m_files.makeFolder(path); }
    FileError setAttributes(const QString& path, int value) override {
        return m_files.setAttributes(path, value);
    }
    FileError renameWithoutOverwrite(const QString& from, const QString& to) override {
        return told(m_files.renameWithoutOverwrite(from, to), from, to, "moved");
    }
    FileError copyWithoutOverwrite(const QString& from, const QString& to) override {
        return told(m_files.copyWithoutOverwrite(from, to), from, to, "copied");
    }
    FileError moveWithoutOverwrite(const QString& from, const QString& to) override {
        return told(m_files.moveWithoutOverwrite(from, to), from, to, "moved");
    }
    FileError copyReplacing(const QString& from, const QString& to,
                            const FileIdentity& replaced) override {
        return told(m_files.copyReplacing(from, to, replaced), from, to, "replaced");
    }
    FileError moveReplacing(const QString& from, const QString& to,
                            const FileIdentity& replaced) override {
        return told(m_files.moveReplacing(from, to, replaced), from, to, "replaced");
    }
    void leftInPlace(const QString& from, const QString& to) override {
        m_placed(from, to, "unchanged");
    }

  private:
    FileError told(const FileError& error, const QString& from, const QString& to,
                   const char* how) {
        if (!error.failed()) m_placed(from, to, how);
        return error;
    }

    SortFiles& m_files;
    PlacedFile m_placed;
};
