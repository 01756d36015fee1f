#include "zarn/editing/frmmoreid3v2.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "zarn/editing/hiddenframes.h"
#include "zarn/shell/filedialogs.h"
#include "zarn/shell/fileops.h"
#include "zarn/shell/text.h"

namespace {

template <typename T>
T* Named(T* widget, const char* name, const QString& tip = QString()) {
    widget->setObjectName(QLatin1String(name));
    if (!tip.isEmpty()) widget->setToolTip(tip);
    return widget;
}

// The save dialog's filters with the one that suits the frame first; `suffix` is the file
// type FrameExport chose.
QString FiltersFor(const QString& suffix) {
    QList<std::pair<QString, QString>> filters = {
        {QStringLiteral("Text File (*.txt)"), QStringLiteral("txt")},
        {QStringLiteral("Bitmap Picture (*.bmp)"), QStringLiteral("bmp")},
        {QStringLiteral("Jpeg Picture (*.jpg)"), QStringLiteral("jpg")},
        {QStringLiteral("PNG Picture (*.png)"), QStringLiteral("png")}};
    if (suffix == u"gif") filters.prepend({QStringLiteral("GIF Picture (*.gif)"), suffix});
    if (suffix == u"bin") filters.prepend({QStringLiteral("Frame Data (*.bin)"), suffix});
    for (qsizetype i = 0; i < filters.size(); ++i)
        if (filters[i].second == suffix) filters.move(i, 0);
    QStringList parts;
    for (const auto& [description, extension] : filters)
        parts << description << QStringLiteral("*.") + extension;
    return parts.join(u'|');
}

}  // namespace

frmMoreID3v2::frmMoreID3v2(QByteArray& hiddenFrames, FileDialogs& dialogs, Prompter& prompter,
                           const QString& lastDir, QWidget* parent)
    : QDialog(parent),
      m_hidden(hiddenFrames),
      m_dialogs(dialogs),
      m_prompter(prompter),
      m_lastDir(lastDir) {
    setObjectName(QStringLiteral("frmMoreID3v2"));
    setWindowTitle(QStringLiteral("More ID3v2 frames"));
    build();
    load();
}

void frmMoreID3v2::build() {
    lstID3v2Tags = Named(new QListWidget(this), "lstID3v2Tags");
    txtTagContent = Named(new QPlainTextEdit(this), "txtTagContent");
    cmbV2Frames = Named(new QComboBox(this), "cmbV2Frames");
    cmbV2Frames->setEditable(true);
    cmbV2Frames->setInsertPolicy(QComboBox::NoInsert);
    cmdAdd = Named(new QPushButton(QStringLiteral("&Add"), this), "cmdAdd");
    cmdRemove = Named(new QPushButton(QStringLiteral("&Remove"), this), "cmdRemove");
    cmdRemoveAll = Named(new QPushButton(QStringLiteral("Remove A&ll"), this), "cmdRemoveAll",
                         QStringLiteral("Remove All ID3v2 tags in the list from the file."));
    cmdSaveToFile =
        Named(new QPushButton(QStringLiteral("&Save As File..."), this), "cmdSaveToFile");
    cmdClose = Named(new QPushButton(QStringLiteral("&Close"), this), "cmdClose");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("ID3v2 frames in file:"), this), 0, 0);
    grid->addWidget(lstID3v2Tags, 1, 0, 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("Frame content:"), this), 0, 1, 1, 2);
    grid->addWidget(txtTagContent, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Add frame:"), this), 2, 1);
    grid->addWidget(cmbV2Frames, 2, 2);
    grid->addWidget(cmdAdd, 3, 1);
    grid->addWidget(cmdRemove, 3, 2);
    grid->addWidget(cmdRemoveAll, 4, 1);
    grid->addWidget(cmdSaveToFile, 4, 2);
    grid->addWidget(cmdClose, 5, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    resize(520, 300);

    connect(lstID3v2Tags, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(lstID3v2Tags, &QListWidget::itemClicked, this, [this] { showSelected(); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { add(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { remove(); });
    connect(cmdRemoveAll, &QPushButton::clicked, this, [this] { removeAll(); });
    connect(cmdSaveToFile, &QPushButton::clicked, this, [this] { saveToFile(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmMoreID3v2::load() {
    lstID3v2Tags->clear();
    cmbV2Frames->clear();
    for (const QByteArray& id : MoreFrameIds()) cmbV2Frames->addItem(QString::fromLatin1(id));
    cmbV2Frames->setCurrentIndex(-1);
    for (const ListedFrame& frame : ListedFrames(m_hidden)) addRow(frame);
}

void frmMoreID3v2::addRow(const ListedFrame& frame) {
    auto* item = new QListWidgetItem(frame.label, lstID3v2Tags);
    item->setData(Qt::UserRole, frame.index);
}

int frmMoreID3v2::selectedFrame() const {
    const QListWidgetItem* item = lstID3v2Tags->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void frmMoreID3v2::showSelected() {
    const int index = selectedFrame();
    if (index >= 0) txtTagContent->setPlainText(FrameContentText(m_hidden, index));
}

void frmMoreID3v2::add() {
    const QString id = cmbV2Frames->currentText();
    const QString text = txtTagContent->toPlainText();
    const QByteArray added = WithFrameAdded(m_hidden, id, text);
    if (added == m_hidden) return;
    m_hidden = added;
    // The new frame is the last one; its row goes to the end of the list.
    const QList<ListedFrame> frames = ListedFrames(m_hidden);
    const auto last = std::max_element(
        frames.begin(), frames.end(),
        [](const ListedFrame& a, const ListedFrame& b) { return a.index < b.index; });
    if (last != frames.end()) addRow(*last);
    cmbV2Frames->setCurrentIndex(-1);
    cmbV2Frames->setEditText(QString());
    txtTagContent->clear();
}

void frmMoreID3v2::remove() {
    const int index = selectedFrame();
    if (index < 0) return;
    m_hidden = WithoutFrame(m_hidden, index);
    delete lstID3v2Tags->takeItem(lstID3v2Tags->currentRow());
    // The frames behind the removed one moved up one place.
    for (int row = 0; row < lstID3v2Tags->count(); ++row) {
        QListWidgetItem* item = lstID3v2Tags->item(row);
        const int at = item->data(Qt::UserRole).toInt();
        if (at > index) item->setData(Qt::UserRole, at - 1);
    }
    txtTagContent->clear();
}

void frmMoreID3v2::removeAll() {
    lstID3v2Tags->clear();
    txtTagContent->clear();
    m_hidden.clear();
}

void frmMoreID3v2::saveToFile() {
    const int index = selectedFrame();
    // With no frame chosen the box's own text is what there is to save.
    const FrameFile file =
        index < 0 ? FrameFile{txtTagContent->toPlainText().toUtf8(), QStringLiteral("txt")}
                  : FrameExport(m_hidden, index);
    const FileDialogs::Choice choice = m_dialogs.save(m_lastDir, FiltersFor(file.suffix));
    // The name is used as chosen: adding a suffix here would replace a file the dialog's
    // overwrite question never named.
    const QString path = choice.paths.isEmpty() ? QString() : TrimBlanks(choice.paths.first());
    if (path.isEmpty()) return;
    const FileError error = WriteWholeFile(path, file.bytes);
    if (error.failed()) ReportFileError(&m_prompter, error);
}
