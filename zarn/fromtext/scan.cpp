#include "zarn/fromtext/scan.h"

#include <array>
#include <limits>

#include "zarn/names/cleanup.h"
#include "zarn/names/safename.h"
#include "zarn/shell/options.h"
#include "zarn/shell/text.h"
#include "zarn/shell/textfile.h"

namespace {

enum class Field { Track, Artist, Title, Album };

struct Slot {
    int position = 0;  // 1-based position of the placeholder in the pattern, 0 when absent
    Field field = Field::Track;
};

// Slot 0 stands before the pattern and slot 5 at its last character; order 1..4 hold the four
// placeholders in the order they appear, absent ones first.
struct InPatternLayout {
    std::array<Slot, 6> order{};
    std::array<QString, 6> separators;  // separator k follows the placeholder of slot k
    int last = 0;                       // the slot of the last placeholder, 0 when there is none
    bool endsInPlaceholder = false;
};

int PlaceholderLength(Field field) {
    return field == Field::Artist ? 7 : 6;
}

InPatternLayout LayoutOf(const QString& pattern) {
    const auto find = [&pattern](const char16_t* placeholder) {
        return int(pattern.indexOf(QStringView(placeholder), 0, Qt::CaseInsensitive)) + 1;
    };
    InPatternLayout layout;
    layout.order[1] = {find(u"%track"), Field::Track};
    layout.order[2] = {find(u"%artist"), Field::Artist};
    layout.order[3] = {find(u"%title"), Field::Title};
    layout.order[4] = {find(u"%album"), Field::Album};
    layout.order[5].position = int(pattern.size());
    for (int i = 1; i <= 4; ++i)
        for (int j = i + 1; j <= 4; ++j)
            if (layout.order[j].position < layout.order[i].position)
                std::swap(layout.order[i], layout.order[j]);
    // Slot 5 is the pattern's last character, not past it: the separator after the last
    // placeholder is the tail less its last character, so "%title.mp3" ends at ".mp".
    for (int k = 1; k <= 4; ++k) {
        const Slot& here = layout.order[k];
        const int next = layout.order[k + 1].position;
        if (here.position < 1 || next <= here.position) continue;
        const int end = here.position + PlaceholderLength(here.field);
        if (next > end) layout.separators[k] = Mid(pattern, end, next - end);
        layout.last = k;
        layout.endsInPlaceholder = end == int(pattern.size()) + 1;
    }
    return layout;
}

QString* FieldOf(TagFields& values, Field field) {
    switch (field) {
        case Field::Track:
            return &values.track;
        case Field::Artist:
            return &values.artist;
        case Field::Title:
            return &values.title;
        case Field::Album:
            return &values.album;
    }
    return nullptr;
}

QString CutLine(QString line, const ScanSettings& settings) {
    if (settings.ignoreFirst) line = Mid(line, std::max(1, settings.ignoreFirstCount));
    if (settings.ignoreLast && settings.ignoreLastCount < line.size())
        line.chop(std::max(0, settings.ignoreLastCount));
    return TrimBlanks(line);
}

void ReadSlots(const QString& line, const InPatternLayout& layout, TagFields& values) {
    for (int k = 1; k <= 4; ++k)
        if (layout.order[k].position > 0) FieldOf(values, layout.order[k].field)->clear();
    int start = 0;
    int length = 0;
    for (int k = 1; k <= 4; ++k) {
        const Slot& slot = layout.order[k];
        if (slot.position == 0) continue;
        start = std::max(1, start + length + int(layout.separators[k - 1].size()));
        // An empty separator is "found" right at the start and so gives an empty value.
        length = InStr(start, line, layout.separators[k]) - start;
        // "%track. %title" means the title is the rest of the line, not an empty title.
        const bool restOfLine = k == layout.last && layout.endsInPlaceholder;
        if (length < 0 || restOfLine) length = std::max(0, int(line.size()) - start + 1);
        *FieldOf(values, slot.field) = TrimBlanks(Mid(line, start, length));
    }
}

}  // namespace

int IgnoreCount(const QString& box) {
    const QString text = TrimBlanks(box);
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit() && text[digits] < u'\x80') ++digits;
    bool ok = false;
    const int count = text.left(digits).toInt(&ok);
    if (digits > 0 && !ok) return std::numeric_limits<int>::max();  // too many digits to hold
    return ok && count >= 1 ? count : 0;
}

QString ScanSource(const QString& all, const QString& selected) {
    return selected.isEmpty() ? all : selected;
}

TagFields ScanLine(const QString& line, const ScanSettings& settings, const Options& options) {
    TagFields values;
    values.artist = settings.artist;
    values.album = settings.album;
    ReadSlots(CutLine(line, settings), LayoutOf(TrimBlanks(settings.inPattern)), values);
    if (settings.fixFilenames) {
        values.artist = FixTagText(values.artist, options);
        values.album = FixTagText(values.album, options);
        values.title = FixTagText(values.title, options);
    }
    if (settings.artist4All) values.artist = settings.artist;
    if (settings.album4All) values.album = settings.album;
    values.year = settings.year4All ? settings.year : QString();
    if (values.track.size() == 1) values.track.prepend(u'0');
    return values;
}

QString NewNameFromValues(const QString& outPattern, const TagFields& values) {
    const std::array<std::pair<QString, const QString*>, 5> placeholders = {{
        {QStringLiteral("%artist"), &values.artist},
        {QStringLiteral("%title"), &values.title},
        {QStringLiteral("%album"), &values.album},
        {QStringLiteral("%track"), &values.track},
        {QStringLiteral("%year"), &values.year},
    }};
    // One pass over the pattern, so that a value holding "%year" is not replaced again.
    QString name;
    for (qsizetype i = 0; i < outPattern.size();) {
        bool replaced = false;
        for (const auto& [placeholder, value] : placeholders) {
            if (!QStringView(outPattern).mid(i).startsWith(placeholder)) continue;
            name += *value;
            i += placeholder.size();
            replaced = true;
            break;
        }
        if (!replaced) name += outPattern[i++];
    }
    const QString untitled = QStringLiteral("Untitled.mp3");
    if (TrimBlanks(name).isEmpty()) name = untitled;
    for (QChar& ch : name)
        if (QStringLiteral("\\/:<>|*\t").contains(ch)) ch = u' ';
    // Control characters of a text line (a NUL, a vertical tab) never reach a file name.
    return SafeFileName(RemoveChars(name, QStringLiteral("?\"")), untitled);
}

QStringList ScanText(const QString& text, const ScanSettings& settings, const Options& options) {
    if (TrimBlanks(text).isEmpty()) return {};
    const QString source = options.bRemoveChars ? RemoveChars(text, options.strRemoveChars) : text;
    QStringList names;
    for (const QString& line : SplitLines(source)) {
        if (TrimBlanks(line).isEmpty()) continue;
        names.append(NewNameFromValues(settings.outPattern, ScanLine(line, settings, options)));
    }
    return names;
}
