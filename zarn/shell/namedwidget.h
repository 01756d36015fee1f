#pragma once
// Gives a new widget its object name (the control's name, which tests find it by) and its
// tool tip in one step, so a window's build code reads as a list of controls.
#include <QString>
#include <QWidget>

template <typename T>
T* Named(T* widget, const QString& name, const QString& tip = QString()) {
    widget->setObjectName(name);
    if (!tip.isEmpty()) widget->setToolTip(tip);
    return widget;
}

template <typename T>
T* Named(T* widget, const char* name, const QString& tip = QString()) {
    return Named(widget, QString::fromLatin1(name), tip);
}
