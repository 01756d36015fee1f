#include "zarn/sort/sortingcontrols.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "zarn/shell/keyfilter.h"
#include "zarn/shell/namedwidget.h"
#include "zarn/shell/programvalues.h"

namespace {

QGroupBox* OptionGroup(const QString& title, const QString& name,
                       std::array<QRadioButton*, 3>& buttons,
                       const std::array<QString, 3>& captions, const std::array<QString, 3>& tips,
                       QWidget* owner) {
    auto* frame = new QGroupBox(title, owner);
    auto* layout = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < 3; ++i) {
        buttons[i] =
            Named(new QRadioButton(captions[i], frame), name + QString::number(i), tips[i]);
        group->addButton(buttons[i], i);
        layout->addWidget(buttons[i]);
    }
    return frame;
}

}  // namespace

SortingControls::SortingControls(ProgramValues& values, QWidget* owner)
    : QObject(owner), m_owner(owner), m_values(values) {}

QWidget* SortingControls::buildFoldersPage() {
    auto* page = new QWidget(m_owner);
    chkGenre = Named(new QCheckBox(QStringLiteral("Sort in folders by Genre."), page),
                     QStringLiteral("chkGenre"),
                     QStringLiteral("If checked Zarn will sort the files to folders named by the "
                                    "genre from each files ID3 tag."));
    chkAlphabetical = Named(
        new QCheckBox(QStringLiteral("Sort in folders in alphabetical order."), page),
        QStringLiteral("chkAlphabetical"),
        QStringLiteral("If checked Zarn will create a folder for each letter (A..Z + 0..9) and "
                       "sort the files into them."));
    const QString subTip = QStringLiteral(
        "A subfolder with the artists name will be created if there are at least X songs from "
        "the same artist in the files list.");
    chkSubFolder = Named(new QCheckBox(page), QStringLiteral("chkSubFolder"), subTip);
    lblSubFolder1 = Named(new QLabel(QStringLiteral("Create subfolder if "), page),
                          QStringLiteral("lblSubFolder1"), subTip);
    txtSubFolder = Named(new QLineEdit(page), QStringLiteral("txtSubFolder"), subTip);
    txtSubFolder->setMaximumWidth(40);
    KeyFilter::digitsOnly(txtSubFolder)->attachTo(txtSubFolder);
    lblSubFolder2 = Named(new QLabel(QStringLiteral("songs from same artist."), page),
                          QStringLiteral("lblSubFolder2"), subTip);
    lblTargetDir =
        Named(new QLabel(QStringLiteral("Target folder:"), page), QStringLiteral("lblTargetDir"));
    txtTargetDir =
        Named(new QLineEdit(page), QStringLiteral("txtTargetDir"),
              QStringLiteral("The target folder where the files will be copied/moved to."));
    KeyFilter::refusing(QStringLiteral("?\"<>|*"), txtTargetDir)->attachTo(txtTargetDir);
    cmdTargetDir =
        Named(new QPushButton(QStringLiteral("..."), page), QStringLiteral("cmdTargetDir"));
    // While copying or moving, the box is the target folder: what the user types or browses to
    // is what gets remembered (and saved), not only what was there before a switch to rename.
    connect(txtTargetDir, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_shownMethod != kMethodRename) m_values.rememberedTargetFolder = text;
    });
    cmdTargetDir->setMaximumWidth(32);

    // Genre folders and letter folders exclude each other.
    connect(chkGenre, &QCheckBox::toggled, this, [this](bool on) {
        if (on) chkAlphabetical->setChecked(false);
    });
    connect(chkAlphabetical, &QCheckBox::toggled, this, [this](bool on) {
        if (on) chkGenre->setChecked(false);
    });

    auto* grid = new QGridLayout(page);
    grid->addWidget(chkGenre, 0, 0, 1, 4);
    grid->addWidget(chkAlphabetical, 1, 0, 1, 4);
    auto* sub = new QHBoxLayout;
    sub->addWidget(chkSubFolder);
    sub->addWidget(lblSubFolder1);
    sub->addWidget(txtSubFolder);
    sub->addWidget(lblSubFolder2);
    sub->addStretch();
    grid->addLayout(sub, 2, 0, 1, 4);
    grid->addWidget(lblTargetDir, 3, 0);
    grid->addWidget(txtTargetDir, 3, 1, 1, 2);
    grid->addWidget(cmdTargetDir, 3, 3);
    grid->setRowStretch(4, 1);
    return page;
}

