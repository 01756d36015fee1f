#include "zarn/editing/panelrules.h"

#include <QRegularExpression>

#include "zarn/shell/text.h"

namespace {

bool IsDigitKey(QChar key) {
    return key >= u'0' && key <= u'9';
}

// Keys every number box lets through as typed: digits, "*" (no track, several files) and
// Backspace.
bool PassesAsTyped(QChar key) {
    return IsDigitKey(key) || key == u'*' || key == u'\b';
}

NumberKey Replaced(qlonglong value) {
    return {NumberKey::Replace, QString::number(value)};
}

// An optionally signed decimal number, as "reads as a number" means here.
std::optional<double> NumberOf(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!number.match(text).hasMatch()) return std::nullopt;
    return text.toDouble();
}

}  // namespace

NumberKey ID3v1NumberKey(const QString& boxText, QChar key) {
    if (PassesAsTyped(key)) return {NumberKey::Accept, {}};
    if (key != u'+' && key != u'-') return {};
    const auto value = NumberOf(boxText);
    if (!value || std::abs(*value) > 1e15) return {};
    const auto whole = static_cast<qlonglong>(*value);
    if (key == u'+') return Replaced(whole + 1);
    return boxText == u"0" ? NumberKey{} : Replaced(whole - 1);
}

NumberKey ID3v2NumberKey(const QString& boxText, QChar key) {
    if (PassesAsTyped(key)) return {NumberKey::Accept, {}};
    if ((key != u'+' && key != u'-') || !IsAllDigits(boxText)) return {};
    bool ok = false;
    const qlonglong value = boxText.toLongLong(&ok);
    if (!ok) return {};
    if (key == u'+') return Replaced(value + 1);
    return value > 0 ? Replaced(value - 1) : NumberKey{};
}

PanelValues CopiedFromID3v1(PanelValues values) {
    values.id3v2 = true;
    values.v2 = values.v1;
    return values;
}

PanelValues CopiedToID3v1(PanelValues values) {
    const TagFields& v2 = values.v2;
    values.id3v1 = true;
    values.v1 = {v2.artist.left(30), v2.title.left(30), v2.album.left(30),  v2.track,
                 v2.year.left(4),    v2.genre,          v2.comment.left(28)};
    return values;
}

bool NeedsOptimizedPacking(const QString& text) {
    return text.size() > 30;
}

int RowAfterArrow(int current, int count, bool up) {
    if (count <= 0) return -1;
    return std::clamp(up ? current - 1 : current + 1, 0, count - 1);
}
