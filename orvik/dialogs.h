#pragma once
// What the window asks of the user, behind an interface so that tests answer instead.
#include <QString>

class QWidget;

namespace orvik {

class FinderDialogs {
  public:
    virtual ~FinderDialogs() = default;
    // Empty when the user cancels.
    virtual QString openPlaylistPath(QWidget* parent) = 0;
    virtual QString savePlaylistPath(QWidget* parent) = 0;
    virtual bool askYesNo(QWidget* parent, const QString& question) = 0;
    virtual void showError(QWidget* parent, const QString& message) = 0;
    virtual void showAbout(QWidget* parent) = 0;
};

class QtFinderDialogs : public FinderDialogs {
  public:
    QString openPlaylistPath(QWidget* parent) override;
    QString savePlaylistPath(QWidget* parent) override;
    bool askYesNo(QWidget* parent, const QString& question) override;
    void showError(QWidget* parent, const QString& message) override;
    void showAbout(QWidget* parent) override;
};

// The program's title, used as the window caption and on every message box.
QString ProgramTitle();

}  // namespace orvik
