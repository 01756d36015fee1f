#include "zarn/batch/batchreport.h"

#include <QDir>
#include <QTextStream>

#include "zarn/names/commandline.h"

void BatchReport::fail(const QString& path, const QString& reason) {
    QString line = reason;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("; "));
    line.replace(u'\n', QStringLiteral("; "));
    m_err << "zarn: " << ShownPath(path) << ": " << line << '\n';
    ++m_failures;
}

int BatchReport::status() const {
    return m_failures == 0 ? kExitOk : kExitSomeFailed;
}

QString ShownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}
