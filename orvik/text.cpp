#include "orvik/text.h"

#include <array>
#include <limits>

namespace orvik {

qsizetype InStr(qsizetype start, const QString& text, const QString& what) {
    if (start < 1) start = 1;
    if (start > text.size() + 1) return 0;
    const qsizetype at = text.indexOf(what, start - 1);
    return at < 0 ? 0 : at + 1;
}

QString Mid(const QString& text, qsizetype start, qsizetype length) {
    if (start < 1) start = 1;
    if (start > text.size()) return {};
    return length < 0 ? text.mid(start - 1) : text.mid(start - 1, length);
}

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') ++first;
    while (last > first && text[last - 1] == u' ') --last;
    return text.mid(first, last - first);
}

qint16 WholeNumber(const QString& text) {
    const QString number = TrimBlanks(text);
    qsizetype i = 0;
    const bool negative = i < number.size() && number[i] == u'-';
    if (i < number.size() && (number[i] == u'-' || number[i] == u'+')) ++i;
    const qsizetype digitsStart = i;
    qint64 value = 0;
    for (; i < number.size() && number[i] >= u'0' && number[i] <= u'9'; ++i) {
        value = value * 10 + (number[i].unicode() - u'0');
        if (value > std::numeric_limits<qint16>::max() + 1) return 0;
    }
    if (i == digitsStart) return 0;
    // A fraction ("12.5") is dropped; anything else after the digits makes it no number.
    if (i < number.size() && number[i] == u'.') {
        for (++i; i < number.size() && number[i] >= u'0' && number[i] <= u'9'; ++i) {
        }
    }
    if (i != number.size()) return 0;
    if (negative) value = -value;
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return 0;
    return static_cast<qint16>(value);
}

// Codes 0x80..0x9F; the five undefined ones keep the code point of the same number.
static constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code <= 0x9F) ? QChar(kHighControls[code - 0x80])
                                                : QChar(char16_t(code));
    }
    return text;
}

}  // namespace orvik
