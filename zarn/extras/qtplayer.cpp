#include "zarn/extras/qtplayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QDir>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

QtPlayer::QtPlayer(QObject* parent) : Player(parent) {}

QtPlayer::~QtPlayer() {
    if (m_media) m_media->disconnect(this);
}

QMediaPlayer& QtPlayer::media() {
    if (m_media) return *m_media;
    m_output = std::make_unique<QAudioOutput>();
    m_output->setVolume(m_volume);
    m_media = std::make_unique<QMediaPlayer>();
    m_media->setAudioOutput(m_output.get());
    connect(m_media.get(), &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia) emit endOfStream();
            });
    connect(m_media.get(), &QMediaPlayer::playbackStateChanged, this,
            [this](QMediaPlayer::PlaybackState state) {
                // Loading another file stops the one before; that is no "stopped" of the user's.
                if (m_changingSource) return;
                switch (state) {
                    case QMediaPlayer::PlayingState:
                        emit playStateChanged(Playing);
                        break;
                    case QMediaPlayer::PausedState:
                        emit playStateChanged(Paused);
                        break;
                    case QMediaPlayer::StoppedState:
                        emit playStateChanged(Stopped);
                        break;
                }
            });
    connect(m_media.get(), &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& description) {
                emit failed(QStringLiteral("The file cannot be played:\n%1\n%2")
                                .arg(QDir::toNativeSeparators(m_fileName), description));
            });
    return *m_media;
}

void QtPlayer::changeSource(const QString& path) {
    m_changingSource = true;
    media().setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
    m_changingSource = false;
}

void QtPlayer::setFileName(const QString& path) {
    if (path.isEmpty()) {
        m_fileName.clear();
        if (m_media) changeSource(QString());
        return;
    }
    if (!HasAudioOutput()) {
        emit failed(QStringLiteral("The file cannot be played:\n%1\nThis computer has no audio "
                                   "output device.")
                        .arg(QDir::toNativeSeparators(path)));
        return;
    }
    m_fileName = path;
    changeSource(path);
    media().play();
}

bool QtPlayer::HasAudioOutput() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void QtPlayer::play() {
    if (m_media && !m_fileName.isEmpty()) m_media->play();
}

void QtPlayer::pause() {
    if (m_media) m_media->pause();
}

void QtPlayer::stop() {
    if (m_media) m_media->stop();
}

void QtPlayer::setVolume(int hundredthsOfDecibel) {
    m_volume = static_cast<float>(LinearVolume(hundredthsOfDecibel));
    if (m_output) m_output->setVolume(m_volume);
}
