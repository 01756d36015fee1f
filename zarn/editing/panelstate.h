#pragma once
// The tag panel as plain values: the file it shows, how that file was when loaded, and the
// texts of its boxes. Rules read these, never the widgets; TagPanel only converts.
#include <QByteArray>
#include <QString>

#include "zarn/names/fixfilename.h"
#include "zarn/shell/fileidentity.h"
#include "zarn/tags/panelfields.h"

struct FileInfo;

// The file the panel shows, as it was when it was loaded.
struct ShownFile {
    QString path;  // empty: the panel shows no file
    bool hadID3v1 = false;
    bool hadID3v2 = false;
    // The ID3v2 frames the panel does not edit, written back on save.
    QByteArray hiddenFrames;
    // The file as it was read: a save refuses a file that another program changed since, so
    // that the panel's values (and hidden frames) never land on content they were not read from.
    FileIdentity identity = {};
};

// The panel's boxes.
struct PanelValues {
    bool id3v1 = false;  // chkID3v1
    bool id3v2 = false;  // chkID3v2
    TagFields v1;        // txtArtist ... cmbGenre (the genre by name)
    TagFields v2;        // txtV2Artist ... cmbV2Genre
    QString composer, origArtist, copyright, url, encoder;  // the other ID3v2 boxes
    QString oldName, newName;                               // txtOldName, txtNewName
};

// The text of a field's box in column 1 (ID3v1) or 2 (ID3v2); the ID3v2-only fields have no
// ID3v1 box and answer for column 2 whatever column is asked.
QString& BoxText(PanelValues& values, int column, TagField field);
const QString& BoxText(const PanelValues& values, int column, TagField field);

struct PanelState {
    ShownFile shown;
    // Several rows are selected: the panel's values go to all of them, and it shows none.
    bool severalFiles = false;
};

ShownFile ShownFileOf(const QString& path, const FileInfo& info);
// The boxes for what was read of one file; a tag the file lacks leaves its boxes empty.
PanelValues PanelValuesOf(const FileInfo& info);
// The name engine's record of the panel and the two pattern boxes.
NameFields PanelNameFields(const PanelValues& values, const QString& inPattern,
                           const QString& outPattern);
