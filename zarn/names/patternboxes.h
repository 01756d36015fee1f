#pragma once
// The behaviour of the main window's two pattern boxes: the characters they refuse, the mark
// an edited output pattern gets, the new name of the shown file, and the question whether the
// new pattern should be applied to the selected preview rows.
#include <QObject>
#include <functional>

class Prompter;
class QCheckBox;
class QComboBox;
class QLineEdit;

class PatternBoxes : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        QComboBox* cmbInPattern;
        QComboBox* cmbOutPattern;
        QCheckBox* chkPreview;
        QLineEdit* txtOldName;
        QLineEdit* txtNewName;
    };
    struct Actions {
        // The new name of the file shown in the tag panel (FixFileName2 of the selected file).
        std::function<QString()> newNameOfShownFile;
        // Rebuilds the selected preview rows with the current output pattern.
        std::function<void()> applyToSelectedRows;
    };

    PatternBoxes(const Controls& controls, Actions actions, Prompter& prompter,
                 QObject* parent = nullptr);

    // True while the output pattern was changed and not yet offered for the selection.
    bool marked() const { return m_marked; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void outPatternChanged();
    void outPatternLeft();
    void setMarked(bool marked);

    Controls m_c;
    Actions m_actions;
    Prompter& m_prompter;
    bool m_marked = false;
};
