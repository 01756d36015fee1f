#include "zarn/names/safename.h"

namespace {

// Bytes of `text` in UTF-8, counted without encoding it (a lone surrogate counts as the three
// bytes of the replacement character it becomes).
qsizetype Utf8Length(QStringView text) {
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            bytes += 1;
        } else if (unit < 0x800) {
            bytes += 2;
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            bytes += 4;
            ++i;
        } else {
            bytes += 3;
        }
    }
    return bytes;
}

// The longest start of `text` within `maxBytes` bytes, never splitting a surrogate pair.
QString CutToBytes(const QString& text, qsizetype maxBytes) {
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype n =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const qsizetype size = Utf8Length(QStringView(text).mid(i, n));
        if (bytes + size > maxBytes) break;
        bytes += size;
        i += n;
    }
    return text.left(i);
}

}  // namespace

QString SafeFileName(const QString& input, const QString& fallback) {
    QString name = input;
    name.removeIf([](QChar ch) { return ch.unicode() < 32; });
    name.replace(u'/', u' ');
    if (Utf8Length(name) > kMaxNameBytes) {
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString extension = dot < 0 ? QString() : name.mid(dot);
        const qsizetype room = kMaxNameBytes - Utf8Length(extension);
        name = room > 0 ? CutToBytes(name.left(dot < 0 ? name.size() : dot), room) + extension
                        : CutToBytes(name, kMaxNameBytes);
    }
    if (name.isEmpty() || name == u"." || name == u"..") return fallback;
    return name;
}
