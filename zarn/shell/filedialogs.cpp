#include "zarn/shell/filedialogs.h"

#include <QFileDialog>

#include "zarn/shell/text.h"

QStringList DialogFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        if (const qsizetype paren = description.indexOf(u'('); paren >= 0)
            description = TrimBlanks(description.left(paren));
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ').replace(QStringLiteral("*.*"), QStringLiteral("*"));
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters;
}

namespace {

FileDialogs::Choice Run(QFileDialog& dialog, const QStringList& filters) {
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted) return {};
    QStringList paths;
    for (const QString& path : dialog.selectedFiles()) paths.append(QDir::toNativeSeparators(path));
    return {paths, int(filters.indexOf(dialog.selectedNameFilter()))};
}

}  // namespace

FileDialogs::Choice QtFileDialogs::open(const QString& folder, const QString& filter,
                                        bool several) {
    QFileDialog dialog(m_owner, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    return Run(dialog, DialogFilters(filter));
}

FileDialogs::Choice QtFileDialogs::save(const QString& folder, const QString& filter) {
    QFileDialog dialog(m_owner, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return Run(dialog, DialogFilters(filter));
}

QString QtFileDialogs::folder(const QString& title, const QString& start) {
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(m_owner, title, start));
}
