#pragma once
// The options window: edits the Options record (clean-up rules, extension, tags, attributes)
// and the Replace list. OK stores everything; Cancel stores nothing.
#include <QDialog>
#include <array>
#include <functional>

#include "zarn/shell/options.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QPushButton;
class Prompter;
class QRadioButton;
class SettingsStore;

class frmOptions : public QDialog {
    Q_OBJECT
  public:
    // Called after OK has stored the options, so the main window can fit its ID3v1 boxes.
    using Applied = std::function<void(const Options&)>;

    // `prompter` reports a replace list that cannot be written.
    frmOptions(Options& options, SettingsStore& store, const QString& replacesPath,
               Prompter& prompter, Applied applied = {}, QWidget* parent = nullptr);

    QCheckBox* chkOptimizeID3v1 = nullptr;
    QCheckBox* chkRemHiddenID3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 5> optChange{};
    QCheckBox* chkReplace = nullptr;
    QComboBox* cmbReplace1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cmbReplace2 = nullptr;
    QPushButton* cmdAddReplace = nullptr;
    QPushButton* cmdRemReplace = nullptr;
    QCheckBox* chkRemoveChars = nullptr;
    QLineEdit* txtRemoveChars = nullptr;
    QCheckBox* chkSpaces = nullptr;
    QCheckBox* chkID3 = nullptr;
    QCheckBox* chkMisses = nullptr;
    QCheckBox* chkParenth = nullptr;
    QCheckBox* chk20tospace = nullptr;
    QCheckBox* chkUndtospace = nullptr;
    QCheckBox* chkLowext = nullptr;
    QCheckBox* chkExtension = nullptr;
    QLineEdit* txtExtension = nullptr;
    QCheckBox* chkSetAttributes = nullptr;
    QCheckBox* chkReadOnly = nullptr;
    QCheckBox* chkHidden = nullptr;
    QCheckBox* chkArchive = nullptr;
    QSpinBox* spnUndoOperations = nullptr;
    QSpinBox* spnUndoMegabytes = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

  private:
    void buildControls();
    void layOut();
    void wire();
    void show(const Options& options);
    void addReplace();
    void removeReplace();
    void ok();
    Options fromControls() const;
    ReplaceList replacesFromLists() const;

    Options& m_options;
    SettingsStore& m_store;
    QString m_replacesPath;
    Prompter& m_prompter;
    Applied m_applied;
};
