#pragma once
// A row of the file list is "name     (folder/)": the text itself is all the list stores, so
// every path is recovered from it. The separator is a parameter so both path styles can be
// handled (and tested) on any system.
#include <QChar>
#include <QDir>
#include <QString>

// Five blanks and an opening parenthesis between the name and the folder.
inline const QString kEntryMarker = QStringLiteral("     (");

QString EntryFromPath(const QString& path, QChar separator = QDir::separator());
QString PathFromEntry(const QString& entry);
QString NameFromEntry(const QString& entry, QChar separator = QDir::separator());
QString FolderFromEntry(const QString& entry, QChar separator = QDir::separator());

// A file or folder is there (its attributes can be read).
bool PathExists(const QString& path);
bool IsFolder(const QString& path);
