#pragma once
// Windows that fit small screens: a body that scrolls when the screen is smaller than it, and
// a size and place that keep the window's frame, title bar and buttons on the screen.
#include <QScrollArea>

// Holds a window's controls: as big as they want where there is room, and scrolling (its
// least height a few lines) where there is not. Buttons that close the window stay outside it.
class ScrollingBody : public QScrollArea {
  public:
    ScrollingBody(QWidget* content, QWidget* parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

// Gives a window the size it asks for, or less where the screen is smaller, leaving room for
// the window manager's frame, and centres it over `over` (when shown) or the screen, within the
// screen's free area.
void FitOnScreen(QWidget* window, const QWidget* over = nullptr);
