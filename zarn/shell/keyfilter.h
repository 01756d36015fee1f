#pragma once
// Drops key presses that a box must refuse (characters a file name cannot hold, non-digits).
#include <QObject>
#include <QString>

class KeyFilter : public QObject {
    Q_OBJECT
  public:
    // Refuses every key whose text holds one of `refused`.
    static KeyFilter* refusing(const QString& refused, QObject* parent);
    // Accepts only "0".."9" and Backspace among text keys; Enter is swallowed.
    static KeyFilter* digitsOnly(QObject* parent);
    // Installs the filter on `target` (and on its line edit when it is an editable combo box).
    void attachTo(QObject* target);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyFilter(const QString& refused, bool digitsOnly, QObject* parent);
    QString m_refused;
    bool m_digitsOnly;
};
