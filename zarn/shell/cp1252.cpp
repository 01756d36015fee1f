#include "zarn/shell/cp1252.h"

#include <array>

namespace {

// Code points of 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

QChar Cp1252Char(unsigned char code) {
    if (code >= 0x80 && code <= 0x9F) return QChar(kHigh[code - 0x80]);
    return QChar(char16_t(code));
}

QString FromCp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();  // once: indexing a QString checks for sharing at every character
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = Cp1252Char(static_cast<unsigned char>(bytes[i]));
    return text;
}

int Cp1252Code(QChar ch) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
    for (int i = 0; i < int(kHigh.size()); ++i)
        if (kHigh[i] == u) return 0x80 + i;
    return -1;
}

QByteArray ToCp1252(const QString& text, char replacement) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        const int code = Cp1252Code(ch);
        bytes.append(code < 0 ? replacement : static_cast<char>(code));
    }
    return bytes;
}

bool FitsCp1252(const QString& text) {
    for (QChar ch : text)
        if (Cp1252Code(ch) < 0) return false;
    return true;
}
