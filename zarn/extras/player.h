#pragma once
// The player behind the "Play File" page: opens a file and plays it, stops, takes a volume, and
// reports the end of playback and changes of its play state. The window library implements it
// with QtMultimedia; tests fake it.
#include <QObject>
#include <QString>

class Player : public QObject {
    Q_OBJECT
  public:
    // The play states as the page reads them: 2 playing, 0 stopped.
    enum PlayState { Stopped = 0, Paused = 1, Playing = 2 };

    using QObject::QObject;
    // Setting a name starts playing that file; an empty name unloads the file.
    virtual void setFileName(const QString& path) = 0;
    virtual QString fileName() const = 0;
    // The embedded control's own buttons: go on playing the loaded file, pause it.
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    // In hundredths of a decibel; 0 is the loudest.
    virtual void setVolume(int hundredthsOfDecibel) = 0;

  signals:
    void endOfStream();
    void playStateChanged(int state);
    // The file cannot be played (no audio device, a format the system cannot decode).
    void failed(const QString& message);
};

// The player's linear volume (0 to 1) for a volume in hundredths of a decibel.
double LinearVolume(int hundredthsOfDecibel);
