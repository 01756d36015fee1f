#include "zarn/shell/journalline.h"

#include <QDir>

namespace {

// Paths are kept absolute: the next start that reads them may run in another folder. The
// program never changes its working folder, so it is asked for once, not for every line.
QString Absolute(const QString& path) {
    if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
    static const QString current = QDir::currentPath() + u'/';
    return QDir::cleanPath(current + path);
}

void AppendName(QByteArray& out, const char* prefix, const char* name) {
    out += ",\"";
    out += prefix;
    out += name;
    out += "\":";
}

}  // namespace

namespace journalline {

void AppendString(QByteArray& out, const QString& text) {
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto byte = uchar(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += "0123456789abcdef"[byte >> 4];
            out += "0123456789abcdef"[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendPath(QByteArray& out, const char* name, const QString& path) {
    if (path.isEmpty()) return;
    AppendName(out, "", name);
    AppendString(out, Absolute(path));
}

void AppendNumber(QByteArray& out, const char* name, qint64 value) {
    AppendName(out, "", name);
    out += QByteArray::number(value);
}

void AppendBig(QByteArray& out, const char* name, quint64 value) {
    AppendName(out, "", name);
    out += '"';
    out += QByteArray::number(value);
    out += '"';
}

void AppendIdentity(QByteArray& out, const FileIdentity& identity, const char* prefix) {
    if (!identity.valid()) return;
    const auto big = [&](const char* name, quint64 value) {
        AppendName(out, prefix, name);
        out += '"';
        out += QByteArray::number(value);
        out += '"';
    };
    big("dev", identity.device);
    big("ino", identity.inode);
    AppendName(out, prefix, "size");
    out += QByteArray::number(identity.size);
    big("mtime", quint64(identity.modifiedNs));
}

}  // namespace journalline
