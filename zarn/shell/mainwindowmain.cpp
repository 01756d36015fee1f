#include "zarn/shell/mainwindowmain.h"

#include <QApplication>
#include <QMainWindow>

// Placeholder until the main window lands.
int RunMainWindow(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Pelmora"));
    window.show();
    return app.exec();
}
