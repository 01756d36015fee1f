#include "zarn/app/frmzarn.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "zarn/app/flowlayout.h"
#include "zarn/app/listcommands.h"
#include "zarn/app/mainwindowfromtext.h"
#include "zarn/app/mainwindownames.h"
#include "zarn/app/scrollstrip.h"
#include "zarn/app/undocommands.h"
#include "zarn/editing/fixid3command.h"
#include "zarn/editing/frmmoreid3v2.h"
#include "zarn/editing/panelbehaviour.h"
#include "zarn/editing/savecommand.h"
#include "zarn/extras/about.h"
#include "zarn/extras/help.h"
#include "zarn/extras/playfilepage.h"
#include "zarn/extras/qtplayer.h"
#include "zarn/names/fixfilename.h"
#include "zarn/names/replacelist.h"
#include "zarn/shell/duplicatemark.h"
#include "zarn/shell/filedialogs.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/mainsettings.h"
#include "zarn/shell/namedwidget.h"
#include "zarn/shell/programfolder.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/screenfit.h"
#include "zarn/shell/settingsstore.h"
#include "zarn/sort/sortcommands.h"
#include "zarn/sort/sortingcontrols.h"
#include "zarn/tags/fileinfo.h"

namespace {

// The window's sizes are kept in twips; at 96 dots per inch a pixel is 15 twips.
constexpr int Px(int twips) {
    return twips / 15;
}
constexpr int kMinWidth = 9405;
constexpr int kHeight = 8025;

}  // namespace

frmZarn::frmZarn(SettingsStore& store, ProgramValues& values, Prompter& prompter,
                 FileDialogs* dialogs, Player* player, QWidget* parent)
    : QMainWindow(parent),
      m_store(store),
      m_values(values),
      m_prompter(prompter),
      m_ownDialogs(dialogs ? nullptr : std::make_unique<QtFileDialogs>(this)),
      m_dialogs(dialogs ? dialogs : m_ownDialogs.get()),
      m_ownPlayer(player ? nullptr : std::make_unique<QtPlayer>()),
      m_player(player ? player : m_ownPlayer.get()),
      m_list([this](const QString& path) { return NewNameOf(path); }) {
    setObjectName(QStringLiteral("frmZarn"));
    buildWindow();
    wireList();
    wireEditing();
    wireMenus();
    wireExtras();
    wireSorting();
    load();
    place();
    wireNames();
    wireFixID3();
    new UndoCommands(
        {menuBar(), this, m_prompter, [this](const QStringList& back) { refreshAfterUndo(back); }},
        this);
}

// Files an undo put back are in the list again under the names they have again; rows of names
// that are gone leave, and the panel reads its file anew.
void frmZarn::refreshAfterUndo(const QStringList& back) {
    m_commands->removeNonexistent();
    QSet<QString> listed;
    for (int row = 0; row < m_list.count(); ++row) listed.insert(m_list.pathAt(row));
    for (const QString& path : back)
        if (!listed.contains(path) && QFileInfo(path).isFile()) m_list.addPath(path);
    const QString shown = m_panelState.shown.path;
    if (shown.isEmpty() || !QFileInfo(shown).isFile())
        ClearFileInfo();
    else if (!m_panelState.severalFiles)
        ShowFileInfo(shown);
    m_commands->refreshCount();
}

frmZarn::~frmZarn() {
    shutDown();
}

QString frmZarn::NewNameOf(const QString& path) const {
    return FixFileName(path, cmbOutPattern->currentText(), cmbInPattern->currentText(),
                       m_values.options);
}

QString frmZarn::PanelNewName(const QString& path) const {
    return FixFileName2(
        PanelNameFields(panel.values(), cmbInPattern->currentText(), cmbOutPattern->currentText()),
        path, m_values.options);
}

void frmZarn::ClearFileInfo() {
    panel.clearAll();
    m_panelState.shown = {};
    m_commands->refreshCount();
}

