#include "zarn/shell/screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>

namespace {

// A window manager's title bar and borders, which a window's own size leaves out. Generous, so
// that a title bar is never pushed above the screen.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;
constexpr int kLeastBodyHeight = 120;

}  // namespace

ScrollingBody::ScrollingBody(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(content);
}

QSize ScrollingBody::sizeHint() const {
    // QScrollArea caps its hint at a few dozen lines; the body asks for all its content needs.
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
}

QSize ScrollingBody::minimumSizeHint() const {
    // Never squeezed sideways (with room for the bar); only the height gives way to scrolling.
    const int width = widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width();
    return {width, std::min(kLeastBodyHeight, widget()->minimumSizeHint().height())};
}

void FitOnScreen(QWidget* window, const QWidget* over) {
    const QScreen* screen = over && over->isVisible() ? over->screen() : window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize room(area.width() - kFrameWidth, area.height() - kFrameHeight);
    const QSize wanted = window->size().expandedTo(window->sizeHint());
    window->resize(wanted.boundedTo(room).expandedTo(window->minimumSizeHint().boundedTo(room)));
    const QRect around = over && over->isVisible() ? over->frameGeometry() : area;
    const int x = around.center().x() - window->width() / 2;
    const int y = around.center().y() - (window->height() + kFrameHeight) / 2;
    // The frame's top left corner: the title bar stays on the screen, as does the bottom edge.
    window->move(std::clamp(x, area.left(),
                            std::max(area.left(), area.right() - window->width() - kFrameWidth)),
                 std::clamp(y, area.top(),
                            std::max(area.top(), area.bottom() - window->height() - kFrameHeight)));
}
