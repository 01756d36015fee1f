#include "zarn/names/patternboxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

#include "zarn/shell/keyfilter.h"
#include "zarn/shell/prompter.h"

PatternBoxes::PatternBoxes(const Controls& controls, Actions actions, Prompter& prompter,
                           QObject* parent)
    : QObject(parent), m_c(controls), m_actions(std::move(actions)), m_prompter(prompter) {
    // Input patterns may span folders; output patterns make one file name.
    KeyFilter::refusing(QStringLiteral(":?\"<>|*"), this)->attachTo(m_c.cmbInPattern);
    KeyFilter::refusing(QStringLiteral(":?\"<>|*/\\"), this)->attachTo(m_c.cmbOutPattern);

    // Only the user's edits and picks mark the box; restoring the text at start-up does not.
    if (QLineEdit* edit = m_c.cmbOutPattern->lineEdit()) {
        connect(edit, &QLineEdit::textEdited, this, &PatternBoxes::outPatternChanged);
        edit->installEventFilter(this);
    }
    connect(m_c.cmbOutPattern, &QComboBox::activated, this, &PatternBoxes::outPatternChanged);
    m_c.cmbOutPattern->installEventFilter(this);
}

bool PatternBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Focus moving inside the box, or to another program, is not leaving it.
        QWidget* now = QApplication::focusWidget();
        if (now && now != m_c.cmbOutPattern && !m_c.cmbOutPattern->isAncestorOf(now))
            outPatternLeft();
    }
    return QObject::eventFilter(watched, event);
}

void PatternBoxes::outPatternChanged() {
    setMarked(true);
    if (!m_c.txtOldName->text().isEmpty() && !m_c.chkPreview->isChecked() &&
        m_actions.newNameOfShownFile)
        m_c.txtNewName->setText(m_actions.newNameOfShownFile());
}

void PatternBoxes::outPatternLeft() {
    if (!m_marked || !m_c.chkPreview->isChecked()) return;
    // Cleared first: the question box takes the focus, which must not ask again.
    setMarked(false);
    const auto answer = m_prompter.question(
        QStringLiteral("Zarn"),
        QStringLiteral("The output pattern has been changed.\nWould you like to apply the new "
                       "pattern to selected files?"),
        false);
    if (answer == Prompter::Answer::Yes && m_actions.applyToSelectedRows)
        m_actions.applyToSelectedRows();
}

void PatternBoxes::setMarked(bool marked) {
    m_marked = marked;
    m_c.cmbOutPattern->setProperty("Tag", marked ? QStringLiteral("1") : QString());
}
