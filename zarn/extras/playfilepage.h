#pragma once
// The "Play File" page of the main window's tab strip: "Open file", the volume bar and the
// embedded player. The pop-up menu's "Play file" and "Stop playing file" call play() and stop().
#include <QWidget>
#include <functional>

class MediaPlayerBar;
class Player;
class PlayerControl;
class Prompter;
class QPushButton;
class QScrollBar;

class PlayFilePage : public QWidget {
    Q_OBJECT
  public:
    // What the page reads from the file list when it plays.
    struct Selection {
        std::function<QString()> currentPath;  // the full path of the current row
        std::function<bool()> severalFiles;    // the tag panel's several-files state
    };

    PlayFilePage(Player& player, Prompter& prompter, Selection selection,
                 QWidget* parent = nullptr);

    void play();
    void stop();

    QPushButton* cmdOpenMP3 = nullptr;
    QScrollBar* VScroll = nullptr;
    MediaPlayerBar* MediaPlayer = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Selection m_selection;
    PlayerControl* m_control = nullptr;
};
