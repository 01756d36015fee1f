#include "zarn/names/fixfilename.h"

#include <QFileInfo>

// Placeholder until the name engine lands: keeps the old name.
QString FixFileName(const QString& path, const QString&, const QString&, const Options&) {
    const QFileInfo info(path);
    return info.exists() ? info.fileName() : QString();
}
