#include "zarn/fromtext/frmnamefromfile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "zarn/fromtext/albuminfo.h"
#include "zarn/fromtext/frmedit.h"
#include "zarn/fromtext/renamefromscan.h"
#include "zarn/fromtext/scan.h"
#include "zarn/shell/filedialogs.h"
#include "zarn/shell/fileerror.h"
#include "zarn/shell/fileops.h"
#include "zarn/shell/journalrecord.h"
#include "zarn/shell/keyfilter.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/namedwidget.h"
#include "zarn/shell/programfolder.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/progress.h"
#include "zarn/shell/screenfit.h"
#include "zarn/shell/text.h"
#include "zarn/shell/textfile.h"
#include "zarn/tags/genres.h"

namespace {

const QString kTextFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
const QString kMp3Filter =
    QStringLiteral("MP3 Files (*.mp3;*.mp2)|*.mp3;*.mp2|All Files (*.*)|*.*");
const QString kPatternHelp = QStringLiteral(
    "Here you define the inpattern that matches the text and the outpattern that will be used "
    "for the new filenames. \n%track = TrackNr    %artist = Artist    %title = Title    %album = "
    "Album \nThe characters between are the separators. ");
constexpr int kLongText = 30;  // an ID3v1 field's width

QCheckBox* Check(QWidget* parent, const char* name, const QString& caption,
                 const QString& tip = QString()) {
    return Named(new QCheckBox(caption, parent), name, tip);
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text) {
    return Named(new QLabel(text, parent), name);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QString& tip = QString()) {
    return Named(new QPushButton(caption, parent), name, tip);
}

QComboBox* PatternBox(QWidget* parent, const char* name, const QString& tip) {
    auto* box = Named(new QComboBox(parent), name, tip);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

// The patterns of a pattern file: lines that hold more than blanks, untrimmed.
QStringList PatternLines(const QString& fileName) {
    QStringList lines;
    for (const QString& line : ReadTextLines(ProgramFile(fileName), true))
        if (!TrimBlanks(line).isEmpty()) lines << line;
    return lines;
}

// A text edit's selection separates its lines by paragraph separators, not line breaks.
QString SelectedLines(const QPlainTextEdit* edit) {
    QString text = edit->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    return text;
}

QString FilesCount(int count) {
    return QStringLiteral("%1 files").arg(count);
}

}  // namespace

frmNameFromFile::frmNameFromFile(Parts parts, QWidget* parent)
    : QMainWindow(parent), m_parts(std::move(parts)) {
    setObjectName(QStringLiteral("frmNameFromFile"));
    setWindowTitle(QStringLiteral("Get MP3 info from File/Text"));
    buildControls();
    layOut();
    wire();
    fillPatterns();
    resize(920, 760);
    FitOnScreen(this);
}

frmNameFromFile::~frmNameFromFile() = default;

void frmNameFromFile::buildControls() {
    txtSourceText = Named(new QPlainTextEdit(this), "txtSourceText");
    txtSourceText->setLineWrapMode(QPlainTextEdit::NoWrap);
    Label9 = Caption(this, "Label9",
                     QStringLiteral("Select the text where from the filenames will be created:"));
    cmdOpenSource =
        Button(this, "cmdOpenSource", QStringLiteral("Open &Sourcefile..."),
               QStringLiteral("Select a (text-) file that contains the album information."));
    lblPattern = Caption(this, "lblPattern", kPatternHelp);
    lblPattern->setWordWrap(true);
    cmdScan = Button(this, "cmdScan", QStringLiteral("Sca&n now!"),
                     QStringLiteral("During this scan Zarn generates a list of suggested new "
                                    "filenames from the selected textlines."));
    cmdRenameFiles = Button(this, "cmdRenameFiles", QStringLiteral("&Rename Files"));
    cmdClose = Button(this, "cmdClose", QStringLiteral("&Close"));

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpenSource =
        Named(mnuFile->addAction(QStringLiteral("&Open Sourcefile...")), "mnuOpenSource");
    mnuAddMP3 = Named(mnuFile->addAction(QStringLiteral("&Add MP3 files...")), "mnuAddMP3");
    mnuClose = Named(mnuFile->addAction(QStringLiteral("&Close")), "mnuClose");
}

QWidget* frmNameFromFile::buildAlbumFrame() {
    Frame1 = Named(new QGroupBox(QStringLiteral("PreScan Result:"), this), "Frame1");
    const QString named =
        QStringLiteral("If checked all files will be tagged and named with this ");
    Label4 = Caption(Frame1, "Label4", QStringLiteral("Artist:"));
    txtArtist = Named(new QLineEdit(Frame1), "txtArtist", QStringLiteral("Artist"));
    chkArtist4All = Check(Frame1, "chkArtist4All", QStringLiteral("Use for all."),
                          named + QStringLiteral("artist."));
    Label5 = Caption(Frame1, "Label5", QStringLiteral("Album:"));
    txtAlbum = Named(new QLineEdit(Frame1), "txtAlbum", QStringLiteral("Album"));
    chkAlbum4All = Check(Frame1, "chkAlbum4All", QStringLiteral("Use for all."),
                         named + QStringLiteral("album."));
    Label6 = Caption(Frame1, "Label6", QStringLiteral("Year:"));
    txtYear = Named(new QLineEdit(Frame1), "txtYear");
    chkYear4All = Check(Frame1, "chkYear4All", QStringLiteral("Use for all."),
                        named + QStringLiteral("year."));
    Label13 = Caption(Frame1, "Label13", QStringLiteral("Release date:"));
    txtReleaseDate = Named(new QLineEdit(Frame1), "txtReleaseDate");
    chkRelease4All = Check(Frame1, "chkRelease4All", QStringLiteral("stored as comment."),
                           QStringLiteral("If checked all files will be tagged with this release "
                                          "date as a comment."));
    Label3 = Caption(Frame1, "Label3", QStringLiteral("Genre:"));
    cmbGenre = Named(new QComboBox(Frame1), "cmbGenre");
    QStringList genres = GenreTable();
    genres.sort(Qt::CaseInsensitive);
    cmbGenre->addItem(QString());  // no genre
    cmbGenre->addItems(genres);
    chkGenre4All = Check(Frame1, "chkGenre4All", QStringLiteral("Use for all."),
                         named + QStringLiteral("genre."));
    chkSaveID3v1 =
        Check(Frame1, "chkSaveID3v1", QStringLiteral("Save in ID3v&1."),
              QStringLiteral("Zarn will save the ID3v1 information in all files for you."));
    chkSaveID3v2 =
        Check(Frame1, "chkSaveID3v2", QStringLiteral("Save in ID3v&2."),
              QStringLiteral("Zarn will save the ID3v2 information in all files for you."));

    auto* grid = new QGridLayout(Frame1);
    const std::array<std::tuple<QLabel*, QWidget*, QCheckBox*>, 5> rows = {{
        {Label4, txtArtist, chkArtist4All},
        {Label5, txtAlbum, chkAlbum4All},
        {Label6, txtYear, chkYear4All},
        {Label13, txtReleaseDate, chkRelease4All},
        {Label3, cmbGenre, chkGenre4All},
    }};
    for (int row = 0; row < int(rows.size()); ++row) {
        grid->addWidget(std::get<0>(rows[row]), row, 0);
        grid->addWidget(std::get<1>(rows[row]), row, 1);
        grid->addWidget(std::get<2>(rows[row]), row, 2);
    }
    grid->addWidget(chkSaveID3v1, 5, 1);
    grid->addWidget(chkSaveID3v2, 6, 1);
    grid->setColumnStretch(1, 1);
    return Frame1;
}

QWidget* frmNameFromFile::buildPatternFrame() {
    Frame2 = Named(new QGroupBox(QStringLiteral("Patterns to use:"), this), "Frame2");
    Label1 = Caption(Frame2, "Label1", QStringLiteral("InPattern:"));
    cmbInPattern = PatternBox(Frame2, "cmbInPattern",
                              QStringLiteral("This pattern should match the selected textlines so "
                                             "that Zarn can get information from them."));
    Label2 = Caption(Frame2, "Label2", QStringLiteral("OutPattern:"));
    cmbOutPattern = PatternBox(Frame2, "cmbOutPattern",
                               QStringLiteral("This pattern will be used for the new filenames."));
    chkIgnoreFirst = Check(Frame2, "chkIgnoreFirst", QStringLiteral("Ignore first"));
    txtIgnoreFirst = Named(new QLineEdit(Frame2), "txtIgnoreFirst");
    Label11 = Caption(Frame2, "Label11", QStringLiteral("characters on every line."));
    chkIgnoreLast = Check(Frame2, "chkIgnoreLast", QStringLiteral("Ignore last"));
    txtIgnoreLast = Named(new QLineEdit(Frame2), "txtIgnoreLast");
    Label12 = Caption(Frame2, "Label12", QStringLiteral("characters on every line."));
    for (QLineEdit* box : {txtIgnoreFirst, txtIgnoreLast}) box->setMaximumWidth(48);

    auto* grid = new QGridLayout(Frame2);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cmbInPattern, 0, 1, 1, 3);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cmbOutPattern, 1, 1, 1, 3);
    grid->addWidget(chkIgnoreFirst, 2, 0);
    grid->addWidget(txtIgnoreFirst, 2, 1);
    grid->addWidget(Label11, 2, 2, 1, 2);
    grid->addWidget(chkIgnoreLast, 3, 0);
    grid->addWidget(txtIgnoreLast, 3, 1);
    grid->addWidget(Label12, 3, 2, 1, 2);
    grid->addWidget(lblPattern, 4, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    return Frame2;
}

