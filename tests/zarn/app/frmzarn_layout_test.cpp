#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTest>

#include "tests/zarn/app/windowtest.h"
#include "zarn/shell/filelistview.h"
#include "zarn/tags/fileinfo.h"

namespace {

class LayoutTest : public WindowTest {
  protected:
    void TearDown() override { QApplication::setFont(QFont()); }
    frmZarn& shown() {
        open().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }
    void resizeTo(QSize size) {
        window->resize(size);
        // The strips' scroll bars come and go with the size, which lays the window out again.
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    QRect inWindow(const QWidget* w) const { return {w->mapTo(window.get(), QPoint()), w->size()}; }
};

// 9405 x 8025 twips at 96 dots per inch.
constexpr QSize kSmallest(627, 535);

TEST_F(LayoutTest, TheWindowShrinksToItsSmallestSizeWithoutSqueezingAControl) {
    frmZarn& w = shown();
    EXPECT_EQ(w.minimumSize(), kSmallest);
    const int frameWidth = w.panel.Frame3->width();
    resizeTo(kSmallest);
    EXPECT_EQ(w.size(), kSmallest);
    const QSize least = w.minimumSizeHint();
    EXPECT_TRUE(least.width() <= kSmallest.width() && least.height() <= kSmallest.height())
        << least.width() << "x" << least.height();
    // What does not fit scrolls; no control is pressed below the size it needs.
    for (const QWidget* control : w.findChildren<QWidget*>()) {
        const bool ours = !qobject_cast<const QTabBar*>(control->parentWidget());
        if (!control->isVisibleTo(&w) || !ours ||
            !(qobject_cast<const QAbstractButton*>(control) ||
              qobject_cast<const QLabel*>(control)))
            continue;
        const std::string name = control->objectName().toStdString();
        const QSize need = control->minimumSizeHint().expandedTo(control->minimumSize());
        EXPECT_GE(control->height(), need.height()) << name;
        if (control->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored) {
            EXPECT_GE(control->width(), need.width()) << name;
        }
    }
    EXPECT_EQ(w.panel.Frame3->width(), frameWidth);
    EXPECT_GE(w.lstFiles->width(), 60);
    EXPECT_GE(w.lstFiles->height(), 60);
}

TEST_F(LayoutTest, TheListTakesTheRoomTheWindowGains) {
    frmZarn& w = shown();
    const struct {
        QSize from, to;
    } cases[] = {{{1200, 800}, {1350, 920}}, {{1100, 640}, {1500, 1000}}};
    for (const auto& c : cases) {
        resizeTo(c.from);
        const QRect list = inWindow(w.lstFiles);
        const QRect frame = inWindow(w.panel.Frame3);
        resizeTo(c.to);
        const QSize grown = c.to - c.from;
        EXPECT_EQ(inWindow(w.lstFiles), list.adjusted(0, 0, grown.width(), grown.height()));
        // The tag frame keeps its width and its place by the right edge.
        EXPECT_EQ(inWindow(w.panel.Frame3).width(), frame.width());
        EXPECT_EQ(inWindow(w.panel.Frame3).left(), frame.left() + grown.width());
    }
}

TEST_F(LayoutTest, TheFileInformationShowsWholeWithoutOverlapping) {
    FileInfo info;
    info.txtfType = QStringLiteral("MPEG 2.5 layer 3 ID3v1: 1.1 ID3v2: 4.0");
    info.txtfkBit = QStringLiteral("320kbps");
    info.txtfQuality = QStringLiteral("48000Hz JStereo");
    info.txtfSize = QStringLiteral("Size: 1073741824b");
    info.txtfLength = QStringLiteral("Length: 86400 s");
    info.txtfHeader = QStringLiteral("Header: 1048576b");
    info.txtfCopyrighted = QStringLiteral("Copyrighted: Yes");
    info.txtfOriginal = QStringLiteral("Original: Yes");
    info.txtfCRCs = QStringLiteral("CRCs: Yes");
    info.txtfEmphasis = QStringLiteral("Emphasis: 50/15 micros");
    info.lblFileSize = QStringLiteral("File size: 1048576 Kb");
    // The desktop's font size decides how wide the texts are.
    for (const int points : {9, 11, 14}) {
        SCOPED_TRACE(points);
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
        TagPanel& p = shown().panel;
        p.showFileInfo(info);
        QApplication::processEvents();
        const QList<QLabel*> labels = {p.txtfType,        p.txtfkBit,     p.txtfQuality,
                                       p.txtfSize,        p.txtfLength,   p.txtfHeader,
                                       p.txtfCopyrighted, p.txtfOriginal, p.txtfCRCs,
                                       p.txtfEmphasis,    p.lblFileSize};
        for (const QLabel* label : labels) {
            const std::string name = label->objectName().toStdString();
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << name;
            for (const QLabel* other : labels) {
                if (other != label) {
                    EXPECT_FALSE(inWindow(label).intersects(inWindow(other)))
                        << name << " and " << other->objectName().toStdString();
                }
            }
        }
    }
}

}  // namespace
