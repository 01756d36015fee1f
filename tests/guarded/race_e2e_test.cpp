// The built program racing others over the same files: a second Zarn saving the same files under
// their second names, and another program replacing or deleting files while a save runs. Nothing
// is lost: the audio of every file is whole, and a version another program wrote is never
// overwritten by a save that read the file before it.
#include <QSet>

#include "tests/guarded/guardedrun.h"

namespace {

class RaceTest : public GuardedRun {
  protected:
    QProcess* start(const QStringList& arguments) {
        auto* process = new QProcess;
        process->setProcessEnvironment(ProgramEnvironment(dir.path()));
        process->setWorkingDirectory(data());
        process->start(U(ZARN_EXECUTABLE), arguments);
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }
    static QString finish(QProcess* process) {
        if (process->state() != QProcess::NotRunning) {
            EXPECT_TRUE(process->waitForFinished(60000));
        }
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        return QString::fromUtf8(process->readAllStandardError());
    }
    QString song(const char* folder, int i) const {
        return inData(U(folder) +
                      QStringLiteral("/%1 - Velt - Song.mp3").arg(i, 3, 10, QChar(u'0')));
    }
};

quint64 Inode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// Two saves of different titles over the two names of the same files, at the same moment: each
// file ends with one of the titles, its audio whole, its two names one file still.
TEST_F(RaceTest, TwoSavesAtOnceOverTheTwoNamesOfOneFile) {
    constexpr int kFiles = 150;
    for (int round = 0; round < 2; ++round) {
        collection(U("music"), kFiles, 0, 1);
        QProcess* first = start({U("--set"), U("title=") + QString(150, u'A'), U("music")});
        QProcess* second = start({U("--set"), U("title=") + QString(150, u'B'), U("music-links")});
        const QString errors = finish(first) + finish(second);
        EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
        for (int i = 0; i < kFiles; ++i) {
            const QString path = song("music", i);
            const QByteArray bytes = mp3::ReadFile(path);
            EXPECT_EQ(Digest(AudioIn(bytes)), Digest(AudioOf(i))) << path.toStdString();
            EXPECT_TRUE(bytes.contains(QByteArray(150, 'A')) ||
                        bytes.contains(QByteArray(150, 'B')))
                << path.toStdString();
            EXPECT_EQ(Inode(path), Inode(song("music-links", i))) << path.toStdString();
        }
        EXPECT_EQ(Hidden(Files(data())), QStringList());
        delete first;
        delete second;
    }
}

// While a save runs, another program writes a new version of a file (a whole new file that takes
// the name) or deletes it, right when the save is writing that file's new content beside it
// (its temporary file has appeared). The new version stays, and no deleted file comes back.
TEST_F(RaceTest, AnotherProgramReplacingOrDeletingFilesMidSave) {
    constexpr int kFiles = 200;
    for (const bool deleting : {false, true}) {
        collection(U("music"), kFiles, 0, 0);
        for (int i = 0; i < kFiles; ++i) m_audio.insert(Digest(AudioOf(1000 + i)), 1000 + i);
        QSet<int> touched;
        QProcess* save = start({U("--set"), U("title=") + QString(150, u'N'), U("music")});
        const QDir music(inData(U("music")));
        while (save->state() != QProcess::NotRunning) {
            for (const QString& name :
                 music.entryList({U(".*.zarn-*")}, QDir::Files | QDir::Hidden)) {
                const int i = name.mid(1, 3).toInt();
                if (touched.contains(i)) continue;
                touched.insert(i);
                const QString path = song("music", i);
                if (deleting) {
                    QFile::remove(path);
                } else {
                    const QString other = inData(U("other.tmp"));
                    mp3::WriteFile(other, TagOf(1000 + i, 0) + AudioOf(1000 + i));
                    ::rename(QFile::encodeName(other).constData(),
                             QFile::encodeName(path).constData());
                }
            }
            save->waitForFinished(0);
        }
        const QString errors = finish(save);
        EXPECT_GE(touched.size(), 10) << "the other program met the save too seldom";
        for (const QString& line : errors.split(u'\n', Qt::SkipEmptyParts))
            EXPECT_TRUE(line.contains(U("another program"))) << line.toStdString();
        for (int i = 0; i < kFiles; ++i) {
            const QString path = song("music", i);
            if (deleting && touched.contains(i)) {
                EXPECT_FALSE(QFile::exists(path)) << "came back: " << path.toStdString();
                continue;
            }
            const int audio = !deleting && touched.contains(i) ? 1000 + i : i;
            EXPECT_EQ(Digest(AudioIn(mp3::ReadFile(path))), Digest(AudioOf(audio)))
                << path.toStdString();
        }
        EXPECT_EQ(Hidden(Files(data())), QStringList());
        delete save;
    }
}

}  // namespace
