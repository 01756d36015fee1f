#include "zarn/names/commandlinemain.h"

#include <QApplication>
#include <memory>

#include "zarn/names/commandlinerun.h"
#include "zarn/shell/messageboxprompter.h"

namespace {

// The question box for a missing extension needs a screen to show on. Without one, Qt waits
// forever on a box nobody sees (offscreen) or aborts (an unreachable display), so the platform is
// tried with the offscreen one as a fallback and a fallback means: nobody can answer.
std::unique_ptr<QApplication> ApplicationThatCanAsk(int& argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QByteArray platforms = DisplayPlatforms();
    if (platforms.isEmpty()) return nullptr;
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
    const CommandLineRequest request = CommandLineRequestOf(argc, argv);
    if (!MustAskForExtension(request)) return RunCommandLineWithoutWindow(request, argc, argv);
    std::unique_ptr<QCoreApplication> app = ApplicationThatCanAsk(argc, argv);
    std::unique_ptr<Prompter> prompter;
    if (app)
        prompter = std::make_unique<MessageBoxPrompter>();
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    return RunCommandLineRequest(request, prompter.get());
}
