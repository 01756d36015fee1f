#pragma once
// The Options record: the rules of the name engine, the sort attributes and two tag choices.
// Loaded at start-up, edited and saved by the options window.
#include <QList>
#include <QPair>
#include <QString>

#include "zarn/shell/journalhistory.h"

class SettingsStore;

// Ordered (find, replacement) pairs; see replacelist.h for the file.
using ReplaceList = QList<QPair<QString, QString>>;

struct Options {
    bool bID3 = true;
    bool bExtension = true;
    QString Extension = QStringLiteral("mp3");
    bool bLowExtension = true;
    bool bScoreToSpace = true;
    bool b20toSpace = true;
    bool bSpaces = true;
    bool bParentheses = false;
    bool bReplace = false;
    bool bMisses = true;
    bool bSetAttributes = false;
    bool bReadOnly = false;
    bool bHidden = false;
    bool bArchive = false;
    bool bRemoveChars = false;
    QString strRemoveChars = DefaultRemoveChars();
    bool bRemHiddenID3 = false;
    bool bOptimizedID3v1 = false;
    int Change = 1;  // case mode 0..4
    // How much undo keeps: the newest operations, and the megabytes of tags and files they keep.
    int UndoOperations = 50;
    int UndoMegabytes = 500;
    ReplaceList Replaces = {{QString(), QString()}};

    // "^", "`", "{", "}", "~" and Windows-1252 127..255 except the Nordic and German letters.
    static QString DefaultRemoveChars();
};

// Reads the option keys in their order; absent or malformed values give the defaults.
Options LoadOptions(const SettingsStore& store);
// Writes every option key in the order the options window saves them.
void SaveOptions(SettingsStore& store, const Options& options);

HistoryLimits UndoLimits(const Options& options);
