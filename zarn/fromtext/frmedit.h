#pragma once
// "Edit Fixed Filename": edits one new name of the scan, with a find-and-replace helper.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmEdit : public QDialog {
    Q_OBJECT
  public:
    explicit frmEdit(const QString& name, QWidget* parent = nullptr);

    // The edited name (what OK accepted).
    QString fixedName() const;

    QLineEdit* txtFixedName = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtReplace = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtWith = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void replaceAll();
    // Kept while txtFixedName loses the focus, so txtReplace can take it over.
    QString m_selectedInName;
};
