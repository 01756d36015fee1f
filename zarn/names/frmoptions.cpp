#include "zarn/names/frmoptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "zarn/names/replacelist.h"
#include "zarn/shell/keyfilter.h"
#include "zarn/shell/namedwidget.h"
#include "zarn/shell/prompter.h"
#include "zarn/shell/screenfit.h"
#include "zarn/shell/settingsstore.h"

namespace {

const QString kDragTip = QStringLiteral(
    "Note that when you drag \u00b4n drop files or folder in Zarn. Only files with this extension "
    "will be added. Even if not enabled.");

QCheckBox* Check(QWidget* parent, const char* name, const QString& caption,
                 const QString& tip = QString()) {
    return Named(new QCheckBox(caption, parent), name, tip);
}

QComboBox* ReplaceBox(QWidget* parent, const char* name) {
    auto* box = Named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);  // items come only from "Add New"
    // What is typed is what is stored: no completion from the list, and Enter never swaps the
    // typed text for a listed item that matches it in another letter case.
    box->setCompleter(nullptr);
    box->setDuplicatesEnabled(true);
    return box;
}

// Keeps pasted text out of a box whose typed characters are filtered.
class PasteBlocker : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

// The item the user picked, unless its text has been edited since.
int PickedIndex(const QComboBox* box) {
    const int index = box->currentIndex();
    return index >= 0 && box->currentText() == box->itemText(index) ? index : -1;
}

void EmptyText(QComboBox* box) {
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

}  // namespace

frmOptions::frmOptions(Options& options, SettingsStore& store, const QString& replacesPath,
                       Prompter& prompter, Applied applied, QWidget* parent)
    : QDialog(parent),
      m_options(options),
      m_store(store),
      m_replacesPath(replacesPath),
      m_prompter(prompter),
      m_applied(std::move(applied)) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Zarn - Options..."));
    buildControls();
    layOut();
    wire();
    show(m_options);
}

void frmOptions::buildControls() {
    chkOptimizeID3v1 = Check(
        this, "chkOptimizeID3v1", QStringLiteral("Use optimized ID3v1 tags."),
        QStringLiteral("This will allow you to use up to 59 characters in the Title and Artist "
                       "frames. (Depending on the length of Album and Comment). WinAmp though, "
                       "will only show the first 30 characters."));
    chkRemHiddenID3 = Check(
        this, "chkRemHiddenID3", QStringLiteral("Remove \"hidden\" ID3v2 tags."),
        QStringLiteral("When the ID3 tags are saved \"hidden\" ID3v2 tags will be removed. These "
                       "tags can contain pictures, lyrics, song length and more. But they are "
                       "porly supported by todays applications."));
    Frame1 =
        Named(new QGroupBox(QStringLiteral("Main filename and ID3 tag changes:"), this), "Frame1");
    const std::array<std::pair<QString, QString>, 5> changes = {{
        {QStringLiteral("None of these."), QStringLiteral("Don't change case.")},
        {QStringLiteral("Make the first letter in every word uppercase."),
         QStringLiteral("The first letter in every word will be uppercase. All other lowercase.")},
        {QStringLiteral("Only first letter in artist, title and album uppercase."),
         QStringLiteral("The first letter in artist, title and album will be uppercase. All "
                        "other lowercase.")},
        {QStringLiteral("All letters UPPERCASE."), QString()},
        {QStringLiteral("All letters lowercase."), QString()},
    }};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        optChange[i] = new QRadioButton(changes[i].first, Frame1);
        optChange[i]->setObjectName(QStringLiteral("optChange%1").arg(i));
        optChange[i]->setToolTip(changes[i].second);
        group->addButton(optChange[i], i);
    }
    chkReplace = Check(Frame1, "chkReplace", QStringLiteral("Replace"),
                       QStringLiteral("Replace all words in this list. Applies to both filenames "
                                      "and tags."));
    cmbReplace1 = ReplaceBox(Frame1, "cmbReplace1");
    Label2 = Named(new QLabel(QStringLiteral("with"), Frame1), "Label2");
    cmbReplace2 = ReplaceBox(Frame1, "cmbReplace2");
    cmdAddReplace = Named(new QPushButton(QStringLiteral("Add Ne&w"), Frame1), "cmdAddReplace");
    cmdRemReplace = Named(new QPushButton(QStringLiteral("Re&move"), Frame1), "cmdRemReplace");
    chkRemoveChars = Check(Frame1, "chkRemoveChars", QStringLiteral("Remove characters:"),
                           QStringLiteral("If checked the following characters will be removed "
                                          "from filenames and ID3-tags."));
    txtRemoveChars = Named(new QLineEdit(Frame1), "txtRemoveChars");
    chkSpaces = Check(Frame1, "chkSpaces", QStringLiteral("Remove multiple spaces."));
    chkID3 = Check(this, "chkID3", QStringLiteral("Create filename from ID3 tag if possible."));
    chkMisses = Check(Frame1, "chkMisses", QStringLiteral("Fix common misstakes."));
    chkParenth =
        Check(Frame1, "chkParenth", QStringLiteral("Remove leading and trailing parentheses."),
              QStringLiteral("Removes parentheses that sometimes enclose a filename."));
    chk20tospace = Check(Frame1, "chk20tospace", QStringLiteral("Convert %20 to space."));
    chkUndtospace = Check(Frame1, "chkUndtospace", QStringLiteral("Convert underscore to space."));
    chkLowext = Check(this, "chkLowext", QStringLiteral("Use lowercase extensions."));
    chkExtension =
        Check(this, "chkExtension", QStringLiteral("Change file extension to: ."), kDragTip);
    txtExtension = Named(new QLineEdit(this), "txtExtension", kDragTip);
    chkSetAttributes =
        Check(this, "chkSetAttributes", QStringLiteral("Set file attributes to:"),
              QStringLiteral("These attributes will be applied to each sorted file."));
    chkReadOnly = Check(this, "chkReadOnly", QStringLiteral("Read-only"));
    chkHidden = Check(this, "chkHidden", QStringLiteral("Hidden"));
    chkArchive = Check(this, "chkArchive", QStringLiteral("Archive"));
    spnUndoOperations = Named(new QSpinBox(this), "spnUndoOperations",
                              QStringLiteral("How many of the last operations undo can take back"));
    spnUndoOperations->setRange(1, 100000);
    spnUndoMegabytes = Named(new QSpinBox(this), "spnUndoMegabytes",
                             QStringLiteral("The old tags and replaced files undo keeps, at most"));
    spnUndoMegabytes->setRange(1, 1 << 24);
    spnUndoMegabytes->setSuffix(QStringLiteral(" MB"));
    cmdOk = Named(new QPushButton(QStringLiteral("&OK"), this), "cmdOk");
    cmdCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");
    cmdOk->setDefault(true);
}

