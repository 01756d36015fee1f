#pragma once
// A main window over a temporary settings file and program folder, with answers for its
// questions and file dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "tests/support/scriptedprompter.h"
#include "tests/zarn/shell/shelltest.h"
#include "zarn/app/frmzarn.h"
#include "zarn/shell/filedialogs.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/settingsstore.h"

class FakeDialogs : public FileDialogs {
  public:
    Choice open(const QString& folder, const QString&, bool several) override {
        openedIn = folder;
        lastSeveral = several;
        return next;
    }
    Choice save(const QString& folder, const QString&) override {
        openedIn = folder;
        return next;
    }
    QString folder(const QString&, const QString& start) override {
        openedIn = start;
        return nextFolder;
    }
    Choice next;
    QString nextFolder;
    QString openedIn;
    bool lastSeveral = false;
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("ZARN_HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    }
    frmZarn& open() {
        window = std::make_unique<frmZarn>(store, values, prompter, &dialogs);
        return *window;
    }
    QString setting(const char* key) const {
        return store.text(QString::fromLatin1(key), QStringLiteral("<absent>"));
    }
    QString homeFile(const char* name) const { return home.filePath(QString::fromUtf8(name)); }
    QString dataFile(const char* name, qint64 size) const {
        return MakeFile(data.filePath(QString::fromUtf8(name)), size);
    }

    QTemporaryDir home;
    QTemporaryDir data;
    SettingsStore store = SettingsStore::atFile(home.filePath(QStringLiteral("Zarn.ini")));
    ProgramValues values;
    ScriptedPrompter prompter;
    FakeDialogs dialogs;
    std::unique_ptr<frmZarn> window;
};