void frmZarn::ShowFileInfo(QString path) {
    const FileInfo info = ReadFileInfo(path, m_values.options.bOptimizedID3v1);
    if (!info.exists) {
        for (int row = 0; row < m_list.count(); ++row) {
            if (m_list.pathAt(row).compare(path, Qt::CaseInsensitive) == 0) {
                RemoveRow(row);
                break;
            }
        }
        // The tags of the file shown before must not stay, or a save would write them into
        // another file; the count label loses the removed row.
        ClearFileInfo();
        panel.txtOldName->setText(QStringLiteral("The File Does Not Exist!"));
        return;
    }
    ClearFileInfo();
    if (info.readError) return;
    panel.showFileInfo(info);
    m_panelState.shown = ShownFileOf(path, info);
    const QString oldName = NameFromEntry(path);
    panel.txtOldName->setText(oldName);
    const bool fixNames = m_sorting->chkConvert->isChecked();
    panel.txtNewName->setText(fixNames ? PanelNewName(path) : oldName);
}

// One selected row shows its file; with several selected the panel keeps what it holds.
void frmZarn::loadChosenRow(int row) {
    m_panelState.severalFiles = lstFiles->selectedUpToTwo() >= 2;
    m_editing->selectionChanged();
    if (m_panelState.severalFiles || row < 0 || row >= m_list.count()) return;
    ShowFileInfo(m_list.pathAt(row));
    m_editing->refresh();
}

void frmZarn::refreshSelectedCount() {
    const FileListView* shown = m_commands->previewShown() ? lstPreview : lstFiles;
    lblSelected->setText(QStringLiteral("%1 selected").arg(shown->selectedCount()));
}

void frmZarn::RemoveRow(int row) {
    m_list.RemoveRow(row);
}

void frmZarn::buildWindow() {
    m_sorting = new SortingControls(m_values, this);
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    // The fixed parts scroll when the window is smaller than they need, so the window fits
    // small screens; the list takes whatever room is left.
    auto* settings = new QWidget(central);
    auto* top = new QHBoxLayout(settings);
    top->setContentsMargins(0, 0, 0, 0);
    auto* frames = new QVBoxLayout;
    frames->addWidget(m_sorting->buildMethodFrame());
    frames->addWidget(m_sorting->buildExistsFrame());
    top->addLayout(frames);
    top->addWidget(buildTabs(), 1);
    left->addWidget(new ScrollStrip(Qt::Horizontal, settings, central));
    left->addWidget(buildListArea(), 1);
    left->addWidget(buildButtonBar());
    columns->addLayout(left, 1);
    QGroupBox* tagFrame = panel.build(central);
    tagFrame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    columns->addWidget(new ScrollStrip(Qt::Vertical, tagFrame, central));
    setCentralWidget(central);
    menus.build(menuBar(), this);
}

QWidget* frmZarn::buildTabs() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    TabStrip1 = Named(new QTabBar(box), "TabStrip1");
    const std::array<std::pair<const char*, const char*>, 3> tabs{{
        {"Folders",
         "Specify which folders should be created and where files will be copied or moved to."},
        {"Patterns", "Define input and output patterns for the filenames."},
        {"Play File", "Play the selected file."},
    }};
    for (int i = 0; i < 3; ++i) {
        TabStrip1->addTab(QString::fromLatin1(tabs[i].first));
        TabStrip1->setTabToolTip(i, QString::fromLatin1(tabs[i].second));
    }
    auto* pages = new QStackedWidget(box);
    picTab[0] = m_sorting->buildFoldersPage();

    picTab[1] = new QWidget(box);
    cmbInPattern = Named(new QComboBox(picTab[1]), "cmbInPattern");
    cmbOutPattern = Named(new QComboBox(picTab[1]), "cmbOutPattern");
    for (QComboBox* box : {cmbInPattern, cmbOutPattern}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    auto* patterns = new QFormLayout(picTab[1]);
    patterns->addRow(QStringLiteral("InPattern:"), cmbInPattern);
    patterns->addRow(QStringLiteral("OutPattern:"), cmbOutPattern);

    m_playPage = new PlayFilePage(
        *m_player, m_prompter,
        {[this] { return currentPath(); }, [this] { return m_panelState.severalFiles; }}, box);
    picTab[2] = m_playPage;
    cmdOpenMP3 = m_playPage->cmdOpenMP3;
    VScroll = m_playPage->VScroll;

    for (int i = 0; i < 3; ++i) {
        picTab[i]->setObjectName(QStringLiteral("picTab%1").arg(i));
        pages->addWidget(picTab[i]);
    }
    connect(TabStrip1, &QTabBar::currentChanged, pages, &QStackedWidget::setCurrentIndex);
    m_sorting->setTabStrip(TabStrip1);
    layout->addWidget(TabStrip1);
    layout->addWidget(pages);
    return box;
}

