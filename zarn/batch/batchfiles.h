#pragma once
// The files a batch command works on: named files as they are, folders walked recursively.
#include <QString>
#include <QStringList>

struct BatchFiles {
    QStringList files;
    // Paths that name nothing usable, each with the reason (a failure line each).
    QList<QPair<QString, QString>> failures;
};

// Named files are taken whatever their extension; in folders only files whose extension is
// `extension` (any case). Each folder's entries are taken in name order, sub-folders where
// they stand in that order, so a run over the same tree is always in the same order.
// Symbolic links to folders are not followed (no cycles).
BatchFiles CollectFiles(const QStringList& paths, const QString& extension);
