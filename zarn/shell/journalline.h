#pragma once
// The pieces of a journal line (one JSON object per line), written by hand: a save of thousands
// of files writes one or two lines for each, and a JSON library would cost more than the write.
#include <QByteArray>
#include <QString>

#include "zarn/shell/fileidentity.h"

namespace journalline {
void AppendString(QByteArray& out, const QString& text);
// `,"name":"path"` with the path made absolute; nothing for an empty path.
void AppendPath(QByteArray& out, const char* name, const QString& path);
void AppendNumber(QByteArray& out, const char* name, qint64 value);
// Device, inode and time may not fit the numbers JSON readers keep exactly: they go as text.
void AppendBig(QByteArray& out, const char* name, quint64 value);
// dev, ino, size and mtime, each name after `prefix`; nothing for an invalid identity.
void AppendIdentity(QByteArray& out, const FileIdentity& identity, const char* prefix = "");
}  // namespace journalline
