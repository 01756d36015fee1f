#include "zarn/names/commandlinerun.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "zarn/names/replacelist.h"
#include "zarn/shell/consolestreams.h"
#include "zarn/shell/journalrecord.h"
#include "zarn/shell/journalrecovery.h"
#include "zarn/shell/options.h"
#include "zarn/shell/programfolder.h"
#include "zarn/shell/progressline.h"
#include "zarn/shell/settingsstore.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

#ifdef Q_OS_WIN
// The command line as one text, without the program's own name.
QString CommandLineText() {
    const QString line = QString::fromWCharArray(GetCommandLineW());
    qsizetype i = 0;
    if (line.startsWith(u'"')) {
        i = line.indexOf(u'"', 1);
        i = i < 0 ? line.size() : i + 1;
    } else {
        while (i < line.size() && line[i] != u' ') ++i;
    }
    return line.mid(i);
}
#endif

// How a run is named among the operations undo keeps.
QString CommandLineOperationKind(const CommandLineRequest& request) {
    switch (request.mode) {
        case CommandLineMode::Rename:
            return QStringLiteral("+rename=");
        case CommandLineMode::Extension:
            return QStringLiteral("+ext=");
        default:
            return {};
    }
}

}  // namespace

CommandLineRequest CommandLineRequestOf(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return ParseCommandLineText(CommandLineText());
#else
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return ParseCommandLineArguments(arguments);
#endif
}

bool MustAskForExtension(const CommandLineRequest& request) {
    return request.mode == CommandLineMode::Extension && request.value.isEmpty() &&
           !request.files.isEmpty();
}

QByteArray DisplayPlatforms() {
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty()) return chosen + ';';
    QByteArray platforms;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) platforms = "wayland;";
    if (!qEnvironmentVariableIsEmpty("DISPLAY")) platforms += "xcb;";
    return platforms;
}

int RunCommandLineRequest(const CommandLineRequest& request, Prompter* prompter) {
    ConsoleStreams console;
    QTextStream& out = console.out();
    QTextStream& err = console.err();
    if (request.quiet) console.progress().quiet();
    for (const QString& line : RecoverInterruptedSteps()) err << "zarn: " << line << '\n';
    const SettingsStore store(QStringLiteral("Zarn"));
    Options options = LoadOptions(store);
    const QString inPattern =
        store.text(QStringLiteral("InPattern"), QStringLiteral("%artist - %title.mp3"));
    // As at every start, the text files come first (a missing one is created), then the files.
    options.Replaces = ReadReplaceList(ProgramFile(QStringLiteral("replaces.txt")));
    const RecordedOperation recorded(CommandLineOperationKind(request), UndoLimits(options),
                                     prompter);
    const int status =
        ProcessCommandLine(request, inPattern, options, prompter, out, err, &console.progress());
    if (!console.progress().stoppedEarly()) return status;
    err << "zarn: " << StoppedText(console.progress().begun(), console.progress().total()) << '\n';
    return kExitSomeFailed;
}

int RunCommandLineWithoutWindow(const CommandLineRequest& request, int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    return RunCommandLineRequest(request, nullptr);
}
