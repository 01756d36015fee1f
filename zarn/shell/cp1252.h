#pragma once
// Tag bytes are Windows-1252. Every byte 0..255 maps to exactly one character and back, the
// five undefined codes (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the code point of the same number, so
// that read -> QString -> write gives the same bytes.
#include <QByteArray>
#include <QString>

QChar Cp1252Char(unsigned char code);
QString FromCp1252(QByteArrayView bytes);
// The character's Windows-1252 code, or -1 when Windows-1252 cannot hold it.
int Cp1252Code(QChar ch);
// Characters that Windows-1252 cannot hold become `replacement`.
QByteArray ToCp1252(const QString& text, char replacement = '?');
bool FitsCp1252(const QString& text);
