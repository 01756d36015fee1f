#include "zarn/batch/batchreport.h"

#include <QDir>
#include <QTextStream>
#include <algorithm>

#include "zarn/names/commandline.h"

void BatchReport::fail(const QString& path, const QString& reason) {
    QString line = reason;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("; "));
    line.replace(u'\n', QStringLiteral("; "));
    m_err << "zarn: " << ShownPath(path) << ": " << line << '\n';
    ++m_failures;
}

void BatchReport::problems(const QList<FileOutcome>& outcomes) {
    for (const FileOutcome& outcome : outcomes) {
        if (outcome.kind == FileOutcome::Kind::Gone)
            fail(outcome.path, QStringLiteral("the file is gone"));
        else if (outcome.failed())
            fail(outcome.path, outcome.error.description);
    }
}

int BatchReport::status() const {
    return m_failures == 0 ? kExitOk : kExitSomeFailed;
}

QString ShownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString TsvField(const QString& value) {
    // Most values hold none of the four characters and are taken as they are.
    const auto special = [](QChar ch) {
        return ch == u'\t' || ch == u'\n' || ch == u'\r' || ch == u'\\';
    };
    if (std::none_of(value.begin(), value.end(), special)) return value;
    QString out;
    out.reserve(value.size());
    for (const QChar ch : value) {
        switch (ch.unicode()) {
            case u'\t':
                out += QStringLiteral("\\t");
                break;
            case u'\n':
                out += QStringLiteral("\\n");
                break;
            case u'\r':
                out += QStringLiteral("\\r");
                break;
            case u'\\':
                out += QStringLiteral("\\\\");
                break;
            default:
                out += ch;
        }
    }
    return out;
}
