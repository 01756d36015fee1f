#include "zarn/names/patterns.h"

#include <array>

#include "zarn/shell/options.h"
#include "zarn/shell/text.h"

namespace {

// Slot order for the sort below; the pattern's placeholder lengths include the "%".
constexpr std::array<const char16_t*, 7> kFields = {u"artist", u"title", u"album",  u"track",
                                                    u"genre",  u"year",  u"comment"};

// Lowers character by character so that positions in the lowered text match the original.
QString LowerSameLength(const QString& text) {
    QString lowered = text;
    for (QChar& ch : lowered) ch = ch.toLower();
    return lowered;
}

QString Left(const QString& text, int count) {
    return count <= 0 ? QString() : text.left(count);
}

// Keeps the last depth+1 components of a path whose separators are all backslashes; empty when
// the path is not that deep.
QString NameToMatch(const QString& path, int depth) {
    if (depth > 0 && path.contains(u'\\')) {
        int seen = 0;
        for (qsizetype i = path.size() - 1; i >= 0; --i)
            if (path[i] == u'\\' && ++seen == depth + 1) return path.mid(i + 1);
        return {};
    }
    return path.mid(path.lastIndexOf(u'\\') + 1);
}

struct Slot {
    int position = 0;  // 1-based position of the placeholder's "%", 0 when absent
    int length = 0;    // placeholder length, "%" included
};

}  // namespace

QString GetFieldFromName(const QString& path, const QString& field, const QString& inPattern,
                         const Options& options) {
    const QString wanted = LowerSameLength(field);
    QString pattern = inPattern;
    pattern.replace(u'/', u'\\');
    const QString lowered = LowerSameLength(pattern);
    const int wantedPosition = InStr(lowered, u'%' + wanted);
    if (TrimBlanks(pattern).isEmpty() || wantedPosition == 0) return {};

    QString full = path;
    full.replace(u'/', u'\\');
    QString name = NameToMatch(full, int(pattern.count(u'\\')));
    if (options.b20toSpace) name.replace(QStringLiteral("%20"), QStringLiteral(" "));
    if (options.bScoreToSpace) name.replace(u'_', u' ');

    // The pattern's leading literal text is assumed to be there and is not compared.
    name = Mid(name, InStr(pattern, QStringLiteral("%")));

    std::array<Slot, 8> order{};
    for (size_t i = 0; i < kFields.size(); ++i) {
        const QString placeholder = u'%' + QString::fromUtf16(kFields[i]);
        order[i] = {InStr(lowered, placeholder), int(placeholder.size())};
    }
    for (int i = 0; i <= 5; ++i)
        for (int j = i + 1; j <= 6; ++j)
            if (order[j].position < order[i].position) std::swap(order[i], order[j]);

    // Everything after the last placeholder is replaced by the extension, measured by the length
    // of the requested field's name.
    if (const int last = order[6].position; last > 0) {
        const int tail = int(pattern.size()) - last - int(wanted.size());
        const QString suffix = options.bExtension ? u'.' + options.Extension : name.right(4);
        name = Left(name, int(name.size()) - tail) + suffix;
    }

    std::array<QString, 8> separators;
    for (int k = 1; k <= 6; ++k) {
        const Slot& here = order[k];
        const Slot& next = order[k + 1];
        if (here.position > 0 && next.position > here.position) {
            const int from = here.position + here.length;
            if (next.position > from) separators[k] = Mid(pattern, from, next.position - from);
        }
    }

    int start = 0;
    int length = 0;
    for (int k = 1; k <= 6; ++k) {
        if (order[k].position == 0) continue;
        start = std::max(1, start + length + int(separators[k - 1].size()));
        length = InStr(start, name, separators[k]) - start;
        // No separator after this value: it runs to the end of the name less the extension.
        if (length < 1) length = std::max(0, int(name.size()) - start + 1 - 4);
        if (order[k].position != wantedPosition) continue;
        const QString value = TrimBlanks(Mid(name, start, length));
        if ((wanted == u"track" || wanted == u"year") && !IsAllDigits(value)) return {};
        return value;
    }
    return {};
}