QWidget* frmNameFromFile::buildLists() {
    auto* area = new QWidget(this);
    Label7 = Caption(area, "Label7", QStringLiteral("Old (Current) Filenames:"));
    lstOldFileNames = Named(new QListWidget(area), "lstOldFileNames",
                            QStringLiteral("Move these files up and down to make them match with "
                                           "the new filename to the right."));
    Label8 = Caption(area, "Label8", QStringLiteral("New Fixed Filenames:"));
    lstNewFileNames = Named(new QListWidget(area), "lstNewFileNames",
                            QStringLiteral("Doubleclick to edit the filename!"));
    lblNrOldFiles = Caption(area, "lblNrOldFiles", FilesCount(0));
    lblNrNewFiles = Caption(area, "lblNrNewFiles", FilesCount(0));
    const QString removeTip = QStringLiteral("Remove the selected filename from the list.");
    cmdAddFiles = Button(area, "cmdAddFiles", QStringLiteral("Add &mp3-files..."));
    cmdRemoveFile = Button(area, "cmdRemoveFile", QStringLiteral("Remo&ve file"), removeTip);
    cmdRemoveNew = Button(area, "cmdRemoveNew", QStringLiteral("Remove fi&le"), removeTip);
    cmdClearOld = Button(area, "cmdClearOld", QStringLiteral("Clear lis&t"));
    cmdClearNew = Button(area, "cmdClearNew", QStringLiteral("Cl&ear list"));
    cmdMoveUp = Button(area, "cmdMoveUp", QStringLiteral("\u2191"),
                       QStringLiteral("Move the selected file one step up."));
    cmdMoveDn = Button(area, "cmdMoveDn", QStringLiteral("\u2193"),
                       QStringLiteral("Move the selected file one step down."));

    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(cmdMoveUp);
    arrows->addWidget(cmdMoveDn);
    arrows->addStretch();
    auto* oldButtons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdAddFiles), static_cast<QWidget*>(cmdRemoveFile),
                       static_cast<QWidget*>(cmdClearOld)})
        oldButtons->addWidget(w);
    oldButtons->addStretch();
    oldButtons->addWidget(lblNrOldFiles);
    auto* newButtons = new QHBoxLayout;
    newButtons->addWidget(cmdRemoveNew);
    newButtons->addWidget(cmdClearNew);
    newButtons->addStretch();
    newButtons->addWidget(lblNrNewFiles);

    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Label7, 0, 0);
    grid->addWidget(Label8, 0, 2);
    grid->addWidget(lstOldFileNames, 1, 0);
    grid->addLayout(arrows, 1, 1);
    grid->addWidget(lstNewFileNames, 1, 2);
    grid->addLayout(oldButtons, 2, 0);
    grid->addLayout(newButtons, 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return area;
}

