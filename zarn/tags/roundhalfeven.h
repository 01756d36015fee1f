#pragma once
#include <QtGlobal>

// num / den rounded to the nearest whole number, halves to the even neighbour. Integer maths so
// that an exact half (1,536 bytes = 1.5 Kb) is seen as a half, not as 1.4999... or 1.5000...1.
// `den` must be positive.
constexpr qint64 RoundHalfEven(qint64 num, qint64 den) {
    qint64 quotient = num / den;
    qint64 rest = num % den;
    if (rest < 0) {  // floor division, so that negative values round like positive ones
        quotient -= 1;
        rest += den;
    }
    if (2 * rest > den || (2 * rest == den && quotient % 2 != 0)) quotient += 1;
    return quotient;
}
