#pragma once
// What one operation did to one file, as undo needs it to take the change back, and its line in
// the operation's record (journalrecord.h). A tag write keeps the old tag bytes, never the audio.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "zarn/shell/fileidentity.h"
#include "zarn/shell/journal.h"

struct RecordedChange {
    enum class Kind { Tags, Placed, Copied, Folder };
    Kind kind = Kind::Tags;
    QString path;         // Tags: the file; Placed: where it was; Copied, Folder: what was made
    QString target;       // Placed: where it went
    QString kept;         // Placed, Copied: the file it replaced, kept aside in the record's folder
    FileIdentity before;  // the file as the change found it
    FileIdentity identity;  // the file as the change left it

    // Tags: the file's length before and after.
    qint64 oldLength = -1;
    qint64 newLength = -1;
    // Tags written in place: the old bytes at their places, and fingerprints of the new ones.
    QList<JournalPatch> patches;
    // Tags written into a new file: the old bytes before and after the audio, where the audio
    // lies in the new file, and fingerprints of the new bytes before and after it.
    bool rewritten = false;
    QByteArray head;
    QByteArray tail;
    qint64 audioFrom = 0;
    qint64 audioTo = 0;
    quint64 headHash = 0;
    quint64 tailHash = 0;

    // The path the file has after the change.
    const QString& now() const { return kind == Kind::Placed ? target : path; }
    // What the change holds in kept bytes (a kept file is counted apart).
    qint64 keptBytes() const;
};

QByteArray ChangeLine(const RecordedChange& change);
// Nothing for a line that is no change (the header) or was cut short by a crash.
std::optional<RecordedChange> ChangeOfLine(const QByteArray& line);
