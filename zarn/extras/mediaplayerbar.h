#pragma once
// The embedded player of the "Play File" page: its own play, pause and stop buttons and the name
// of the file it holds.
#include <QWidget>

class Player;
class QLabel;
class QToolButton;

class MediaPlayerBar : public QWidget {
    Q_OBJECT
  public:
    MediaPlayerBar(Player& player, QWidget* parent = nullptr);

    QToolButton* cmdPlay = nullptr;
    QToolButton* cmdPause = nullptr;
    QToolButton* cmdStop = nullptr;
    QLabel* lblFile = nullptr;

  private:
    void showState(int state);

    Player& m_player;
};
