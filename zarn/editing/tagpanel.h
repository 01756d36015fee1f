#pragma once
// The tag panel ("File ID3 info:"): one column of boxes for the ID3v1 tag, one for the ID3v2
// tag, the old and new file name and the file information labels. It builds the boxes and
// converts between them and PanelValues; the rules work on the values.
#include <QList>
#include <QStringList>

#include "zarn/tags/panelfields.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QWidget;
struct FileInfo;
struct Options;
struct PanelValues;

// The ID3v1 boxes whose length limits follow the other boxes.
struct ID3v1Boxes {
    QLineEdit* artist = nullptr;
    QLineEdit* title = nullptr;
    const QLineEdit* album = nullptr;
    const QLineEdit* comments = nullptr;
    const QLineEdit* track = nullptr;
};
// The length limits of the ID3v1 artist and title boxes under the options (ID3v1LengthLimits).
void SetID3v1BoxLimits(const ID3v1Boxes& boxes, const Options& options);

// The text of a tag box of any kind (a genre list's shown text), and setting it; a genre list
// that takes no typed names shows a name it does not hold as its empty entry.
QString TextOfBox(const QObject* box);
void SetTextOfBox(QObject* box, const QString& text);
// Empty text; a genre list on its empty entry, or on none when it takes typed names.
void ClearBox(QObject* box);

struct TagPanel {
    // Builds the frame `Frame3` with every control of the panel.
    QGroupBox* build(QWidget* owner);
    // Both tag check boxes off, every tag box empty, the ID3v1 genre on its first item.
    void clearTags();
    // clearTags(), the file information and both name boxes.
    void clearAll();
    // Copies what was read of one file into the tag boxes and the labels; the name boxes keep
    // their texts.
    void showFileInfo(const FileInfo& info);
    PanelValues values() const;
    void setValues(const PanelValues& values);
    // The box of a field in column 1 (ID3v1) or 2 (ID3v2); null when the column has none.
    QWidget* box(int column, TagField field) const;
    // Every box of a column, in the order of the field table.
    QList<QWidget*> boxes(int column) const;
    ID3v1Boxes id3v1Boxes() const {
        return {txtArtist, txtTitle, txtAlbum, txtComments, txtTrackNr};
    }

    QGroupBox* Frame3 = nullptr;
    QCheckBox* chkID3v1 = nullptr;
    QCheckBox* chkID3v2 = nullptr;
    QCheckBox* chkID3v1Rem = nullptr;
    QCheckBox* chkID3v2Rem = nullptr;
    QPushButton* cmdCopyFromV1 = nullptr;
    QPushButton* cmdCopyToV1 = nullptr;
    QPushButton* cmdMore = nullptr;
    QPushButton* cmdSaveID3 = nullptr;
    QPushButton* cmdFixID3 = nullptr;
    QLabel* lblDescription1 = nullptr;
    QLabel* lblDescription2 = nullptr;
    QLineEdit* txtOldName = nullptr;
    QLineEdit* txtNewName = nullptr;
    QLabel* lblFileSize = nullptr;

    QLineEdit* txtTitle = nullptr;
    QLineEdit* txtArtist = nullptr;
    QLineEdit* txtAlbum = nullptr;
    QLineEdit* txtYear = nullptr;
    QLineEdit* txtTrackNr = nullptr;
    QLineEdit* txtComments = nullptr;
    QComboBox* cmbGenre = nullptr;
    QLineEdit* txtV2Title = nullptr;
    QLineEdit* txtV2Artist = nullptr;
    QLineEdit* txtV2Album = nullptr;
    QLineEdit* txtV2Year = nullptr;
    QLineEdit* txtV2Track = nullptr;
    QPlainTextEdit* txtV2Comments = nullptr;
    QComboBox* cmbV2Genre = nullptr;
    QLineEdit* txtV2Composer = nullptr;
    QLineEdit* txtV2OrigArtist = nullptr;
    QLineEdit* txtV2Copyright = nullptr;
    QLineEdit* txtV2URL = nullptr;
    QLineEdit* txtV2Encoder = nullptr;

    // The file information labels, in the order they are laid out.
    QLabel* txtfType = nullptr;
    QLabel* txtfkBit = nullptr;
    QLabel* txtfQuality = nullptr;
    QLabel* txtfSize = nullptr;
    QLabel* txtfLength = nullptr;
    QLabel* txtfHeader = nullptr;
    QLabel* txtfCopyrighted = nullptr;
    QLabel* txtfOriginal = nullptr;
    QLabel* txtfCRCs = nullptr;
    QLabel* txtfEmphasis = nullptr;

  private:
    void bindBoxes();
    QList<QLabel*> infoLabels() const;

    QWidget* m_boxes[2][kTagFieldCount] = {};
};