QWidget* frmZarn::buildListArea() {
    m_listStack = new QStackedWidget(this);
    lstFiles = new FileListView(QStringLiteral("lstFiles"), m_listStack);
    lstPreview = new FileListView(QStringLiteral("lstPreview"), m_listStack);
    lstFiles->setModel(&m_list.files());
    lstPreview->setModel(&m_list.preview());
    MarkDuplicateRows(lstPreview, m_list.previewDuplicates());
    // Both lists share one spot; the stack shows one of them, so the preview covers the file
    // list exactly whatever the window's size.
    m_listStack->addWidget(lstFiles);
    m_listStack->addWidget(lstPreview);
    return m_listStack;
}

QWidget* frmZarn::buildButtonBar() {
    picBButtons = Named(new QWidget(this), "picBButtons");
    QWidget* const bar = picBButtons;
    cmdAddFiles = Named(new QPushButton(QStringLiteral("&Add Files..."), bar), "cmdAddFiles");
    cmdClear = Named(new QPushButton(QStringLiteral("&Clear List"), bar), "cmdClear");
    cmdSelectAll = Named(new QPushButton(QStringLiteral("Select A&ll"), bar), "cmdSelectAll");
    cmdSelectNone = Named(new QPushButton(QStringLiteral("Select &None"), bar), "cmdSelectNone");
    chkPreview = Named(
        new QCheckBox(QStringLiteral("Show &Preview."), bar), "chkPreview",
        QStringLiteral("Show a list of all new \"fixed\" filenames. This might take up to a few "
                       "minutes depending on the number of files and the type of ID3 tags."));
    lblFiles = Named(new QLabel(QStringLiteral("0 files"), bar), "lblFiles");
    lblSelected = Named(new QLabel(QStringLiteral("0 selected"), bar), "lblSelected");
    cmdSave = Named(new QPushButton(QStringLiteral("Sa&ve Sorting List..."), bar), "cmdSave");
    cmdLoad = Named(new QPushButton(QStringLiteral("L&oad Sorting List..."), bar), "cmdLoad");
    cmdOptions = Named(new QPushButton(QStringLiteral("Op&tions..."), bar), "cmdOptions");
    cmdSortThisFile =
        Named(new QPushButton(QStringLiteral("Sort Selected  (F&5)"), bar), "cmdSortThisFile");
    cmdSort = Named(new QPushButton(QStringLiteral("Sort All No&w!"), bar), "cmdSort");

    auto* layout = new QVBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    // The count has a row of its own: beside the buttons it was squeezed and cut as it grew.
    auto* count = new QHBoxLayout;
    count->addWidget(lblSelected);
    count->addStretch();
    count->addWidget(lblFiles);
    layout->addLayout(count);
    // Two rows of buttons; in a narrow window (a 1024-pixel screen) a row wraps rather than
    // being cut.
    const std::array<QList<QWidget*>, 2> rows{
        {{cmdAddFiles, cmdClear, cmdSelectAll, cmdSelectNone, chkPreview},
         {cmdSave, cmdLoad, cmdOptions, cmdSortThisFile, cmdSort}}};
    for (const QList<QWidget*>& row : rows) {
        auto* flow = new FlowLayout;
        flow->setSpacing(layout->spacing());
        for (QWidget* w : row) flow->addWidget(w);
        layout->addLayout(flow);
    }
    return picBButtons;
}

