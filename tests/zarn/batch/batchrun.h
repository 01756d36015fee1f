#pragma once
// Runs the built program the way a script does: no display, its own settings, program folder
// and state folder (the journal) inside a temporary folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/support/programrun.h"
#include "tests/support/qtstrings.h"

struct Outcome {
    int status = -1;
    QString out, err;
    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

class BatchRun : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        music = dir.filePath(U("music"));
        for (const char* sub : {"music", "home", "config/Zarn"})
            QDir().mkpath(dir.filePath(U(sub)));
    }
    void Settings(const QByteArray& lines) {
        mp3::WriteFile(dir.filePath(U("config/Zarn/Zarn.ini")), "[Settings]\n" + lines);
    }
    // A file under music/ (folders made as needed).
    QString Put(const QString& name, const QByteArray& bytes) {
        const QString path = music + u'/' + name;
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(mp3::WriteFile(path, bytes));
        return path;
    }
    Outcome Run(const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(ProgramEnvironment(dir.path()));
        process.setWorkingDirectory(music);
        process.start(U(ZARN_EXECUTABLE), arguments);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "still running after 30 s";
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir dir;
    QString music;
};
