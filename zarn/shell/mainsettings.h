#pragma once
// The main window's own settings: read at start-up, written at shutdown.
#include <QString>
#include <QStringList>

class SettingsStore;

struct MainSettings {
    bool Genre = false;
    bool Alphabetical = false;
    bool SubFolder = false;
    bool Convert = true;
    int txtSubFolder = 5;  // the artist threshold
    int FileExists = 0;    // 0 prompt, 1 skip, 2 replace
    int Move = 2;          // 0 copy, 1 move, 2 rename
    QString TargetDir;
    QString LastDir;
    QString InPattern = QStringLiteral("%artist - %title.mp3");
    QString OutPattern = QStringLiteral("%track - %artist - %title.mp3");
};

// Major version + "." + revision: version 1.0.0.25 is "1.25".
QString ProgramVersion();
// "Pelmora " + the program's version.
QString ProgramCaption();
// The program's folder as a folder setting: without its trailing separator (but "/" stays "/").
QString DefaultFolderSetting();
// Absent or malformed keys give the defaults; `defaultFolder` is the default of both folders.
MainSettings LoadMainSettings(const SettingsStore& store, const QString& defaultFolder);
// Writes the keys in the order shutdown saves them.
void SaveMainSettings(SettingsStore& store, const MainSettings& settings);
// The threshold to store for the box's text: its whole number, the default when there is none.
int ThresholdOfText(const QString& text);
// The choices of a pattern file: lines that are not blank, untrimmed, in file order. A missing
// file is created empty.
QStringList ReadPatternChoices(const QString& path);
