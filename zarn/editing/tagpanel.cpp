#include "zarn/editing/tagpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "zarn/editing/panelstate.h"
#include "zarn/shell/namedwidget.h"
#include "zarn/shell/options.h"
#include "zarn/tags/fileinfo.h"
#include "zarn/tags/genres.h"
#include "zarn/tags/id3v1limits.h"

namespace {

QLineEdit* TagBox(QWidget* parent, const char* name, const QString& tip,
                  const QString& placeholder) {
    auto* box = Named(new QLineEdit(parent), name, tip);
    box->setPlaceholderText(placeholder);
    box->setFont(QFont(QStringLiteral("Arial")));
    return box;
}

QComboBox* GenreBox(QWidget* parent, const char* name, bool editable) {
    auto* box = Named(new QComboBox(parent), name);
    box->setEditable(editable);
    box->addItems(GenreChoices());
    box->setPlaceholderText(QStringLiteral("Genre"));
    if (editable) box->lineEdit()->setPlaceholderText(QStringLiteral("Genre"));
    box->setCurrentIndex(-1);
    return box;
}

QLabel* Info(QWidget* parent, const char* name, const QString& caption) {
    return Named(new QLabel(caption, parent), name);
}

}  // namespace

QGroupBox* TagPanel::build(QWidget* owner) {
    Frame3 = Named(new QGroupBox(QStringLiteral("File ID3 info:"), owner), "Frame3");
    QWidget* f = Frame3;
    chkID3v1 = Named(new QCheckBox(QStringLiteral("ID3v&1 tag"), f), "chkID3v1");
    chkID3v2 = Named(new QCheckBox(QStringLiteral("ID3v&2 tag"), f), "chkID3v2");
    chkID3v1Rem = Named(new QCheckBox(QStringLiteral("Remove!"), f), "chkID3v1Rem",
                        QStringLiteral("Remove ID3v1 tags from all selected files."));
    chkID3v2Rem = Named(new QCheckBox(QStringLiteral("Remove!"), f), "chkID3v2Rem",
                        QStringLiteral("Remove ID3v2 tags from all selected files."));
    chkID3v1Rem->hide();
    chkID3v2Rem->hide();
    cmdCopyFromV1 = Named(new QPushButton(QStringLiteral("Copy f&rom ID3v1"), f), "cmdCopyFromV1");
    cmdCopyToV1 = Named(new QPushButton(QStringLiteral("Cop&y to ID3v1"), f), "cmdCopyToV1");
    cmdMore = Named(new QPushButton(QStringLiteral("&More"), f), "cmdMore",
                    QStringLiteral("Show other \"hidden\" ID3v2 frames in the file."));
    cmdSaveID3 = Named(new QPushButton(QStringLiteral("Save I&D3"), f), "cmdSaveID3",
                       QStringLiteral("Save changes to ID3-tags."));
    cmdFixID3 = Named(new QPushButton(QStringLiteral("Fi&x ID3"), f), "cmdFixID3",
                      QStringLiteral("Clean up the ID3 tags."));
    lblDescription1 = Named(new QLabel(f), "lblDescription1");
    lblDescription2 = Named(new QLabel(f), "lblDescription2");

    txtTitle = TagBox(f, "txtTitle", QStringLiteral("Title"), QStringLiteral("Title"));
    txtArtist = TagBox(f, "txtArtist", QStringLiteral("Artist"), QStringLiteral("Artist"));
    txtAlbum = TagBox(f, "txtAlbum", QStringLiteral("Album"), QStringLiteral("Album"));
    txtYear = TagBox(f, "txtYear", QStringLiteral("Year"), QStringLiteral("Year"));
    txtTrackNr = TagBox(f, "txtTrackNr", QStringLiteral("Track number"), QStringLiteral("Track"));
    txtComments = TagBox(f, "txtComments", QStringLiteral("Comment"), QStringLiteral("Comment"));
    cmbGenre = GenreBox(f, "cmbGenre", false);
    txtV2Title = TagBox(f, "txtV2Title", QStringLiteral("Title"), QStringLiteral("Title"));
    txtV2Artist = TagBox(f, "txtV2Artist", QStringLiteral("Artist"), QStringLiteral("Artist"));
    txtV2Album = TagBox(f, "txtV2Album", QStringLiteral("Album"), QStringLiteral("Album"));
    txtV2Year = TagBox(f, "txtV2Year", QStringLiteral("Year"), QStringLiteral("Year"));
    txtV2Track = TagBox(f, "txtV2Track", QStringLiteral("Track nr"), QStringLiteral("Track"));
    txtV2Comments = Named(new QPlainTextEdit(f), "txtV2Comments", QStringLiteral("Comment"));
    txtV2Comments->setPlaceholderText(QStringLiteral("Comment"));
    txtV2Comments->setFont(QFont(QStringLiteral("Arial")));
    txtV2Comments->setMaximumHeight(48);
    cmbV2Genre = GenreBox(f, "cmbV2Genre", true);
    txtV2Composer =
        TagBox(f, "txtV2Composer", QStringLiteral("Composer"), QStringLiteral("Composer"));
    txtV2OrigArtist = TagBox(f, "txtV2OrigArtist", QStringLiteral("Original Artist"),
                             QStringLiteral("Original Artist"));
    txtV2Copyright =
        TagBox(f, "txtV2Copyright", QStringLiteral("Copyright"), QStringLiteral("Copyright"));
    txtV2URL = TagBox(f, "txtV2URL", QStringLiteral("URL"), QStringLiteral("URL"));
    txtV2Encoder =
        TagBox(f, "txtV2Encoder", QStringLiteral("Encoded by"), QStringLiteral("Encoded by"));

    txtOldName = Named(new QLineEdit(f), "txtOldName", QStringLiteral("The current filename."));
    txtNewName = Named(new QLineEdit(f), "txtNewName", QStringLiteral("The new filename."));
    lblFileSize = Info(f, "lblFileSize", QStringLiteral("Size of this file: "));
    txtfType = Info(f, "txtfType", QStringLiteral("MPEG 1.0 layer 3"));
    txtfkBit = Info(f, "txtfkBit", QStringLiteral("0kbps"));
    txtfQuality = Info(f, "txtfQuality", QStringLiteral("0Hz Mono"));
    txtfSize = Info(f, "txtfSize", QStringLiteral("Size: "));
    txtfLength = Info(f, "txtfLength", QStringLiteral("Length: "));
    txtfHeader = Info(f, "txtfHeader", QStringLiteral("Header: "));
    txtfCopyrighted = Info(f, "txtfCopyrighted", QStringLiteral("Copyrighted: "));
    txtfOriginal = Info(f, "txtfOriginal", QStringLiteral("Original: "));
    txtfCRCs = Info(f, "txtfCRCs", QStringLiteral("CRCs: "));
    txtfEmphasis = Info(f, "txtfEmphasis", QStringLiteral("Emphasis: "));

    auto* grid = new QGridLayout(f);
    grid->setVerticalSpacing(2);
    grid->addWidget(chkID3v1, 0, 0);
    grid->addWidget(chkID3v1Rem, 0, 1);
    grid->addWidget(chkID3v2, 0, 2);
    grid->addWidget(chkID3v2Rem, 0, 3);
    const QList<QWidget*> v1{txtTitle,   txtArtist,   txtAlbum, txtYear,
                             txtTrackNr, txtComments, cmbGenre};
    const QList<QWidget*> v2{txtV2Title,      txtV2Artist,    txtV2Album,    txtV2Year,
                             txtV2Track,      cmbV2Genre,     txtV2Comments, txtV2Composer,
                             txtV2OrigArtist, txtV2Copyright, txtV2URL,      txtV2Encoder};
    for (int i = 0; i < v1.size(); ++i) grid->addWidget(v1[i], 1 + i, 0, 1, 2);
    for (int i = 0; i < v2.size(); ++i) grid->addWidget(v2[i], 1 + i, 2, 1, 2);
    int row = 1 + int(v2.size());
    grid->addWidget(lblDescription1, row, 0, 1, 2);
    grid->addWidget(lblDescription2, row++, 2, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (QWidget* b : {cmdCopyFromV1, cmdCopyToV1, cmdMore, cmdSaveID3, cmdFixID3})
        buttons->addWidget(b);
    grid->addLayout(buttons, row++, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Old filename:"), f), row, 0);
    grid->addWidget(txtOldName, row++, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("New filename:"), f), row, 0);
    grid->addWidget(txtNewName, row++, 1, 1, 3);
    // Three columns; the type line spans two. Each label is as wide as the widest text the
    // file reader can give it, so no text runs into its neighbour's, and a label's text never
    // widens the frame, which keeps its width.
    auto* facts = new QGridLayout;
    facts->setVerticalSpacing(2);
    const struct {
        QLabel* label;
        int span;
        const char* widest;
    } info[] = {{txtfType, 2, "MPEG 2.5 layer 3 ID3v1: 1.1 ID3v2: 4.0"},
                {txtfkBit, 1, "320kbps"},
                {txtfQuality, 1, "48000Hz JStereo"},
                {txtfLength, 1, "Length: 99999 s"},
                {txtfHeader, 1, "Header: 9999999b"},
                {txtfSize, 1, "Size: 9999999999b"},
                {lblFileSize, 1, "File size: 9999999 Kb"},
                {txtfCRCs, 1, "CRCs: Yes"},
                {txtfEmphasis, 1, "Emphasis: 50/15 micros"},
                {txtfCopyrighted, 1, "Copyrighted: Yes"},
                {txtfOriginal, 1, "Original: Yes"}};
    int line = 0, column = 0;
    for (const auto& [label, span, widest] : info) {
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QLatin1String(widest)));
        facts->addWidget(label, line, column, 1, span);
        column += span;
        if (column == 3) column = 0, ++line;
    }
    for (int c = 0; c < 3; ++c) facts->setColumnStretch(c, 1);
    grid->addLayout(facts, row, 0, 1, 4);
    grid->setRowStretch(row + 1, 1);
    Frame3->setFixedWidth(
        std::max({Frame3->sizeHint().width(), Frame3->minimumSizeHint().width(), 460}));
    return Frame3;
}