void frmZarn::wireList() {
    m_commands = new ListCommands({m_list, lstFiles, lstPreview, m_listStack, chkPreview, lblFiles},
                                  m_values, m_prompter, *m_dialogs, this);
    m_commands->clearFileInfo = [this] { ClearFileInfo(); };
    ListCommands* c = m_commands;
    connect(cmdAddFiles, &QPushButton::clicked, c, &ListCommands::addFiles);
    connect(cmdClear, &QPushButton::clicked, c, &ListCommands::clear);
    connect(cmdSelectAll, &QPushButton::clicked, c, &ListCommands::selectAll);
    connect(cmdSelectNone, &QPushButton::clicked, this, [this] {
        m_commands->selectNone();
        panel.clearTags();
        // The emptied boxes are no file's tags: a save must not write them over the shown file.
        m_panelState.shown = {};
    });
    connect(cmdSave, &QPushButton::clicked, c, &ListCommands::saveList);
    connect(cmdLoad, &QPushButton::clicked, c, &ListCommands::loadListReplacing);
    connect(chkPreview, &QCheckBox::toggled, c, &ListCommands::setPreviewShown);
    connect(lstFiles, &FileListView::pathsDropped, c, &ListCommands::dropOnFiles);
    connect(lstPreview, &FileListView::pathsDropped, c, &ListCommands::dropOnPreview);
    for (FileListView* view : {lstFiles, lstPreview}) {
        connect(view, &FileListView::removeRequested, c, [c, view] { c->removeSelected(view); });
        connect(view, &FileListView::deleteRequested, c, [c, view] { c->deleteSelected(view); });
        connect(view, &FileListView::selectAllRequested, c, &ListCommands::selectAll);
    }
    connect(lstFiles, &FileListView::popupRequested, this,
            [this](const QPoint& at) { menus.mnuPopup->popup(at); });
    connect(lstFiles, &FileListView::rowChosen, this, &frmZarn::fileRowChosen);
    // Select All (its button or Ctrl+A), Invert Selection: the panel follows the selection however
    // it is made, or a save would write one file's boxes (or empty ones) while several rows are
    // selected.
    connect(lstFiles, &FileListView::selectionMade, this,
            [this] { loadChosenRow(lstFiles->currentIndex().row()); });
    connect(this, &frmZarn::fileRowChosen, this, &frmZarn::loadChosenRow);
    // However rows are selected, or leave the list, or the other list is shown.
    for (FileListView* view : {lstFiles, lstPreview}) {
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &frmZarn::refreshSelectedCount);
        connect(view->model(), &QAbstractItemModel::rowsRemoved, this,
                &frmZarn::refreshSelectedCount);
        connect(view->model(), &QAbstractItemModel::modelReset, this,
                &frmZarn::refreshSelectedCount);
    }
    connect(m_listStack, &QStackedWidget::currentChanged, this, &frmZarn::refreshSelectedCount);
    connect(lstPreview, &FileListView::rowChosen, this, [this](int row) {
        emit fileRowChosen(row);
        panel.txtNewName->setText(m_list.preview().text(row));
    });
}

void frmZarn::wireMenus() {
    ListCommands* c = m_commands;
    connect(menus.mnuAddFiles, &QAction::triggered, c, &ListCommands::addFiles);
    connect(menus.mnuAddFolder, &QAction::triggered, c, &ListCommands::addFolder);
    connect(menus.mnuNonExistent, &QAction::triggered, c, &ListCommands::removeNonexistent);
    connect(menus.mnuSelV1Files, &QAction::triggered, c, [c] { c->selectWithTag(false); });
    connect(menus.mnuSelV2Files, &QAction::triggered, c, [c] { c->selectWithTag(true); });
    connect(menus.mnuSelInvert, &QAction::triggered, c, &ListCommands::invertSelection);
    connect(menus.mnuRemFromList, &QAction::triggered, c,
            [this] { m_commands->removeSelected(lstFiles); });
    connect(menus.mnuRemFromHD, &QAction::triggered, c,
            [this] { m_commands->deleteSelected(lstFiles); });
    connect(menus.mnuExit, &QAction::triggered, this, &frmZarn::close);
}

