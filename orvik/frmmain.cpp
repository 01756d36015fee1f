#include "orvik/frmmain.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "orvik/dialogs.h"
#include "orvik/resultmodel.h"
#include "orvik/settings.h"

namespace orvik {

template <class Widget, class... Args>
static Widget* Named(const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1StringView(name));
    return widget;
}

static QGroupBox* Frame(const char* name, const QString& caption, QBoxLayout* layout) {
    auto* frame = Named<QGroupBox>(name, caption);
    frame->setLayout(layout);
    return frame;
}

frmMain::frmMain(QSettings& store, FinderDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_store(store), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProgramTitle());
    m_model = new ResultModel(m_finder, this);
    buildControls();
    buildMenus();
    connectControls();
    applySettings();
    txtText->setFocus();
    resize(420, 560);
}

frmMain::~frmMain() = default;

void frmMain::buildControls() {
    chkEachWord = Named<QCheckBox>("chkEachWord", QStringLiteral("Search on each word."));
    chkInFName = Named<QCheckBox>("chkInFName", QStringLiteral("Filename"));
    chkInArtist = Named<QCheckBox>("chkInArtist", QStringLiteral("ID3 Artist"));
    chkInTitle = Named<QCheckBox>("chkInTitle", QStringLiteral("ID3 Title"));
    txtText = Named<QLineEdit>("txtText");
    cmdClear = Named<QPushButton>("cmdClear", QStringLiteral("Clear List"));
    lstFiles = Named<QListView>("lstFiles");
    lblFound = Named<QLabel>("lblFound");
    lblNrFiles = Named<QLabel>("lblNrFiles", QStringLiteral("Searching through 0 files."));

    lstFiles->setModel(m_model);
    // Every row has the same height, so the view need not measure 100,000 rows after a reset.
    lstFiles->setUniformItemSizes(true);
    lstFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstFiles->setAcceptDrops(true);
    lstFiles->viewport()->installEventFilter(this);
    lstFiles->installEventFilter(this);

    auto* settings = new QVBoxLayout;
    settings->addWidget(chkEachWord);
    auto* searchIn = new QHBoxLayout;
    searchIn->addWidget(chkInFName);
    searchIn->addWidget(chkInArtist);
    searchIn->addWidget(chkInTitle);
    auto* searchFor = new QVBoxLayout;
    searchFor->addWidget(txtText);

    auto* layout = new QVBoxLayout;
    layout->addWidget(Frame("fraSettings", QStringLiteral("Settings"), settings));
    layout->addWidget(Frame("fraSearchIn", QStringLiteral("Search in"), searchIn));
    layout->addWidget(Frame("fraSearchFor", QStringLiteral("Search for text"), searchFor));
    layout->addWidget(cmdClear);
    layout->addWidget(lstFiles, 1);
    layout->addWidget(lblFound);
    layout->addWidget(lblNrFiles);
    auto* central = new QWidget;
    central->setLayout(layout);
    setCentralWidget(central);
}

void frmMain::buildMenus() {
    // Access keys and the usual shortcuts, so Alt+F opens the menu rather than typing into the
    // search box.
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuAddPlaylist = file->addAction(QStringLiteral("&Add from playlist..."));
    mnuAddPlaylist->setShortcut(QKeySequence::Open);
    mnuSavePlaylist = file->addAction(QStringLiteral("&Save to playlist..."));
    mnuSavePlaylist->setShortcut(QKeySequence::Save);
    file->addSeparator();
    mnuRemMissing = file->addAction(QStringLiteral("&Remove missing files"));
    file->addSeparator();
    mnuExit = file->addAction(QStringLiteral("E&xit"));
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuAbout = menuBar()->addAction(QStringLiteral("&About..."));
    mnuAddPlaylist->setObjectName(QStringLiteral("mnuAddPlaylist"));
    mnuSavePlaylist->setObjectName(QStringLiteral("mnuSavePlaylist"));
    mnuRemMissing->setObjectName(QStringLiteral("mnuRemMissing"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
}

void frmMain::connectControls() {
    connect(txtText, &QLineEdit::textChanged, this, [this] { Search(); });
    connect(chkEachWord, &QCheckBox::clicked, this, [this] {
        if (!m_finder.rows().isEmpty()) Search();
    });
    connect(cmdClear, &QPushButton::clicked, this, [this] { ClearList(); });
    connect(mnuAddPlaylist, &QAction::triggered, this,
            [this] { LoadPlaylist(m_dialogs.openPlaylistPath(this)); });
    connect(mnuSavePlaylist, &QAction::triggered, this, [this] { SavePlaylist(); });
    connect(mnuRemMissing, &QAction::triggered, this, [this] { RemoveMissingFiles(); });
    connect(mnuExit, &QAction::triggered, this, [this] { close(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { m_dialogs.showAbout(this); });
}

void frmMain::applySettings() {
    const FinderSettings settings = LoadFinderSettings(m_store);
    chkEachWord->setChecked(settings.eachWord);
    chkInFName->setChecked(settings.inFName);
    chkInArtist->setChecked(settings.inArtist);
    chkInTitle->setChecked(settings.inTitle);
}

void frmMain::closeEvent(QCloseEvent* event) {
    m_model->reset([this] { m_finder.clear(); });
    SaveFinderSettings(m_store, {chkInFName->isChecked(), chkInArtist->isChecked(),
                                 chkInTitle->isChecked(), chkEachWord->isChecked()});
    m_store.sync();
    event->accept();
}

static QStringList LocalFiles(const QMimeData* mime) {
    QStringList paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    return paths;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstFiles && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_Delete && modifiers == Qt::ShiftModifier) {
            DeleteSelectedRows();
            return true;
        }
    }
    if (watched != lstFiles->viewport()) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (drag->mimeData()->hasUrls() && (drag->possibleActions() & Qt::CopyAction)) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!(drop->possibleActions() & Qt::CopyAction)) return true;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            LoadDroppedFiles(LocalFiles(drop->mimeData()));
            return true;
        }
        default:
            return QMainWindow::eventFilter(watched, event);
    }
}

}  // namespace orvik
