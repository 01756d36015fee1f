#include "zarn/shell/version.h"

#include <cstdio>
#include <cstring>

#include "zarn/shell/mainsettings.h"

QString ReleaseVersion() {
    return QStringLiteral(ZARN_RELEASE);
}

QString VersionText() {
    return QStringLiteral("zarn %1 (%2)").arg(ReleaseVersion(), ProgramCaption());
}

bool IsVersionArgument(int argc, char* argv[]) {
    return argc == 2 && std::strcmp(argv[1], "--version") == 0;
}

int PrintVersion() {
    const QByteArray line = VersionText().toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
