#pragma once
// The controls that steer sorting: method, collision policy, folder levels and target folder.
// The method change enables what copy and move need and keeps the target folder the user chose
// while rename shows a file's location in the same box.
#include <QObject>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QWidget;
struct ProgramValues;

class SortingControls : public QObject {
    Q_OBJECT
  public:
    SortingControls(ProgramValues& values, QWidget* owner);

    // The "Folders" page: folder levels, threshold and target folder.
    QWidget* buildFoldersPage();
    QGroupBox* buildMethodFrame();
    QGroupBox* buildExistsFrame();

    // Sets the sorting method and the controls that follow it.
    void applyMethod(int method);
    int methodIndex() const;
    int existsIndex() const;
    void setExistsIndex(int index);
    // The tab strip that rename switches to its second tab.
    void setTabStrip(QTabBar* tabs) { m_tabs = tabs; }

    QCheckBox* chkGenre = nullptr;
    QCheckBox* chkAlphabetical = nullptr;
    QCheckBox* chkSubFolder = nullptr;
    QLineEdit* txtSubFolder = nullptr;
    QLabel* lblSubFolder1 = nullptr;  // "Create subfolder if "
    QLabel* lblSubFolder2 = nullptr;  // "songs from same artist."
    QCheckBox* chkConvert = nullptr;
    QLabel* lblTargetDir = nullptr;
    QLineEdit* txtTargetDir = nullptr;
    QPushButton* cmdTargetDir = nullptr;
    std::array<QRadioButton*, 3> optMethod{};
    std::array<QRadioButton*, 3> optExists{};

  private:
    QWidget* m_owner;
    ProgramValues& m_values;
    QTabBar* m_tabs = nullptr;
    int m_shownMethod = -1;  // the method the controls show; -1 before the first
};
