#pragma once
// The open and save dialogs that the file list uses, behind an interface so that tests can
// answer them. Filters are written as "Description|*.a;*.b|Other|*.*".
#include <QStringList>

class QWidget;

class FileDialogs {
  public:
    struct Choice {
        QStringList paths;    // empty when cancelled
        int filterIndex = 0;  // 0-based index of the filter that was chosen
    };
    virtual ~FileDialogs() = default;
    virtual Choice open(const QString& folder, const QString& filter, bool several) = 0;
    virtual Choice save(const QString& folder, const QString& filter) = 0;
    // A folder chosen with the folder browser; empty when cancelled.
    virtual QString folder(const QString& title, const QString& start) = 0;
};

// "MP3 Files (*.mp3;*.mp2)|*.mp3;*.mp2" as the dialog's filters: "MP3 Files (*.mp3 *.mp2)".
QStringList DialogFilters(const QString& filter);

class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* owner) : m_owner(owner) {}
    Choice open(const QString& folder, const QString& filter, bool several) override;
    Choice save(const QString& folder, const QString& filter) override;
    QString folder(const QString& title, const QString& start) override;

  private:
    QWidget* m_owner;
};