void frmNameFromFile::layOut() {
    auto* central = new QWidget(this);
    auto* source = new QVBoxLayout;
    auto* sourceHead = new QHBoxLayout;
    sourceHead->addWidget(Label9);
    sourceHead->addStretch();
    sourceHead->addWidget(cmdOpenSource);
    source->addLayout(sourceHead);
    source->addWidget(txtSourceText);
    // The album and pattern boxes scroll on their own on a low screen, so that the text and
    // the lists below keep their share of the height.
    auto* boxes = new QWidget(central);
    auto* frames = new QVBoxLayout(boxes);
    frames->setContentsMargins(0, 0, 0, 0);
    frames->addWidget(buildAlbumFrame());
    frames->addWidget(buildPatternFrame());
    frames->addStretch();
    auto* scanRow = new QHBoxLayout;
    scanRow->addStretch();
    scanRow->addWidget(cmdScan);
    auto* settings = new QVBoxLayout;
    settings->addWidget(new ScrollingBody(boxes, central), 1);
    settings->addLayout(scanRow);
    auto* top = new QHBoxLayout;
    top->addLayout(source, 1);
    top->addLayout(settings, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdRenameFiles);
    bottom->addWidget(cmdClose);
    // On a low screen the text, the boxes and the lists scroll; "Rename Files" and "Close" stay.
    auto* body = new QWidget(central);
    auto* parts = new QVBoxLayout(body);
    parts->setContentsMargins(0, 0, 0, 0);
    parts->addLayout(top);
    parts->addWidget(buildLists(), 1);
    auto* all = new QVBoxLayout(central);
    all->addWidget(new ScrollingBody(body, central), 1);
    all->addLayout(bottom);
    setCentralWidget(central);
}

