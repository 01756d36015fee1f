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
#include "zarn/tags/panelfields.h"

namespace {

QComboBox* GenreBox(QWidget* parent, const char* name, bool editable) {
    auto* box = Named(new QComboBox(parent), name);
    box->setEditable(editable);
    box->addItems(GenreChoices());
    box->setPlaceholderText(QStringLiteral("Genre"));
    if (editable) box->lineEdit()->setPlaceholderText(QStringLiteral("Genre"));
    box->setCurrentIndex(-1);
    return box;
}

// One tag box as the table describes it; the ID3v2 genre list takes typed names too.
QWidget* MakeBox(QWidget* parent, const PanelField& field, int column) {
    const PanelBox& b = field.in(column);
    if (b.kind == BoxKind::GenreList) return GenreBox(parent, b.name, column == 2);
    const QString tip = b.tip ? QString::fromLatin1(b.tip) : QString();
    const QString placeholder = QString::fromLatin1(field.placeholder);
    const QFont arial(QStringLiteral("Arial"));
    if (b.kind == BoxKind::Lines) {
        auto* box = Named(new QPlainTextEdit(parent), b.name, tip);
        box->setPlaceholderText(placeholder);
        box->setFont(arial);
        box->setMaximumHeight(48);
        return box;
    }
    auto* box = Named(new QLineEdit(parent), b.name, tip);
    box->setPlaceholderText(placeholder);
    box->setFont(arial);
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

    for (const PanelField& field : PanelFields())
        for (int column : {1, 2})
            if (field.in(column).exists())
                m_boxes[column - 1][int(field.field)] = MakeBox(f, field, column);
    bindBoxes();

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
    int rows = 0;
    for (const PanelField& field : PanelFields())
        for (int column : {1, 2})
            if (const PanelBox& b = field.in(column); b.exists()) {
                grid->addWidget(box(column, field.field), 1 + b.row, column == 1 ? 0 : 2, 1, 2);
                rows = std::max(rows, b.row + 1);
            }
    int row = 1 + rows;
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

void TagPanel::bindBoxes() {
    const auto line = [this](int column, TagField field) {
        return static_cast<QLineEdit*>(box(column, field));
    };
    const auto list = [this](int column) {
        return static_cast<QComboBox*>(box(column, TagField::Genre));
    };
    txtTitle = line(1, TagField::Title);
    txtArtist = line(1, TagField::Artist);
    txtAlbum = line(1, TagField::Album);
    txtYear = line(1, TagField::Year);
    txtTrackNr = line(1, TagField::Track);
    txtComments = line(1, TagField::Comment);
    cmbGenre = list(1);
    txtV2Title = line(2, TagField::Title);
    txtV2Artist = line(2, TagField::Artist);
    txtV2Album = line(2, TagField::Album);
    txtV2Year = line(2, TagField::Year);
    txtV2Track = line(2, TagField::Track);
    txtV2Comments = static_cast<QPlainTextEdit*>(box(2, TagField::Comment));
    cmbV2Genre = list(2);
    txtV2Composer = line(2, TagField::Composer);
    txtV2OrigArtist = line(2, TagField::OrigArtist);
    txtV2Copyright = line(2, TagField::Copyright);
    txtV2URL = line(2, TagField::URL);
    txtV2Encoder = line(2, TagField::Encoder);
}

QWidget* TagPanel::box(int column, TagField field) const {
    return m_boxes[column == 1 ? 0 : 1][int(field)];
}

QList<QWidget*> TagPanel::boxes(int column) const {
    QList<QWidget*> all;
    for (const PanelField& field : PanelFields())
        if (QWidget* b = box(column, field.field)) all.append(b);
    return all;
}

QList<QLabel*> TagPanel::infoLabels() const {
    return {txtfType,   txtfkBit,        txtfQuality,  txtfSize, txtfLength,
            txtfHeader, txtfCopyrighted, txtfOriginal, txtfCRCs, txtfEmphasis};
}

void TagPanel::clearTags() {
    chkID3v1->setChecked(false);
    chkID3v2->setChecked(false);
    for (int column : {1, 2})
        for (QWidget* b : boxes(column)) ClearBox(b);
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
    for (const PanelField& field : PanelFields())
        for (int column : {1, 2})
            if (const QWidget* b = box(column, field.field))
                BoxText(v, column, field.field) = TextOfBox(b);
    v.oldName = txtOldName->text();
    v.newName = txtNewName->text();
    return v;
}

void TagPanel::setValues(const PanelValues& v) {
    chkID3v1->setChecked(v.id3v1);
    chkID3v2->setChecked(v.id3v2);
    QList<std::pair<QWidget*, QString>> texts;
    for (const PanelField& field : PanelFields())
        for (int column : {1, 2})
            if (QWidget* b = box(column, field.field))
                texts.append({b, BoxText(v, column, field.field)});
    texts.append({txtOldName, v.oldName});
    texts.append({txtNewName, v.newName});
    // A length limit left from the previous file must not cut the texts of this one.
    for (const auto& [b, text] : texts)
        if (auto* line = qobject_cast<QLineEdit*>(b))
            line->setMaxLength(std::max(line->maxLength(), int(text.size())));
    for (const auto& [b, text] : texts) SetTextOfBox(b, text);
}

QString TextOfBox(const QObject* box) {
    if (auto* line = qobject_cast<const QLineEdit*>(box)) return line->text();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(box)) return plain->toPlainText();
    if (auto* list = qobject_cast<const QComboBox*>(box)) return list->currentText();
    return {};
}

void SetTextOfBox(QObject* box, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) line->setText(text);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) plain->setPlainText(text);
    auto* list = qobject_cast<QComboBox*>(box);
    if (!list) return;
    if (list->isEditable())
        list->setEditText(text);
    else  // a name outside the list ("Unknown") shows as no genre
        list->setCurrentIndex(qMax(0, list->findText(text)));
}

void ClearBox(QObject* box) {
    auto* list = qobject_cast<QComboBox*>(box);
    if (list && list->isEditable()) list->setCurrentIndex(-1);
    SetTextOfBox(box, QString());
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
