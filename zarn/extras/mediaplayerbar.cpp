#include "zarn/extras/mediaplayerbar.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "zarn/extras/player.h"

namespace {
// 2535 twips; at 96 dots per inch a pixel is 15 twips.
constexpr int kWidthPx = 2535 / 15;

QToolButton* Button(QWidget* parent, QStyle::StandardPixmap icon, const QString& tip,
                    const char* name) {
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
}  // namespace

MediaPlayerBar::MediaPlayerBar(Player& player, QWidget* parent)
    : QWidget(parent), m_player(player) {
    setObjectName(QStringLiteral("MediaPlayer"));
    setFixedWidth(kWidthPx);
    cmdPlay = Button(this, QStyle::SP_MediaPlay, QStringLiteral("Play"), "cmdPlay");
    cmdPause = Button(this, QStyle::SP_MediaPause, QStringLiteral("Pause"), "cmdPause");
    cmdStop = Button(this, QStyle::SP_MediaStop, QStringLiteral("Stop"), "cmdStop");
    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->setFrameShape(QFrame::StyledPanel);
    lblFile->setMinimumWidth(1);  // a long name must not widen the fixed-width player

    auto* buttons = new QHBoxLayout;
    for (QToolButton* b : {cmdPlay, cmdPause, cmdStop}) buttons->addWidget(b);
    buttons->addStretch();
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(lblFile);
    rows->addLayout(buttons);
    rows->addStretch();

    connect(cmdPlay, &QToolButton::clicked, &player, &Player::play);
    connect(cmdPause, &QToolButton::clicked, &player, &Player::pause);
    connect(cmdStop, &QToolButton::clicked, &player, &Player::stop);
    // Queued: the page's own handling (unloading at the end) has run when the bar looks.
    connect(&player, &Player::playStateChanged, this, &MediaPlayerBar::showState,
            Qt::QueuedConnection);
    connect(
        &player, &Player::endOfStream, this, [this] { showState(Player::Stopped); },
        Qt::QueuedConnection);
    showState(Player::Stopped);
}

void MediaPlayerBar::showState(int state) {
    const QString path = m_player.fileName();
    const bool loaded = !path.isEmpty();
    cmdPlay->setEnabled(loaded && state != Player::Playing);
    cmdPause->setEnabled(state == Player::Playing);
    cmdStop->setEnabled(loaded && state != Player::Stopped);
    const QString name = QFileInfo(path).fileName();
    lblFile->setText(fontMetrics().elidedText(name, Qt::ElideMiddle, kWidthPx - 8));
    lblFile->setToolTip(name);
}
