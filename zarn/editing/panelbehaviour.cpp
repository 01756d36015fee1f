#include "zarn/editing/panelbehaviour.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QHash>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "zarn/editing/panelrules.h"
#include "zarn/editing/panelstate.h"
#include "zarn/editing/tagpanel.h"
#include "zarn/shell/filelist.h"
#include "zarn/shell/filelistview.h"
#include "zarn/shell/options.h"

namespace {

const QString kRefusedInNames = QStringLiteral("/\\:?\"<>|*");
const QColor kLightYellow(255, 255, 192);

QString SelectedTextOf(QObject* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) return line->selectedText();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        return plain->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
    return {};
}

void SetBackground(QWidget* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

QColor WindowBackground() {
    return QApplication::palette().color(QPalette::Base);
}
QColor ButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}

void SelectRow(FileListView* view, int row,
               QItemSelectionModel::SelectionFlags how = QItemSelectionModel::Select) {
    const QModelIndex index = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, how);
    view->scrollTo(index);
}

}  // namespace

PanelBehaviour::PanelBehaviour(const Parts& parts, QObject* parent) : QObject(parent), m_p(parts) {
    wireCheckBoxes();
    wireCopyButtons();
    wireLengthsAndColours();
    installFilters();
    refresh();
}

void PanelBehaviour::wireCheckBoxes() {
    TagPanel& p = m_p.panel;
    connect(p.chkID3v1, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked) m_p.panel.chkID3v1Rem->setChecked(false);
        applyLock(false);
    });
    connect(p.chkID3v2, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked) m_p.panel.chkID3v2Rem->setChecked(false);
        applyLock(true);
    });
    connect(p.chkID3v1Rem, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked) m_p.panel.chkID3v1->setChecked(false);
    });
    connect(p.chkID3v2Rem, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked) m_p.panel.chkID3v2->setChecked(false);
    });
}

void PanelBehaviour::wireCopyButtons() {
    TagPanel& p = m_p.panel;
    connect(p.cmdCopyFromV1, &QPushButton::clicked, this,
            [this] { m_p.panel.setValues(CopiedFromID3v1(m_p.panel.values())); });
    connect(p.cmdCopyToV1, &QPushButton::clicked, this,
            [this] { m_p.panel.setValues(CopiedToID3v1(m_p.panel.values())); });
}

void PanelBehaviour::wireLengthsAndColours() {
    TagPanel& p = m_p.panel;
    for (QLineEdit* box : {p.txtComments, p.txtTrackNr, p.txtAlbum})
        connect(box, &QLineEdit::textChanged, this, [this] { applyLimits(); });
    for (QLineEdit* box : {p.txtTitle, p.txtArtist})
        connect(box, &QLineEdit::textChanged, this, [this] { colourTitleArtist(); });
}

void PanelBehaviour::installFilters() {
    TagPanel& p = m_p.panel;
    QHash<QObject*, BoxRole>& roles = m_roles;
    const auto add = [&](QWidget* box, QLabel* label, const char* focus, const char* mouse,
                         int numbers, bool drop) {
        const BoxRole role{label,
                           QString::fromLatin1(focus),
                           QString::fromLatin1(mouse),
                           !qobject_cast<QPlainTextEdit*>(box) && !qobject_cast<QComboBox*>(box),
                           numbers,
                           drop};
        roles.insert(box, role);
        box->installEventFilter(this);
        if (!drop && box != p.txtNewName) box->setAcceptDrops(false);
        if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit()) {
            roles.insert(combo->lineEdit(), role);
            combo->lineEdit()->installEventFilter(this);
        }
        if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
            roles.insert(plain->viewport(), role);
            plain->viewport()->installEventFilter(this);
        }
    };
    for (const PanelField& field : PanelFields())
        for (int column : {1, 2}) {
            const PanelBox& b = field.in(column);
            if (!b.exists()) continue;
            const int numbers = field.number ? column : 0;
            add(p.box(column, field.field), column == 1 ? p.lblDescription1 : p.lblDescription2,
                b.focusText, b.mouseText, numbers, field.drop);
        }
    add(p.txtOldName, nullptr, "", "", 0, false);
    add(p.txtNewName, nullptr, "", "", 0, false);

    // The comment box leaves its place in the layout to a stand-in, so that it can open over
    // the boxes below it without moving them.
    m_commentPlace = new QWidget(p.Frame3);
    m_commentPlace->setFixedHeight(p.txtV2Title->sizeHint().height());
    if (QLayout* layout = p.Frame3->layout())
        delete layout->replaceWidget(p.txtV2Comments, m_commentPlace);
    p.txtV2Comments->setMaximumHeight(QWIDGETSIZE_MAX);
    m_commentPlace->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_commentPlace->lower();
    m_commentPlace->installEventFilter(this);
}

