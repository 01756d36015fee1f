#pragma once
// A fixed part of the main window that scrolls one way when the window is too small for it.
// The other way it takes the size of what it holds, plus the scroll bar while that shows, so its
// controls are never squeezed and the window can shrink below the size they need.
#include <QScrollArea>

class ScrollStrip : public QScrollArea {
  public:
    // `scrolls` is the way the strip scrolls; `content` becomes its child.
    ScrollStrip(Qt::Orientation scrolls, QWidget* content, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The least size at which the content shows whole.
    QSize contentSize() const;
    bool barNeeded() const;

    Qt::Orientation m_scrolls;
    bool m_barShown = false;
};
