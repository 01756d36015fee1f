#include "zarn/shell/keyfilter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

KeyFilter::KeyFilter(const QString& refused, bool digitsOnly, QObject* parent)
    : QObject(parent), m_refused(refused), m_digitsOnly(digitsOnly) {}

KeyFilter* KeyFilter::refusing(const QString& refused, QObject* parent) {
    return new KeyFilter(refused, false, parent);
}

KeyFilter* KeyFilter::digitsOnly(QObject* parent) {
    return new KeyFilter(QString(), true, parent);
}

void KeyFilter::attachTo(QObject* target) {
    target->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (m_digitsOnly) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
        const QString text = key->text();
        if (text.isEmpty() || key->key() == Qt::Key_Backspace) return false;
        if (key->modifiers() & Qt::ControlModifier) return false;  // copy, select all
        for (QChar ch : text)
            if (ch < u'0' || ch > u'9') return true;
        return false;
    }
    for (QChar ch : key->text())
        if (m_refused.contains(ch)) return true;
    return false;
}
