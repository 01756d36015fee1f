#include "zarn/extras/playfilepage.h"

#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>

#include "zarn/extras/mediaplayerbar.h"
#include "zarn/extras/playercontrol.h"

PlayFilePage::PlayFilePage(Player& player, Prompter& prompter, Selection selection, QWidget* parent)
    : QWidget(parent), m_selection(std::move(selection)) {
    m_control = new PlayerControl(player, prompter, this);
    cmdOpenMP3 = new QPushButton(QStringLiteral("Open file"), this);
    cmdOpenMP3->setObjectName(QStringLiteral("cmdOpenMP3"));
    cmdOpenMP3->setMouseTracking(true);
    cmdOpenMP3->installEventFilter(this);
    VScroll = new QScrollBar(Qt::Vertical, this);
    VScroll->setObjectName(QStringLiteral("VScroll"));
    VScroll->setRange(0, 100);
    // The loudest position at the top, as a volume control reads; it starts where the player
    // starts (0 dB).
    VScroll->setInvertedAppearance(true);
    VScroll->setValue(100);
    VScroll->setToolTip(QStringLiteral("Volume"));
    MediaPlayer = new MediaPlayerBar(player, this);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(cmdOpenMP3, 0, Qt::AlignTop);
    layout->addWidget(VScroll);
    layout->addWidget(MediaPlayer);
    layout->addStretch();

    connect(cmdOpenMP3, &QPushButton::clicked, this, &PlayFilePage::play);
    connect(VScroll, &QScrollBar::valueChanged, m_control, &PlayerControl::setBarPosition);
    connect(m_control, &PlayerControl::pageToolTipChanged, this,
            [this](const QString& text) { setToolTip(QDir::toNativeSeparators(text)); });
}

void PlayFilePage::play() {
    m_control->playFile(m_selection.currentPath(), m_selection.severalFiles());
}

void PlayFilePage::stop() {
    m_control->stop();
}

// The tip follows the current row, so it is built each time the mouse comes over the button.
bool PlayFilePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdOpenMP3 &&
        (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove ||
         event->type() == QEvent::ToolTip)) {
        cmdOpenMP3->setToolTip(OpenFileToolTip(QDir::toNativeSeparators(m_selection.currentPath()),
                                               m_selection.severalFiles()));
    }
    return QWidget::eventFilter(watched, event);
}