void frmNameFromFile::wire() {
    connect(cmdOpenSource, &QPushButton::clicked, this, &frmNameFromFile::openSource);
    connect(mnuOpenSource, &QAction::triggered, this, &frmNameFromFile::openSource);
    connect(cmdAddFiles, &QPushButton::clicked, this, &frmNameFromFile::addFiles);
    connect(mnuAddMP3, &QAction::triggered, this, &frmNameFromFile::addFiles);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(mnuClose, &QAction::triggered, this, &QWidget::close);
    connect(cmdScan, &QPushButton::clicked, this, &frmNameFromFile::scan);
    connect(cmdRenameFiles, &QPushButton::clicked, this, &frmNameFromFile::renameFiles);
    connect(cmdRemoveFile, &QPushButton::clicked, this,
            [this] { removeSelected(lstOldFileNames); });
    connect(cmdRemoveNew, &QPushButton::clicked, this, [this] { removeSelected(lstNewFileNames); });
    connect(cmdClearOld, &QPushButton::clicked, this, [this] { clearList(lstOldFileNames); });
    connect(cmdClearNew, &QPushButton::clicked, this, [this] { clearList(lstNewFileNames); });
    connect(cmdMoveUp, &QPushButton::clicked, this, [this] { moveOldFile(-1); });
    connect(cmdMoveDn, &QPushButton::clicked, this, [this] { moveOldFile(1); });
    connect(lstOldFileNames, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = lstOldFileNames->row(item);
        if (row < lstNewFileNames->count()) lstNewFileNames->setCurrentRow(row);
    });
    connect(lstNewFileNames, &QListWidget::itemDoubleClicked, this, &frmNameFromFile::editNewName);
    connect(txtArtist, &QLineEdit::textChanged, this, [this] {
        markLongText(txtArtist, QStringLiteral("Artist"),
                     QStringLiteral("Artist (Optimized=More than 30 characters)"));
    });
    connect(txtAlbum, &QLineEdit::textChanged, this, [this] {
        markLongText(txtAlbum, QStringLiteral("Album"),
                     QStringLiteral("Album (More than 30 characters)"));
    });
    KeyFilter::refusing(QStringLiteral("/\\:?\"<>|*"), this)->attachTo(cmbOutPattern);
    txtSourceText->installEventFilter(this);
    lstOldFileNames->installEventFilter(this);
    lstNewFileNames->installEventFilter(this);
}

