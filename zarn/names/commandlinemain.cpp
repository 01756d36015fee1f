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

// The question box for a missing extension needs a screen to show on. Without one, Qt waits
// forever on a box nobody sees (offscreen) or aborts (an unreachable display), so the platform is
// tried with the offscreen one as a fallback and a fallback means: nobody can answer.
std::unique_ptr<QApplication> ApplicationThatCanAsk(int& argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (platforms.isEmpty()) {
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) platforms = "wayland;";
        if (!qEnvironmentVariableIsEmpty("DISPLAY")) platforms += "xcb;";
        if (platforms.isEmpty()) return nullptr;
    } else {
        platforms += ';';
    }
    qputenv("QT_QPA_PLATFORM", platforms + "offscreen");
    // The failed attempts would only print Qt's own complaints about the display.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    const QString platform = QGuiApplication::platformName();
    if (platform == u"offscreen" || platform == u"minimal") return nullptr;
    return app;
#else
    return std::make_unique<QApplication>(argc, argv);
#endif
}

}  // namespace

int RunCommandLine(int argc, char* argv[]) {
    const CommandLineRequest request = RequestOf(argc, argv);
    const bool mustAsk = request.mode == CommandLineMode::Extension && request.value.isEmpty() &&
                         !request.files.isEmpty();

    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<Prompter> prompter;
    if (mustAsk) {
        app = ApplicationThatCanAsk(argc, argv);
        if (app) prompter = std::make_unique<MessageBoxPrompter>();
    }
    if (!app) app = std::make_unique<QCoreApplication>(argc, argv);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const SettingsStore store(QStringLiteral("Zarn"));
    Options options = LoadOptions(store);
    const QString inPattern =
        store.text(QStringLiteral("InPattern"), QStringLiteral("%artist - %title.mp3"));
    // As at every start, the text files come first (a missing one is created), then the files.
    options.Replaces = ReadReplaceList(ProgramFile(QStringLiteral("replaces.txt")));
    return ProcessCommandLine(request, inPattern, options, prompter.get(), out, err);
}
