#pragma once
// Gives a new widget its object name (the control's name, which tests find it by) and its
// tool tip in one step, so a window's build code reads as a list of controls.
#include <QString>
#include <QWidget>

// A tip longer than a short line is given as a paragraph, which the tool tip wraps; plain text
// would be shown as one line across the screen.
inline QString ToolTipText(const QString& tip) {
    constexpr qsizetype kOneLine = 100;
    if (tip.size() <= kOneLine) return tip;
    return QStringLiteral("<p>") + tip.toHtmlEscaped() + QStringLiteral("</p>");
}

template <typename T>
T* Named(T* widget, const QString& name, const QString& tip = QString()) {
    widget->setObjectName(name);
    if (!tip.isEmpty()) widget->setToolTip(ToolTipText(tip));
    return widget;
}

template <typename T>
T* Named(T* widget, const char* name, const QString& tip = QString()) {
    return Named(widget, QString::fromLatin1(name), tip);
}
