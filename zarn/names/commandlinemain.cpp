#include "zarn/names/commandlinemain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "zarn/names/commandline.h"
#include "zarn/shell/options.h"
#include "zarn/names/replacelist.h"
#include "zarn/shell/messageboxprompter.h"
#include "zarn/shell/programfolder.h"
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

CommandLineRequest RequestOf(int argc, char* argv[]) {
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

// A question box needs a display; without one the question cannot be asked.
bool CanShowWindows() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

}  // namespace

int RunCommandLine(int argc, char* argv[]) {
    const CommandLineRequest request = RequestOf(argc, argv);
    const bool mustAsk = request.mode == CommandLineMode::Extension && request.value.isEmpty() &&
                         !request.files.isEmpty() && CanShowWindows();

    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<Prompter> prompter;
    if (mustAsk) {
        app = std::make_unique<QApplication>(argc, argv);
        prompter = std::make_unique<MessageBoxPrompter>();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    QTextStream out(stdout);
    QTextStream err(stderr);
    const SettingsStore store(QStringLiteral("Zarn"));
    Options options = LoadOptions(store);
    const QString inPattern =
        store.text(QStringLiteral("InPattern"), QStringLiteral("%artist - %title.mp3"));
    if (request.mode == CommandLineMode::Rename)
        options.Replaces = ReadReplaceList(ProgramFile(QStringLiteral("replaces.txt")));
    return ProcessCommandLine(request, inPattern, options, prompter.get(), out, err);
}
