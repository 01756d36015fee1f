#include "zarn/extras/playercontrol.h"

#include "zarn/extras/player.h"
#include "zarn/shell/listentry.h"
#include "zarn/shell/prompter.h"

int VolumeOfBarPosition(int position) {
    return position * 26 - 2600;
}

QString OpenFileToolTip(const QString& path, bool severalFiles) {
    return severalFiles ? QString() : QStringLiteral("Open: ") + path;
}

PlayerControl::PlayerControl(Player& player, Prompter& prompter, QObject* parent)
    : QObject(parent), m_player(player), m_prompter(prompter) {
    connect(&player, &Player::endOfStream, this, &PlayerControl::endOfPlayback);
    connect(&player, &Player::playStateChanged, this, &PlayerControl::stateChanged);
    connect(&player, &Player::failed, this, [this](const QString& message) {
        // The player's reason rarely says which file it could not play.
        const QString file = m_player.fileName();
        m_prompter.critical(QStringLiteral("Zarn"),
                            file.isEmpty() || message.contains(file)
                                ? message
                                : message + QStringLiteral("\n\nFile: ") + file);
    });
}

void PlayerControl::playFile(const QString& path, bool severalFiles) {
    if (severalFiles || !PathExists(path)) return;
    m_player.setFileName(path);
}

void PlayerControl::stop() {
    m_player.stop();
}

void PlayerControl::setBarPosition(int position) {
    m_player.setVolume(VolumeOfBarPosition(position));
}

void PlayerControl::endOfPlayback() {
    setPageToolTip(QString());
    // Unloading reports "stopped" again, which must not unload a second time.
    if (!m_player.fileName().isEmpty()) m_player.setFileName(QString());
}

void PlayerControl::stateChanged(int state) {
    if (state == Player::Playing)
        setPageToolTip(QStringLiteral("Now Playing: ") + m_player.fileName());
    else if (state == Player::Stopped)
        endOfPlayback();
}

void PlayerControl::setPageToolTip(const QString& text) {
    if (text == m_pageToolTip) return;
    m_pageToolTip = text;
    emit pageToolTipChanged(text);
}
