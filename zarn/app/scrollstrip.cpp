#include "zarn/app/scrollstrip.h"

#include <QEvent>
#include <QScrollBar>

ScrollStrip::ScrollStrip(Qt::Orientation scrolls, QWidget* content, QWidget* parent)
    : QScrollArea(parent), m_scrolls(scrolls) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    const bool horizontal = scrolls == Qt::Horizontal;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    // Across the scrolling way the strip is exactly as big as its content (and bar) needs.
    setSizePolicy(horizontal ? QSizePolicy::Preferred : QSizePolicy::Fixed,
                  horizontal ? QSizePolicy::Fixed : QSizePolicy::Preferred);
    setWidget(content);  // which also makes the strip watch the content's events
}

QSize ScrollStrip::contentSize() const {
    const QWidget* content = widget();
    return content->minimumSizeHint().expandedTo(content->minimumSize());
}

bool ScrollStrip::barNeeded() const {
    const QSize need = contentSize();
    return m_scrolls == Qt::Horizontal ? width() < need.width() : height() < need.height();
}

QSize ScrollStrip::sizeHint() const {
    QSize size = contentSize();
    if (!m_barShown) return size;
    if (m_scrolls == Qt::Horizontal)
        size.rheight() += horizontalScrollBar()->sizeHint().height();
    else
        size.rwidth() += verticalScrollBar()->sizeHint().width();
    return size;
}

QSize ScrollStrip::minimumSizeHint() const {
    QSize size = sizeHint();
    if (m_scrolls == Qt::Horizontal)
        size.setWidth(0);
    else
        size.setHeight(0);
    return size;
}

void ScrollStrip::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    // The bar comes and goes with the size along the scrolling way; the size across follows.
    if (barNeeded() != m_barShown) {
        m_barShown = !m_barShown;
        updateGeometry();
    }
}

bool ScrollStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget() && event->type() == QEvent::LayoutRequest) {
        m_barShown = barNeeded();
        updateGeometry();
    }
    return QScrollArea::eventFilter(watched, event);
}