void PanelBehaviour::refresh() {
    applyLock(false);
    applyLock(true);
    applyLimits();
}

void PanelBehaviour::selectionChanged() {
    TagPanel& p = m_p.panel;
    if (m_p.state.severalFiles) {
        showSeveralFiles();
        return;
    }
    p.chkID3v1Rem->hide();
    p.chkID3v2Rem->hide();
}

void PanelBehaviour::showSeveralFiles() {
    TagPanel& p = m_p.panel;
    p.clearTags();  // every box empty, both version boxes cleared
    p.chkID3v1Rem->setChecked(false);
    p.chkID3v2Rem->setChecked(false);
    p.chkID3v1Rem->show();
    p.chkID3v2Rem->show();
    refresh();
}

void PanelBehaviour::applyLock(bool id3v2) {
    TagPanel& p = m_p.panel;
    const bool open = id3v2 ? p.chkID3v2->isChecked() : p.chkID3v1->isChecked();
    for (QWidget* box : p.boxes(id3v2 ? 2 : 1)) {
        if (auto* line = qobject_cast<QLineEdit*>(box)) line->setReadOnly(!open);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) plain->setReadOnly(!open);
        if (qobject_cast<QComboBox*>(box)) box->setEnabled(open);
        SetBackground(box, open ? WindowBackground() : ButtonFace());
    }
    (id3v2 ? p.cmdCopyToV1 : p.cmdCopyFromV1)->setEnabled(open);
    if (!id3v2) colourTitleArtist();
}

void PanelBehaviour::colourTitleArtist() {
    TagPanel& p = m_p.panel;
    if (!p.chkID3v1->isChecked()) return;
    const QList<std::pair<QLineEdit*, QString>> boxes = {{p.txtTitle, QStringLiteral("Title")},
                                                         {p.txtArtist, QStringLiteral("Artist")}};
    for (const auto& [box, name] : boxes) {
        const bool packed = NeedsOptimizedPacking(box->text());
        SetBackground(box, packed ? kLightYellow : WindowBackground());
        box->setToolTip(packed ? name + QStringLiteral(" (Optimized=More than 30 characters)")
                               : name);
    }
}

void PanelBehaviour::applyLimits() {
    if (m_p.options.bOptimizedID3v1) SetID3v1BoxLimits(m_p.panel.id3v1Boxes(), m_p.options);
}

bool PanelBehaviour::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_commentPlace) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) placeComment();
        return false;
    }
    const auto role = m_roles.constFind(watched);
    if (role == m_roles.constEnd()) return false;
    TagPanel& p = m_p.panel;
    QObject* box = watched == p.txtV2Comments->viewport() ? p.txtV2Comments : watched;
    switch (event->type()) {
        case QEvent::FocusIn:
            if (role->label) role->label->setText(role->focusText);
            if (box == p.txtV2Comments) openComment(true);
            return false;
        case QEvent::FocusOut:
            if (box == p.txtV2Comments) openComment(false);
            return false;
        case QEvent::Enter:
            if (role->label && !role->mouseText.isEmpty()) role->label->setText(role->mouseText);
            return false;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (role->arrows && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down))
                return moveSelection(key->key() == Qt::Key_Up, key->modifiers());
            if (role->numbers) return numberKey(box, key->text());
            if (box == p.txtNewName)
                return newNameKey(key->key()) ||
                       (!key->text().isEmpty() && kRefusedInNames.contains(key->text().front()));
            return false;
        }
        case QEvent::Drop: {
            if (!role->drop && box != p.txtNewName) return false;
            auto* drop = static_cast<QDropEvent*>(event);
            // A copy: the source box must not delete its selection after the swap.
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            if (box == p.txtNewName) {
                if (!p.txtOldName->hasSelectedText()) return false;
                p.txtNewName->setText(p.txtOldName->text());
                return true;
            }
            return dropOnBox(box, drop->mimeData()->text());
        }
        default:
            return false;
    }
}

