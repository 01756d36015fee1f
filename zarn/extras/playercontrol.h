#pragma once
// The rules of the "Play File" page over plain values: which file "Open file" plays, the tool
// tips, the volume bar, and what the player's notifications do.
#include <QObject>
#include <QString>

class Player;
class Prompter;

// The volume the bar's position gives: 100 is the loudest (0), 0 the quietest (-2600).
int VolumeOfBarPosition(int position);
// The tool tip of "Open file": empty while several files are selected.
QString OpenFileToolTip(const QString& path, bool severalFiles);

class PlayerControl : public QObject {
    Q_OBJECT
  public:
    PlayerControl(Player& player, Prompter& prompter, QObject* parent = nullptr);

    // Plays the file unless several files are selected or it no longer exists.
    void playFile(const QString& path, bool severalFiles);
    void stop();
    void setBarPosition(int position);
    QString pageToolTip() const { return m_pageToolTip; }

  signals:
    void pageToolTipChanged(const QString& text);

  private:
    void endOfPlayback();
    void stateChanged(int state);
    void setPageToolTip(const QString& text);

    Player& m_player;
    Prompter& m_prompter;
    QString m_pageToolTip;
};
