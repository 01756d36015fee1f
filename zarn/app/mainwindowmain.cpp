#include "zarn/app/mainwindowmain.h"

#include <QApplication>

#include "zarn/app/frmzarn.h"
#include "zarn/shell/messageboxprompter.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/settingsstore.h"

int RunMainWindow(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zarn"));
    SettingsStore store(QStringLiteral("Zarn"));
    ProgramValues values;
    MessageBoxPrompter prompter;
    frmZarn window(store, values, prompter);
    // Shutdown ends the program at once, whatever other window is open.
    QObject::connect(&window, &frmZarn::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.show();
    return app.exec();
}