QList<QLineEdit*> TagPanel::lineBoxes() const {
    return {txtTitle,        txtArtist,      txtAlbum,   txtYear,     txtTrackNr, txtComments,
            txtV2Title,      txtV2Artist,    txtV2Album, txtV2Year,   txtV2Track, txtV2Composer,
            txtV2OrigArtist, txtV2Copyright, txtV2URL,   txtV2Encoder};
}

QList<QLabel*> TagPanel::infoLabels() const {
    return {txtfType,   txtfkBit,        txtfQuality,  txtfSize, txtfLength,
            txtfHeader, txtfCopyrighted, txtfOriginal, txtfCRCs, txtfEmphasis};
}

void TagPanel::clearTags() {
    chkID3v1->setChecked(false);
    chkID3v2->setChecked(false);
    for (QLineEdit* box : lineBoxes()) box->clear();
    txtV2Comments->clear();
    cmbGenre->setCurrentIndex(0);
    cmbV2Genre->setCurrentIndex(-1);
    cmbV2Genre->setEditText(QString());
}

void TagPanel::clearAll() {
    clearTags();
    for (QLabel* label : infoLabels()) label->clear();
    lblFileSize->clear();
    txtOldName->clear();
    txtNewName->clear();
}

void TagPanel::showFileInfo(const FileInfo& info) {
    const QList<std::pair<QLabel*, QString>> labels = {{txtfType, info.txtfType},
                                                       {txtfkBit, info.txtfkBit},
                                                       {txtfQuality, info.txtfQuality},
                                                       {txtfSize, info.txtfSize},
                                                       {txtfLength, info.txtfLength},
                                                       {txtfHeader, info.txtfHeader},
                                                       {txtfCopyrighted, info.txtfCopyrighted},
                                                       {txtfOriginal, info.txtfOriginal},
                                                       {txtfCRCs, info.txtfCRCs},
                                                       {txtfEmphasis, info.txtfEmphasis},
                                                       {lblFileSize, info.lblFileSize}};
    for (const auto& [label, text] : labels) label->setText(text);
    PanelValues v = PanelValuesOf(info);
    v.oldName = txtOldName->text();
    v.newName = txtNewName->text();
    setValues(v);
}

