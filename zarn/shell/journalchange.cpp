#include "zarn/shell/journalchange.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "zarn/shell/journalline.h"

using namespace journalline;

namespace {

constexpr const char* kKinds[] = {"tags", "placed", "copied", "folder"};

void AppendBytes(QByteArray& out, const char* name, const QByteArray& bytes) {
    out += ",\"";
    out += name;
    out += "\":\"";
    out += bytes.toBase64();
    out += '"';
}

void AppendHash(QByteArray& out, const char* name, quint64 hash) {
    out += ",\"";
    out += name;
    out += "\":\"";
    out += QByteArray::number(hash, 16);
    out += '"';
}

struct Reader {
    QJsonObject o;
    QString text(const char* name) const { return o.value(QLatin1String(name)).toString(); }
    qint64 number(const char* name, qint64 none = -1) const {
        return qint64(o.value(QLatin1String(name)).toDouble(double(none)));
    }
    quint64 big(const char* name) const { return text(name).toULongLong(); }
    quint64 hash(const char* name) const { return text(name).toULongLong(nullptr, 16); }
    QByteArray bytes(const char* name) const {
        return QByteArray::fromBase64(text(name).toLatin1());
    }
    FileIdentity identity(const QByteArray& prefix) const {
        FileIdentity id;
        if (!o.contains(QLatin1String(prefix + "dev"))) return id;
        id.device = big(QByteArray(prefix + "dev").constData());
        id.inode = big(QByteArray(prefix + "ino").constData());
        id.size = number(QByteArray(prefix + "size").constData());
        id.modifiedNs = qint64(big(QByteArray(prefix + "mtime").constData()));
        return id;
    }
};

}  // namespace

qint64 RecordedChange::keptBytes() const {
    qint64 n = head.size() + tail.size();
    for (const JournalPatch& patch : patches) n += patch.old.size();
    return n;
}

QByteArray ChangeLine(const RecordedChange& c) {
    QByteArray line;
    line.reserve(256 + c.keptBytes() * 4 / 3);
    line += "{\"change\":\"";
    line += kKinds[int(c.kind)];
    line += '"';
    AppendPath(line, "path", c.path);
    AppendPath(line, "target", c.target);
    AppendPath(line, "kept", c.kept);
    AppendIdentity(line, c.before, "before-");
    AppendIdentity(line, c.identity);
    if (c.kind == RecordedChange::Kind::Tags) {
        AppendNumber(line, "oldLength", c.oldLength);
        AppendNumber(line, "newLength", c.newLength);
    }
    if (!c.patches.isEmpty()) {
        line += ",\"patches\":[";
        for (qsizetype i = 0; i < c.patches.size(); ++i) {
            const JournalPatch& p = c.patches[i];
            line += i > 0 ? ",{\"pos\":" : "{\"pos\":";
            line += QByteArray::number(p.pos);
            AppendBytes(line, "old", p.old);
            AppendNumber(line, "newLength", p.newLength);
            AppendHash(line, "newHash", p.newHash);
            line += '}';
        }
        line += ']';
    }
    if (c.rewritten) {
        AppendBytes(line, "head", c.head);
        AppendBytes(line, "tail", c.tail);
        AppendNumber(line, "audioFrom", c.audioFrom);
        AppendNumber(line, "audioTo", c.audioTo);
        AppendHash(line, "headHash", c.headHash);
        AppendHash(line, "tailHash", c.tailHash);
    }
    line += "}\n";
    return line;
}

std::optional<RecordedChange> ChangeOfLine(const QByteArray& line) {
    const Reader r{QJsonDocument::fromJson(line).object()};
    const QString kind = r.text("change");
    RecordedChange c;
    int k = 0;
    while (k < 4 && kind != QLatin1String(kKinds[k])) ++k;
    if (k == 4) return std::nullopt;
    c.kind = RecordedChange::Kind(k);
    c.path = r.text("path");
    c.target = r.text("target");
    c.kept = r.text("kept");
    c.before = r.identity("before-");
    c.identity = r.identity("");
    c.oldLength = r.number("oldLength");
    c.newLength = r.number("newLength");
    for (const QJsonValue& value : r.o.value(QLatin1String("patches")).toArray()) {
        const Reader p{value.toObject()};
        c.patches.append(
            {p.number("pos", 0), p.bytes("old"), p.number("newLength", 0), p.hash("newHash")});
    }
    c.rewritten = r.o.contains(QLatin1String("head"));
    c.head = r.bytes("head");
    c.tail = r.bytes("tail");
    c.audioFrom = r.number("audioFrom", 0);
    c.audioTo = r.number("audioTo", 0);
    c.headHash = r.hash("headHash");
    c.tailHash = r.hash("tailHash");
    return c;
}
