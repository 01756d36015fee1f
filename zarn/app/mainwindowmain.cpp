#include "zarn/app/mainwindowmain.h"

#include <QApplication>

#include "zarn/app/frmzarn.h"
#include "zarn/app/listcommands.h"
#include "zarn/shell/journalrecovery.h"
#include "zarn/shell/messageboxprompter.h"
#include "zarn/shell/programvalues.h"
#include "zarn/shell/settingsstore.h"

int RunMainWindow(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zarn"));
    SettingsStore store(QStringLiteral("Zarn"));
    // What a crash of an earlier run left half done is finished or rolled back first.
    const QStringList recovered = RecoverInterruptedSteps();
    ProgramValues values;
    MessageBoxPrompter prompter;
    frmZarn window(store, values, prompter);
    // The program ends only through the main window's shutdown. Sorting hides the main window
    // and its progress window belongs to it, so closing a question box then left no window
    // that Qt counts, and Qt ended the program in the middle of the run.
    app.setQuitOnLastWindowClosed(false);
    // Shutdown ends the program at once, whatever other window is open.
    QObject::connect(&window, &frmZarn::programEnded, &app, [] { QCoreApplication::exit(0); });
    // "zarn --add FILE..." (a desktop's "Open with") starts with the files in the list, as if they
    // had been dropped on it.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1 && arguments[1] == QLatin1String(kAddOption))
        window.listCommands().dropOnFiles(arguments.mid(2));
    window.show();
    if (!recovered.isEmpty())
        prompter.information(QStringLiteral("Zarn"),
                             QStringLiteral("Zarn was stopped in the middle of changing files "
                                            "last time. This has been done about it:\n\n") +
                                 recovered.join(u'\n'));
    return app.exec();
}