PanelValues TagPanel::values() const {
    PanelValues v;
    v.id3v1 = chkID3v1->isChecked();
    v.id3v2 = chkID3v2->isChecked();
    v.v1 = {txtArtist->text(), txtTitle->text(),        txtAlbum->text(),   txtTrackNr->text(),
            txtYear->text(),   cmbGenre->currentText(), txtComments->text()};
    v.v2 = {txtV2Artist->text(),         txtV2Title->text(), txtV2Album->text(),
            txtV2Track->text(),          txtV2Year->text(),  cmbV2Genre->currentText(),
            txtV2Comments->toPlainText()};
    v.composer = txtV2Composer->text();
    v.origArtist = txtV2OrigArtist->text();
    v.copyright = txtV2Copyright->text();
    v.url = txtV2URL->text();
    v.encoder = txtV2Encoder->text();
    v.oldName = txtOldName->text();
    v.newName = txtNewName->text();
    return v;
}

void TagPanel::setValues(const PanelValues& v) {
    chkID3v1->setChecked(v.id3v1);
    chkID3v2->setChecked(v.id3v2);
    const QList<std::pair<QLineEdit*, QString>> boxes = {
        {txtArtist, v.v1.artist},        {txtTitle, v.v1.title},        {txtAlbum, v.v1.album},
        {txtTrackNr, v.v1.track},        {txtYear, v.v1.year},          {txtComments, v.v1.comment},
        {txtV2Artist, v.v2.artist},      {txtV2Title, v.v2.title},      {txtV2Album, v.v2.album},
        {txtV2Track, v.v2.track},        {txtV2Year, v.v2.year},        {txtV2Composer, v.composer},
        {txtV2OrigArtist, v.origArtist}, {txtV2Copyright, v.copyright}, {txtV2URL, v.url},
        {txtV2Encoder, v.encoder},       {txtOldName, v.oldName},       {txtNewName, v.newName}};
    // A length limit left from the previous file must not cut the texts of this one.
    for (const auto& [box, text] : boxes)
        box->setMaxLength(std::max(box->maxLength(), int(text.size())));
    for (const auto& [box, text] : boxes) box->setText(text);
    txtV2Comments->setPlainText(v.v2.comment);
    // A name outside the list ("Unknown") shows as no genre.
    cmbGenre->setCurrentIndex(qMax(0, cmbGenre->findText(v.v1.genre)));
    cmbV2Genre->setEditText(v.v2.genre);
}

void SetID3v1BoxLimits(const ID3v1Boxes& boxes, const Options& options) {
    if (!boxes.artist || !boxes.title) return;
    const auto length = [](const QLineEdit* box) { return box ? int(box->text().size()) : 0; };
    const ID3v1BoxLimits limits =
        ID3v1LengthLimits(options.bOptimizedID3v1, length(boxes.album), length(boxes.comments),
                          length(boxes.track) > 0);
    // Under the packing a shorter limit stops typing but does not cut what a box holds (a
    // long title read from a file); without it the fields hold 30 characters anyway.
    const auto limit = [&](QLineEdit* box, int max) {
        box->setMaxLength(options.bOptimizedID3v1 ? std::max(max, length(box)) : max);
    };
    limit(boxes.artist, limits.artist);
    limit(boxes.title, limits.title);
}