// The player, help and about; "Options" is wired with the name engine.
void frmZarn::wireExtras() {
    connect(menus.mnuPlayFile, &QAction::triggered, m_playPage, &PlayFilePage::play);
    connect(menus.mnuStopPlay, &QAction::triggered, m_playPage, &PlayFilePage::stop);
    connect(menus.mnuHelpMe, &QAction::triggered, this, [] { OpenHelp(); });
    connect(menus.mnuAbout, &QAction::triggered, this, [this] { ShowAbout(m_prompter); });
}

// The full path of the current row of the file list; empty when there is none.
QString frmZarn::currentPath() const {
    const int row = lstFiles->currentIndex().row();
    return row >= 0 && row < m_list.count() ? m_list.pathAt(row) : QString();
}

void frmZarn::wireSorting() {
    connect(m_sorting->cmdTargetDir, &QPushButton::clicked, this, [this] {
        const QString folder = m_dialogs->folder(
            QStringLiteral("Please select the target directory:"), m_sorting->txtTargetDir->text());
        if (!folder.isEmpty()) m_sorting->txtTargetDir->setText(folder);
    });
    m_sortCommands = new SortCommands(
        {m_list, lstFiles, lstPreview, *m_sorting, cmbInPattern, cmbOutPattern, panel.txtNewName,
         this, [this] { return m_commands->previewShown(); }, [this] { ClearFileInfo(); },
         [this] { m_commands->refreshCount(); }, [this] { return m_nameFromFile->windowShown(); },
         [this](const QString& text) { statusBar()->showMessage(text); }},
        m_values, m_prompter, this);
    m_nameFromFile = new NameFromFileCommand(
        {menus.mnuNameFromFile, this, m_list, lstFiles, cmbInPattern, cmbOutPattern,
         m_sorting->chkConvert, [this] { return m_sorting->existsIndex(); },
         [this]() -> frmSorting& { return m_sortCommands->progressWindow(); }, *m_dialogs,
         [this] { ClearFileInfo(); }},
        m_values, m_prompter, this);
    connect(cmdSort, &QPushButton::clicked, m_sortCommands, &SortCommands::sortAll);
    connect(menus.mnuSortAll, &QAction::triggered, m_sortCommands, &SortCommands::sortAll);
    connect(cmdSortThisFile, &QPushButton::clicked, m_sortCommands, &SortCommands::sortSelected);
    connect(menus.mnuQuickSort, &QAction::triggered, m_sortCommands, &SortCommands::sortSelected);
    connect(this, &frmZarn::stopRequested, m_sortCommands, &SortCommands::requestStop);
}

void frmZarn::wireEditing() {
    m_editing = new PanelBehaviour({panel, m_panelState, m_list, lstFiles, lstPreview, chkPreview,
                                    m_values.options, [this](int row) { emit fileRowChosen(row); }},
                                   this);
    const auto save = [this] {
        const bool several = m_panelState.severalFiles;
        const int saved = SaveID3({panel, m_panelState, m_list, lstFiles, lstPreview, chkPreview,
                                   m_values.options, m_prompter, this});
        if (saved <= 0) return;
        statusBar()->showMessage(saved == 1 ? QStringLiteral("Saved 1 file")
                                            : QStringLiteral("Saved %1 files").arg(saved));
        // The file's size and header facts follow its new tag.
        if (!several) ShowFileInfo(m_panelState.shown.path);
    };
    connect(panel.cmdSaveID3, &QPushButton::clicked, this, save);
    connect(menus.mnuSaveID3, &QAction::triggered, this, save);
    connect(panel.cmdMore, &QPushButton::clicked, this, [this] {
        if (m_panelState.severalFiles || m_list.count() == 0) return;
        frmMoreID3v2 more(m_panelState.shown.hiddenFrames, *m_dialogs, m_prompter,
                          m_values.lastDialogFolder, this);
        more.exec();
    });
}