void frmNameFromFile::fillPatterns() {
    cmbInPattern->addItems(PatternLines(QStringLiteral("inpattern.txt")));
    cmbInPattern->setEditText(m_parts.inPattern);
    cmbOutPattern->addItems(PatternLines(QStringLiteral("outpattern.txt")));
    cmbOutPattern->setEditText(m_parts.outPattern);
}

void frmNameFromFile::addOldEntries(const QStringList& entries) {
    lstOldFileNames->addItems(entries);
    updateCounts();
}

void frmNameFromFile::ReadAlbumInfo() {
    const AlbumInfo info = ::ReadAlbumInfo(txtSourceText->toPlainText());
    txtArtist->setText(info.artist);
    txtAlbum->setText(info.album);
    txtYear->setText(info.year);
    txtReleaseDate->setText(info.releaseDate);
}

void frmNameFromFile::openSource() {
    const QString folder = lstOldFileNames->count() > 0
                               ? FolderFromEntry(lstOldFileNames->item(0)->text())
                               : m_parts.values.lastDialogFolder;
    const QStringList chosen = m_parts.dialogs.open(folder, kTextFilter, false).paths;
    if (chosen.isEmpty()) return;
    QFile file(chosen.first());
    if (!file.open(QIODevice::ReadOnly)) {
        ReportFileError(&m_parts.prompter, FileErrorOf(file));
        return;
    }
    txtSourceText->setPlainText(
        SourceTextFromBytes(file.readAll(), m_parts.values.options.strRemoveChars));
    ReadAlbumInfo();
    m_parts.values.lastDialogFolder = FolderOf(chosen.first());
}

void frmNameFromFile::addFiles() {
    const QStringList chosen =
        m_parts.dialogs.open(m_parts.values.lastDialogFolder, kMp3Filter, true).paths;
    if (chosen.isEmpty()) return;
    for (const QString& path : chosen) lstOldFileNames->addItem(EntryFromPath(path));
    m_parts.values.lastDialogFolder = FolderOf(chosen.first());
    updateCounts();
}

void frmNameFromFile::scan() {
    cmbInPattern->setEditText(TrimBlanks(cmbInPattern->currentText()));
    ScanSettings s;
    s.inPattern = cmbInPattern->currentText();
    s.outPattern = cmbOutPattern->currentText();
    s.ignoreFirst = chkIgnoreFirst->isChecked();
    s.ignoreFirstCount = IgnoreCount(txtIgnoreFirst->text());
    s.ignoreLast = chkIgnoreLast->isChecked();
    s.ignoreLastCount = IgnoreCount(txtIgnoreLast->text());
    s.artist = txtArtist->text();
    s.album = txtAlbum->text();
    s.year = txtYear->text();
    s.artist4All = chkArtist4All->isChecked();
    s.album4All = chkAlbum4All->isChecked();
    s.year4All = chkYear4All->isChecked();
    s.fixFilenames = m_parts.fixFilenames && m_parts.fixFilenames();
    const QString text = ScanSource(txtSourceText->toPlainText(), SelectedLines(txtSourceText));
    lstNewFileNames->addItems(ScanText(text, s, m_parts.values.options));
    updateCounts();
}

void frmNameFromFile::renameFiles() {
    const int oldCount = lstOldFileNames->count();
    const int newCount = lstNewFileNames->count();
    if (!ConfirmRowCounts(oldCount, newCount, m_parts.prompter)) return;
    const RecordedOperation recorded(QStringLiteral("Rename Files"),
                                     UndoLimits(m_parts.values.options), &m_parts.prompter);
    QStringList oldPaths, newNames;
    for (int i = 0; i < oldCount; ++i) oldPaths << PathFromEntry(lstOldFileNames->item(i)->text());
    for (int i = 0; i < newCount; ++i) newNames << lstNewFileNames->item(i)->text();
    RenameSettings s;
    s.outPattern = cmbOutPattern->currentText();
    s.boxes = {txtArtist->text(),          txtAlbum->text(),         txtYear->text(),
               cmbGenre->currentText(),    txtReleaseDate->text(),   chkArtist4All->isChecked(),
               chkAlbum4All->isChecked(),  chkYear4All->isChecked(), chkGenre4All->isChecked(),
               chkRelease4All->isChecked()};
    s.saveID3v1 = chkSaveID3v1->isChecked();
    s.saveID3v2 = chkSaveID3v2->isChecked();
    s.policy = CollisionPolicyOf(m_parts.existsChoice ? m_parts.existsChoice() : 0);
    s.fixFilenames = m_parts.fixFilenames && m_parts.fixFilenames();

    const QList<RenameRow> rows = PairRows(oldPaths, newNames);
    const RenameRun run =
        RenameAndTag(rows, s, m_parts.values.options, m_parts.prompter, startRun(int(rows.size())));
    const RenameEnd end = run.end;
    // However the run ended, the main list shows the files it renamed by their new names.
    if (!run.renamed.isEmpty()) emit filesRenamed(run.renamed);
    // A stop from the progress window ends without "Done!"; Cancel to a collision closes it.
    if (end == RenameEnd::Done || end == RenameEnd::Cancelled)
        finishRun(end == RenameEnd::Cancelled);
    if (end == RenameEnd::Done) reset();
}