void frmOptions::layOut() {
    auto* frame = new QGridLayout(Frame1);
    int row = 0;
    for (int i : {1, 2, 3, 4, 0}) frame->addWidget(optChange[i], row++, 0, 1, 5);
    frame->addWidget(chkReplace, row++, 0, 1, 5);
    frame->addWidget(cmbReplace1, row, 0, 1, 2);
    frame->addWidget(Label2, row, 2);
    frame->addWidget(cmbReplace2, row++, 3, 1, 2);
    frame->addWidget(cmdAddReplace, row, 3);
    frame->addWidget(cmdRemReplace, row++, 4);
    frame->addWidget(chkRemoveChars, row, 0);
    frame->addWidget(txtRemoveChars, row++, 1, 1, 4);
    for (QCheckBox* box : {chkSpaces, chkMisses, chkParenth, chk20tospace, chkUndtospace})
        frame->addWidget(box, row++, 0, 1, 5);

    auto* extension = new QHBoxLayout;
    extension->addWidget(chkExtension);
    extension->addWidget(txtExtension);
    auto* attributes = new QHBoxLayout;
    for (QCheckBox* box : {chkSetAttributes, chkReadOnly, chkHidden, chkArchive})
        attributes->addWidget(box);
    auto* undo = new QHBoxLayout;
    undo->addWidget(new QLabel(QStringLiteral("Undo keeps the last"), this));
    undo->addWidget(spnUndoOperations);
    undo->addWidget(new QLabel(QStringLiteral("operations, up to"), this));
    undo->addWidget(spnUndoMegabytes);
    undo->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    // Everything but OK and Cancel scrolls on a screen too low for it; the buttons stay in view.
    auto* body = new QWidget(this);
    auto* all = new QVBoxLayout(body);
    all->setContentsMargins(0, 0, 0, 0);
    all->addWidget(chkOptimizeID3v1);
    all->addWidget(chkRemHiddenID3);
    all->addWidget(Frame1);
    all->addWidget(chkID3);
    all->addWidget(chkLowext);
    all->addLayout(extension);
    all->addLayout(attributes);
    all->addLayout(undo);
    auto* window = new QVBoxLayout(this);
    window->addWidget(new ScrollingBody(body, this));
    window->addLayout(buttons);
    FitOnScreen(this, parentWidget());
}

