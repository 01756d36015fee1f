#pragma once
// The built program run as a user or a script runs it, on files the test writes itself: every
// file has audio of its own, so that whatever a run does, the test can tell by its own reading
// (not the program's) which file's audio a file holds and whether it is whole.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/mp3writer.h"
#include "tests/support/programrun.h"
#include "tests/support/qtstrings.h"

struct Ran {
    int status = -1;  // -1: killed
    QString err;
    qint64 ms = 0;  // how long it ran
};

// Audio of its own for every file: 8 frames whose bodies carry the file's number.
inline QByteArray AudioOf(int number) {
    mp3::FrameSpec shape;
    shape.fill = char(0x20 + number % 90);
    return mp3::Audio(8, shape) + QByteArray::number(number);
}

// A tag with a frame of another program (a TXXX the panel never edits) and room for `padding`.
inline QByteArray TagOf(int number, int padding) {
    return mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "Song " + QByteArray::number(number), false),
                          mp3::V2Frame("TXXX", QByteArray("\0other\0kept", 11), false)},
                         padding);
}

// The bytes between the ID3v2 tag (as its header gives its size) and the ID3v1 tag: the test's
// own reading of where the audio is, independent of the program's.
inline QByteArray AudioIn(const QByteArray& file) {
    qsizetype start = 0, end = file.size();
    if (end >= 128 && file.mid(end - 128, 3) == "TAG") end -= 128;
    if (file.startsWith("ID3") && file.size() >= 10) {
        const auto b = [&](int i) { return qsizetype(uchar(file[i]) & 0x7F); };
        start = 10 + (b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9));
    }
    return start <= end ? file.mid(start, end - start) : QByteArray();
}

inline QByteArray Digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16);
}

// Every file below `folder` by its path relative to it.
inline QMap<QString, QByteArray> Files(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), mp3::ReadFile(path));
    }
    return files;
}

inline QStringList Hidden(const QMap<QString, QByteArray>& files) {
    QStringList hidden;
    for (const QString& path : files.keys())
        if (path.section(u'/', -1).startsWith(u'.')) hidden << path;
    return hidden;
}

class GuardedRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char* sub : {"home", "config"}) QDir().mkpath(dir.filePath(U(sub)));
    }

    QString at(const char* sub) const { return dir.filePath(U(sub)); }
    QString state() const { return at("state"); }
    // The user's files: everything the runs work on, apart from settings and journal.
    QString data() const { return at("data"); }
    QString inData(const QString& path) const { return data() + u'/' + path; }

    // The folder `name` as the test writes it: `count` tagged files, every `linkEvery`th one
    // also under a second name (a hard link) in `name`-links/ (0: none).
    void collection(const QString& name, int count, int padding, int linkEvery = 3) {
        QDir(data()).removeRecursively();
        QDir().mkpath(inData(name + U("-links")));
        for (int i = 0; i < count; ++i) {
            const QString path =
                inData(name + QStringLiteral("/%1 - Velt - Song.mp3").arg(i, 3, 10, QChar(u'0')));
            QDir().mkpath(QFileInfo(path).path());
            ASSERT_TRUE(mp3::WriteFile(path, TagOf(i, padding) + AudioOf(i)));
            m_audio.insert(Digest(AudioOf(i)), i);
            if (linkEvery > 0 && i % linkEvery == 0) {
                ASSERT_EQ(::link(QFile::encodeName(path).constData(),
                                 QFile::encodeName(
                                     inData(name + U("-links/") + QFileInfo(path).fileName()))
                                     .constData()),
                          0);
            }
        }
    }

    // Runs in the data folder, or in `folder`.
    Ran zarn(const QStringList& arguments, const QStringList& environment = {},
             int killAfterMs = -1, const QString& folder = {}) {
        QProcess process;
        process.setProcessEnvironment(ProgramEnvironment(dir.path(), environment));
        process.setWorkingDirectory(folder.isEmpty() ? data() : folder);
        QElapsedTimer timer;
        timer.start();
        process.start(U(ZARN_EXECUTABLE), arguments);
        if (!process.waitForStarted()) return {};
        if (killAfterMs >= 0 && !process.waitForFinished(killAfterMs))
            ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished(60000);
        const bool killed = process.exitStatus() != QProcess::NormalExit;
        return {killed ? -1 : process.exitCode(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // The states each file may be in after a crash: as written, or as a whole run leaves it.
    QMap<QString, QByteArray> finished(const QStringList& arguments) {
        const QMap<QString, QByteArray> before = Files(data());
        const Ran run = zarn(arguments);
        EXPECT_EQ(run.status, 0);
        lastRunMs = run.ms;
        const QMap<QString, QByteArray> after = Files(data());
        restore(before);
        return after;
    }

    // The files as they were, the same inodes (so hard links stay links) written again.
    void restore(const QMap<QString, QByteArray>& files) {
        for (auto it = files.begin(); it != files.end(); ++it)
            mp3::WriteFile(inData(it.key()), it.value());
    }

    // After the next command: each file old or new with the test's own audio, both names of a
    // linked file one file still, nothing hidden, no journal.
    void expectOldOrNew(const QMap<QString, QByteArray>& old, const QMap<QString, QByteArray>& now,
                        const std::string& when) {
        // From another folder: the journal must not depend on where the run was started.
        const Ran next = zarn({U("--list"), data()}, {}, -1, dir.path());
        EXPECT_EQ(next.status, 0) << when << next.err.toStdString();
        expectRecoveryLines(next, when);
        const QMap<QString, QByteArray> files = Files(data());
        EXPECT_EQ(Hidden(files), QStringList()) << when;
        EXPECT_EQ(files.keys(), old.keys()) << when;
        for (auto it = files.begin(); it != files.end(); ++it) {
            const bool asBefore = it.value() == old.value(it.key());
            EXPECT_TRUE(asBefore || it.value() == now.value(it.key()))
                << when << " " << it.key().toStdString();
            EXPECT_TRUE(m_audio.contains(Digest(AudioIn(it.value()))))
                << when << " audio of " << it.key().toStdString();
        }
        EXPECT_TRUE(QDir(state() + U("/zarn")).entryList(QDir::Files | QDir::Hidden).isEmpty())
            << when;
    }

    // What the next command says of an interrupted step: one line per file, and what was done.
    void expectRecoveryLines(const Ran& next, const std::string& when) {
        for (const QString& line : next.err.split(u'\n', Qt::SkipEmptyParts)) {
            EXPECT_TRUE(line.startsWith(U("zarn: ")) && line.contains(U("interrupted")))
                << when << " " << line.toStdString();
            ++recoveries;
        }
    }

    // A sort leaves every file, by its audio, exactly once (moved) or once more in the target
    // (copied); no file holds another's audio.
    void expectEachOnce(bool copied, const std::string& when) {
        // From another folder: the journal must not depend on where the run was started.
        const Ran next = zarn({U("--list"), data()}, {}, -1, dir.path());
        EXPECT_EQ(next.status, 0) << when << next.err.toStdString();
        QMap<int, int> seen;
        const QMap<QString, QByteArray> files = Files(data());
        EXPECT_EQ(Hidden(files), QStringList()) << when;
        for (auto it = files.begin(); it != files.end(); ++it) {
            if (it.key().startsWith(U("music-links/"))) continue;
            const QByteArray audio = Digest(AudioIn(it.value()));
            ASSERT_TRUE(m_audio.contains(audio)) << when << " " << it.key().toStdString();
            ++seen[m_audio.value(audio)];
        }
        for (const int number : m_audio) {
            const int times = seen.value(number);
            EXPECT_TRUE(copied ? times == 1 || times == 2 : times == 1)
                << when << " file " << number << " is there " << times << " times";
        }
    }

    QTemporaryDir dir;
    QMap<QByteArray, int> m_audio;  // the digest of each file's audio, and its number
    int recoveries = 0;             // lines the next commands wrote about interrupted steps
    qint64 lastRunMs = 0;           // how long the last whole run took
};

inline const QString kFaultLibrary = U(ZARN_FAULT_LIBRARY);