void PanelBehaviour::openComment(bool open) {
    m_commentOpen = open;
    placeComment();
}

void PanelBehaviour::placeComment() {
    QPlainTextEdit* box = m_p.panel.txtV2Comments;
    QRect area = m_commentPlace->geometry();
    // 885 and 285 twips: the open box shows about three lines.
    if (m_commentOpen) area.setHeight(area.height() * 885 / 285);
    box->setVerticalScrollBarPolicy(m_commentOpen ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    box->setGeometry(area);
    if (m_commentOpen) box->raise();
}

bool PanelBehaviour::moveSelection(bool up, Qt::KeyboardModifiers modifiers) {
    const int count = m_p.list.count();
    if (count == 0) return true;
    const bool previewToo = m_p.lstPreview->model()->rowCount() == count;
    const bool alone = !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    const auto how = alone ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select;
    const QModelIndex current = m_p.lstFiles->currentIndex();
    const int row = RowAfterArrow(current.isValid() ? current.row() : -1, count, up);
    {
        // The row is chosen below, once; the lists must not load it on their own before.
        const QSignalBlocker files(m_p.lstFiles);
        const QSignalBlocker preview(m_p.lstPreview);
        SelectRow(m_p.lstFiles, row, how);
        if (previewToo) SelectRow(m_p.lstPreview, row, how);
    }
    if (m_p.rowChosen) m_p.rowChosen(row);
    return true;
}

bool PanelBehaviour::numberKey(QObject* box, const QString& typed) {
    if (typed.isEmpty()) return false;
    const QChar key = typed.front();
    // Control keys (Ctrl+V, Enter, ...) are no characters of the value.
    if (key.unicode() < 0x20 && key != u'\b') return false;
    auto* line = qobject_cast<QLineEdit*>(box);
    if (!line || line->isReadOnly()) return false;  // a locked box keeps its value
    const NumberKey result = m_roles.value(box).numbers == 1 ? ID3v1NumberKey(line->text(), key)
                                                             : ID3v2NumberKey(line->text(), key);
    if (result.action == NumberKey::Replace) line->setText(result.text);
    return result.action != NumberKey::Accept;
}

bool PanelBehaviour::dropOnBox(QObject* target, const QString& dropped) {
    if (dropped.isEmpty()) return true;
    TagPanel& p = m_p.panel;
    // The source is searched artist first, then the rest in the order of the table.
    QList<TagField> order{TagField::Artist};
    for (const PanelField& field : PanelFields())
        if (field.drop && field.field != TagField::Artist) order.append(field.field);
    QList<QObject*> sources;
    for (int column : {1, 2})
        if ((column == 1 ? p.chkID3v1 : p.chkID3v2)->isChecked())
            for (TagField field : order)
                if (QWidget* source = p.box(column, field)) sources.append(source);
    for (QObject* source : sources) {
        if (SelectedTextOf(source) != dropped) continue;
        const QString remembered = TextOfBox(target);
        SetTextOfBox(target, dropped);
        SetTextOfBox(source, remembered);
        return true;
    }
    return true;  // text from outside the panel is not inserted
}

bool PanelBehaviour::newNameKey(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    const QString name = m_p.panel.txtNewName->text();
    const QModelIndex current = m_p.lstPreview->currentIndex();
    if (!m_p.chkPreview->isChecked() || name.isEmpty() || !current.isValid()) return false;
    TextListModel& preview = m_p.list.preview();
    const int row = current.row();
    preview.removeAt(row);
    preview.insertAt(row, name);
    SelectRow(m_p.lstPreview, row);
    return true;
}