Progress& frmNameFromFile::startRun(int total) {
    if (m_parts.startRun) return m_parts.startRun(total);
    m_ownProgress = std::make_unique<EventLoopProgress>([this](const ProgressStep& step) {
        statusBar()->showMessage(
            QStringLiteral("File %1 of %2: %3").arg(step.number).arg(step.total).arg(step.source));
    });
    return *m_ownProgress;
}

void frmNameFromFile::finishRun(bool close) {
    if (m_parts.finishRun)
        m_parts.finishRun(close);
    else
        statusBar()->showMessage(QStringLiteral("Done!"));
}

void frmNameFromFile::editNewName() {
    QListWidgetItem* item = lstNewFileNames->currentItem();
    if (!item) return;
    frmEdit edit(item->text(), this);
    if (edit.exec() == QDialog::Accepted) item->setText(edit.fixedName());
}

void frmNameFromFile::moveOldFile(int step) {
    const int row = lstOldFileNames->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= lstOldFileNames->count()) return;
    lstOldFileNames->insertItem(to, lstOldFileNames->takeItem(row));
    lstOldFileNames->setCurrentRow(to);
}

void frmNameFromFile::removeSelected(QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0 || !list->currentItem()->isSelected()) return;
    delete list->takeItem(row);
    updateCounts();
}

void frmNameFromFile::clearList(QListWidget* list) {
    list->clear();
    updateCounts();
}

void frmNameFromFile::updateCounts() {
    lblNrOldFiles->setText(FilesCount(lstOldFileNames->count()));
    lblNrNewFiles->setText(FilesCount(lstNewFileNames->count()));
}

void frmNameFromFile::markLongText(QLineEdit* box, const QString& normalTip,
                                   const QString& longTip) {
    const bool longText = box->text().size() > kLongText;
    box->setToolTip(longText ? longTip : normalTip);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, longText ? QColor(255, 255, 192)
                                              : QApplication::palette(box).color(QPalette::Base));
    box->setPalette(palette);
}

void frmNameFromFile::reset() {
    lstOldFileNames->clear();
    lstNewFileNames->clear();
    for (QLineEdit* box : {txtAlbum, txtArtist, txtReleaseDate, txtYear}) box->clear();
    txtSourceText->clear();
    for (QCheckBox* box : {chkIgnoreFirst, chkIgnoreLast, chkAlbum4All, chkArtist4All,
                           chkRelease4All, chkYear4All, chkSaveID3v1, chkSaveID3v2})
        box->setChecked(false);
    updateCounts();
}

void frmNameFromFile::closeEvent(QCloseEvent* event) {
    emit closed();
    QMainWindow::closeEvent(event);
}

bool frmNameFromFile::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == txtSourceText && key->matches(QKeySequence::Paste)) {
        // Cleaned as a loaded text is, so that both give the same names.
        txtSourceText->insertPlainText(CleanSourceText(QApplication::clipboard()->text(),
                                                       m_parts.values.options.strRemoveChars));
        ReadAlbumInfo();
        return true;
    }
    if ((watched == lstOldFileNames || watched == lstNewFileNames) &&
        key->key() == Qt::Key_Delete) {
        removeSelected(static_cast<QListWidget*>(watched));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