void frmOptions::wire() {
    KeyFilter::refusing(QStringLiteral("/\\:?\"<>|*"), this)->attachTo(cmbReplace2);
    KeyFilter::refusing(QStringLiteral("\\/:?\"<>|") + QChar(22), this)->attachTo(txtExtension);
    txtExtension->installEventFilter(new PasteBlocker(this));

    connect(cmbReplace1, &QComboBox::activated, this,
            [this](int i) { cmbReplace2->setCurrentIndex(i < cmbReplace2->count() ? i : -1); });
    connect(cmbReplace2, &QComboBox::activated, this,
            [this](int i) { cmbReplace1->setCurrentIndex(i < cmbReplace1->count() ? i : -1); });
    connect(cmdAddReplace, &QPushButton::clicked, this, &frmOptions::addReplace);
    connect(cmdRemReplace, &QPushButton::clicked, this, &frmOptions::removeReplace);
    connect(cmdOk, &QPushButton::clicked, this, &frmOptions::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOptions::show(const Options& o) {
    const std::pair<QCheckBox*, bool> flags[] = {
        {chkID3, o.bID3},
        {chkExtension, o.bExtension},
        {chkLowext, o.bLowExtension},
        {chkUndtospace, o.bScoreToSpace},
        {chk20tospace, o.b20toSpace},
        {chkSpaces, o.bSpaces},
        {chkParenth, o.bParentheses},
        {chkReplace, o.bReplace},
        {chkMisses, o.bMisses},
        {chkSetAttributes, o.bSetAttributes},
        {chkReadOnly, o.bReadOnly},
        {chkHidden, o.bHidden},
        {chkArchive, o.bArchive},
        {chkRemoveChars, o.bRemoveChars},
        {chkRemHiddenID3, o.bRemHiddenID3},
        {chkOptimizeID3v1, o.bOptimizedID3v1},
    };
    for (const auto& [box, on] : flags) box->setChecked(on);
    if (o.Change >= 0 && o.Change <= 4) optChange[o.Change]->setChecked(true);
    txtExtension->setText(o.Extension);
    txtRemoveChars->setText(o.strRemoveChars);
    spnUndoOperations->setValue(o.UndoOperations);
    spnUndoMegabytes->setValue(o.UndoMegabytes);
    for (const auto& [find, with] : o.Replaces) {
        cmbReplace1->addItem(find);
        cmbReplace2->addItem(with);
    }
    EmptyText(cmbReplace1);
    EmptyText(cmbReplace2);
}

void frmOptions::addReplace() {
    const QString find = cmbReplace1->currentText();
    const QString with = cmbReplace2->currentText();
    if (!(find.isEmpty() && with.isEmpty()) && find != with) {
        cmbReplace1->addItem(find);
        cmbReplace2->addItem(with);
    }
    EmptyText(cmbReplace1);
    EmptyText(cmbReplace2);
}

void frmOptions::removeReplace() {
    // The pick is read before the texts are emptied, which would unselect it.
    const int picked = PickedIndex(cmbReplace1);
    EmptyText(cmbReplace1);
    EmptyText(cmbReplace2);
    if (picked < 0) return;
    cmbReplace1->removeItem(picked);
    if (picked < cmbReplace2->count()) cmbReplace2->removeItem(picked);
    EmptyText(cmbReplace1);
    EmptyText(cmbReplace2);
}

Options frmOptions::fromControls() const {
    Options o = m_options;
    o.bID3 = chkID3->isChecked();
    o.bExtension = chkExtension->isChecked();
    o.Extension = txtExtension->text();
    o.bLowExtension = chkLowext->isChecked();
    o.bScoreToSpace = chkUndtospace->isChecked();
    o.b20toSpace = chk20tospace->isChecked();
    o.bSpaces = chkSpaces->isChecked();
    o.bParentheses = chkParenth->isChecked();
    o.bReplace = chkReplace->isChecked();
    o.bMisses = chkMisses->isChecked();
    o.bSetAttributes = chkSetAttributes->isChecked();
    o.bReadOnly = chkReadOnly->isChecked();
    o.bHidden = chkHidden->isChecked();
    o.bArchive = chkArchive->isChecked();
    o.bRemoveChars = chkRemoveChars->isChecked();
    o.strRemoveChars = txtRemoveChars->text();
    o.bRemHiddenID3 = chkRemHiddenID3->isChecked();
    o.bOptimizedID3v1 = chkOptimizeID3v1->isChecked();
    o.UndoOperations = spnUndoOperations->value();
    o.UndoMegabytes = spnUndoMegabytes->value();
    for (int i = 0; i <= 4; ++i)
        if (optChange[i]->isChecked()) o.Change = i;
    o.Replaces = replacesFromLists();
    return o;
}

ReplaceList frmOptions::replacesFromLists() const {
    ReplaceList list;
    for (int i = 0; i < cmbReplace1->count(); ++i) {
        const QString find = cmbReplace1->itemText(i);
        const QString with = i < cmbReplace2->count() ? cmbReplace2->itemText(i) : QString();
        if (!find.isEmpty() && find != with) list.append({find, with});
    }
    if (list.isEmpty()) list.append({QString(), QString()});
    return list;
}

void frmOptions::ok() {
    m_options = fromControls();
    SaveOptions(m_store, m_options);
    if (m_applied) m_applied(m_options);
    if (!WriteReplaceList(m_replacesPath, m_options.Replaces))
        m_prompter.critical(QStringLiteral("Zarn"),
                            QStringLiteral("The replace list could not be written to %1.")
                                .arg(QDir::toNativeSeparators(m_replacesPath)));
    accept();
}
