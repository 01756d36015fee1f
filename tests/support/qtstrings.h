#pragma once
// Text helpers for tests: UTF-8 literals as QString, and QString shown readably in failures.
#include <QString>
#include <ostream>

inline QString U(const char* text) {
    return QString::fromUtf8(text);
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
