#pragma once
// Runs a built program the way a user or a script does: its settings (config/), program folder
// (home/) and state folder (state/, the journal) inside a scratch folder, and no display but the
// variables named.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ProgramRun {
    int status = -1;  // -1: it crashed, or was ended after running too long
    QString out, err;
};

// The environment of a program under test: settings (config/), program folder (home/) and
// state folder (state/) below `scratch`, no display, then `variables` ("NAME=value").
QProcessEnvironment ProgramEnvironment(const QString& scratch, const QStringList& variables = {});

// `screen` holds the display variables the run sees ("NAME=value"); none by default.
ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QString& workingFolder, const QString& scratch,
                      const QStringList& screen = {});
