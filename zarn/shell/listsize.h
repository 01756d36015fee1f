#pragma once
// The count label under the file list: "3 files (1.5 Mb)".
#include <QLocale>
#include <QStringList>

// Sum of the sizes of the row files that exist, in megabytes, rounded to two decimals.
double ListSizeMb(const QStringList& rowTexts);
// Shortest decimal form with the locale's decimal separator and no grouping ("1.5", "0").
QString MbText(double mb, const QLocale& locale = QLocale::system());
QString CountLabelText(int count, double mb, const QLocale& locale = QLocale::system());
