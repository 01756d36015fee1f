#include "zarn/shell/text.h"

QString TrimLeftBlanks(const QString& text) {
    qsizetype begin = 0;
    while (begin < text.size() && text[begin] == u' ') ++begin;
    return text.mid(begin);
}

QString TrimRightBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') --end;
    return text.left(end);
}

QString TrimBlanks(const QString& text) {
    return TrimLeftBlanks(TrimRightBlanks(text));
}

QString Mid(const QString& text, int start, int length) {
    if (start < 1) start = 1;
    if (start > text.size()) return {};
    return length < 0 ? text.mid(start - 1) : text.mid(start - 1, length);
}

int InStr(int start, const QString& text, const QString& find) {
    if (start < 1) start = 1;
    if (start > text.size() + 1) return 0;
    if (find.isEmpty()) return start;
    const qsizetype at = text.indexOf(find, start - 1);
    return at < 0 ? 0 : int(at) + 1;
}

int InStrRev(const QString& text, const QString& find) {
    const qsizetype at = text.lastIndexOf(find);
    return at < 0 ? 0 : int(at) + 1;
}

QString ReplaceRepeatedly(QString text, const QString& find, const QString& with) {
    if (find.isEmpty() || with.contains(find)) return text;
    while (text.contains(find)) text.replace(find, with);
    return text;
}

bool IsAllDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9') return false;
    return true;
}

QString TrackNumberOnly(const QString& track) {
    const qsizetype slash = track.indexOf(u'/');
    if (slash <= 0) return track;
    const QString number = track.left(slash);
    const QString total = track.mid(slash + 1);
    if (!IsAllDigits(number) || (!total.isEmpty() && !IsAllDigits(total))) return track;
    return number;
}
