#pragma once
// A player that plays nothing: it records what it was told and reports what a test makes it.
#include <QStringList>

#include "zarn/extras/player.h"

class FakePlayer : public Player {
    Q_OBJECT
  public:
    using Player::Player;

    void setFileName(const QString& path) override {
        opened << path;
        m_fileName = path;
        emit playStateChanged(path.isEmpty() ? Stopped : Playing);
    }
    QString fileName() const override { return m_fileName; }
    void play() override {}
    void pause() override {}
    void stop() override {
        ++stops;
        emit playStateChanged(Stopped);
    }
    void setVolume(int hundredthsOfDecibel) override { volume = hundredthsOfDecibel; }

    // The file came to its end, as a real player reports it.
    void finish() { emit endOfStream(); }

    QStringList opened;  // every file name set, in order ("" for an unload)
    int stops = 0;
    int volume = 0;

  private:
    QString m_fileName;
};