void frmZarn::wireNames() {
    const NameEngineParts parts{cmbInPattern,
                                cmbOutPattern,
                                chkPreview,
                                cmdOptions,
                                menus.mnuOptions,
                                panel,
                                m_list,
                                lstFiles,
                                lstPreview,
                                [this](const QString& path) { return PanelNewName(path); },
                                [this](const QString& path) { return NewNameOf(path); }};
    WireNameEngine(parts, m_values, m_store, m_prompter, this);
}

void frmZarn::wireFixID3() {
    m_fixID3 = new FixID3Command(
        {m_list, lstFiles, lstPreview, chkPreview, cmbInPattern, panel, m_panelState, this},
        m_values, m_prompter, this);
    m_fixID3->clearFileInfo = [this] { ClearFileInfo(); };
    connect(panel.cmdFixID3, &QPushButton::clicked, m_fixID3, &FixID3Command::run);
    connect(menus.mnuFixID3, &QAction::triggered, m_fixID3, &FixID3Command::run);
}

void frmZarn::load() {
    setWindowTitle(ProgramCaption());
    const MainSettings s = LoadMainSettings(m_store, DefaultFolderSetting());
    // Letter folders are restored after genre folders, so with both stored only letters stay.
    m_sorting->chkGenre->setChecked(s.Genre);
    m_sorting->chkAlphabetical->setChecked(s.Alphabetical);
    m_sorting->chkSubFolder->setChecked(s.SubFolder);
    m_sorting->chkConvert->setChecked(s.Convert);
    m_sorting->txtSubFolder->setText(QString::number(s.txtSubFolder));
    m_sorting->setExistsIndex(s.FileExists);
    m_sorting->applyMethod(s.Move);
    m_sorting->txtTargetDir->setText(s.TargetDir);
    m_values.rememberedTargetFolder = s.TargetDir;
    m_values.lastDialogFolder = s.LastDir;
    cmbInPattern->setEditText(s.InPattern);
    cmbOutPattern->setEditText(s.OutPattern);
    m_values.options = LoadOptions(m_store);
    m_values.options.Replaces = ReadReplaceList(ProgramFile(QStringLiteral("replaces.txt")));
    const std::array<std::pair<QComboBox*, const char*>, 2> patternFiles{
        {{cmbInPattern, "inpattern.txt"}, {cmbOutPattern, "outpattern.txt"}}};
    for (const auto& [box, file] : patternFiles) {
        const QString text = box->currentText();
        box->addItems(ReadPatternChoices(ProgramFile(QString::fromLatin1(file))));
        box->setCurrentIndex(-1);  // adding the first choice must not replace the restored text
        box->setEditText(text);
    }
}

void frmZarn::place() {
    setMinimumSize(std::max(Px(kMinWidth), minimumSizeHint().width()),
                   std::max(Px(kHeight), minimumSizeHint().height()));
    // The start size shows every control whole, unless the screen (less the window's frame)
    // is smaller than that.
    resize(sizeHint().expandedTo(QSize(Px(kMinWidth), Px(kHeight))));
    FitOnScreen(this);
}

MainSettings frmZarn::currentSettings() const {
    MainSettings s;
    s.InPattern = cmbInPattern->currentText();
    s.OutPattern = cmbOutPattern->currentText();
    s.Genre = m_sorting->chkGenre->isChecked();
    s.Alphabetical = m_sorting->chkAlphabetical->isChecked();
    s.SubFolder = m_sorting->chkSubFolder->isChecked();
    s.Convert = m_sorting->chkConvert->isChecked();
    s.txtSubFolder = ThresholdOfText(m_sorting->txtSubFolder->text());
    s.TargetDir = m_values.rememberedTargetFolder;
    s.LastDir = m_values.lastDialogFolder;
    s.FileExists = m_sorting->existsIndex();
    s.Move = m_sorting->methodIndex();
    return s;
}

void frmZarn::shutDown() {
    if (m_ended) return;  // closing and unloading both lead here; the settings are saved once
    m_ended = true;
    emit stopRequested();
    // Lets a run in progress see the request and stop after its current file.
    QCoreApplication::processEvents();
    SaveMainSettings(m_store, currentSettings());
    emit programEnded();
}

void frmZarn::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
}