QGroupBox* SortingControls::buildMethodFrame() {
    auto* frame =
        OptionGroup(QStringLiteral("Method:"), QStringLiteral("optMethod"), optMethod,
                    {QStringLiteral("Copy"), QStringLiteral("Move"), QStringLiteral("Rename")},
                    {QString(), QString(), QString()}, m_owner);
    frame->setObjectName(QStringLiteral("frameMethod"));
    frame->setToolTip(QStringLiteral("What would you like to do with the files?"));
    for (int i = 0; i < 3; ++i)
        connect(optMethod[i], &QRadioButton::clicked, this, [this, i] { applyMethod(i); });
    chkConvert =
        Named(new QCheckBox(QStringLiteral("Fix Filenames"), frame), QStringLiteral("chkConvert"));
    frame->layout()->addWidget(chkConvert);
    return frame;
}

QGroupBox* SortingControls::buildExistsFrame() {
    auto* frame =
        OptionGroup(QStringLiteral("If file exists:"), QStringLiteral("optExists"), optExists,
                    {QStringLiteral("Prompt"), QStringLiteral("Skip"), QStringLiteral("Replace")},
                    {QStringLiteral("Ask the user what to do if the file exists."),
                     QStringLiteral("Do not replace existing files."),
                     QStringLiteral("Replace existing files.")},
                    m_owner);
    frame->setObjectName(QStringLiteral("frameExists"));
    return frame;
}

void SortingControls::applyMethod(int method) {
    if (method < 0 || method > 2) return;
    m_values.sortingMethod = method;
    optMethod[method]->setChecked(true);
    const bool rename = method == kMethodRename;
    for (QWidget* w :
         std::initializer_list<QWidget*>{chkGenre, chkAlphabetical, chkSubFolder, txtSubFolder,
                                         cmdTargetDir, lblSubFolder1, lblSubFolder2})
        w->setEnabled(!rename);
    QPalette palette = txtTargetDir->palette();
    if (rename) {
        lblTargetDir->setText(QStringLiteral("File location:"));
        // Only a change into rename keeps the box's text: the box may already show a file's
        // location, which must never become the target folder.
        if (m_shownMethod != kMethodRename && m_shownMethod != -1)
            m_values.rememberedTargetFolder = txtTargetDir->text();
        txtTargetDir->setReadOnly(true);
        palette.setColor(QPalette::Base, m_owner->palette().color(QPalette::Button));
        if (m_tabs) m_tabs->setCurrentIndex(1);
    } else {
        lblTargetDir->setText(QStringLiteral("Target folder:"));
        txtTargetDir->setReadOnly(false);
        if (m_shownMethod != -1) txtTargetDir->setText(m_values.rememberedTargetFolder);
        palette.setColor(QPalette::Base, QColor(255, 255, 192));
        txtTargetDir->selectAll();
    }
    txtTargetDir->setPalette(palette);
    m_shownMethod = method;
}

int SortingControls::methodIndex() const {
    for (int i = 0; i < 3; ++i)
        if (optMethod[i]->isChecked()) return i;
    return m_values.sortingMethod;
}

int SortingControls::existsIndex() const {
    for (int i = 0; i < 3; ++i)
        if (optExists[i]->isChecked()) return i;
    return 0;
}

void SortingControls::setExistsIndex(int index) {
    if (index >= 0 && index < 3) optExists[index]->setChecked(true);
}
