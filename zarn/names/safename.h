#pragma once
// Guards against names the file system refuses.
#include <QString>

// Longest file name in bytes (UTF-8) that the common file systems accept.
constexpr int kMaxNameBytes = 255;

// `name` made acceptable as one file name: control characters removed, "/" turned into a blank,
// the stem shortened (extension kept) to fit kMaxNameBytes. Gives `fallback` when nothing usable
// is left ("", "." or "..").
QString SafeFileName(const QString& name, const QString& fallback);
