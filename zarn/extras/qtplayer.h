#pragma once
// The player on QtMultimedia. The media backend starts on the first file played, so a window
// that never plays anything never loads it.
#include <memory>

#include "zarn/extras/player.h"

class QAudioOutput;
class QMediaPlayer;

class QtPlayer : public Player {
    Q_OBJECT
  public:
    explicit QtPlayer(QObject* parent = nullptr);
    ~QtPlayer() override;

    void setFileName(const QString& path) override;
    QString fileName() const override { return m_fileName; }
    void play() override;
    void pause() override;
    void stop() override;
    void setVolume(int hundredthsOfDecibel) override;

    // This machine has a device to play on (a server or a build machine often has none).
    static bool HasAudioOutput();

  private:
    QMediaPlayer& media();
    void changeSource(const QString& path);

    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_media;
    QString m_fileName;
    float m_volume = 1.0F;
    bool m_changingSource = false;
};
