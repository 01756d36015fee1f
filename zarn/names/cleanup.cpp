#include "zarn/names/cleanup.h"

#include "zarn/shell/cp1252.h"
#include "zarn/shell/text.h"

namespace {

const QString kBlank = QStringLiteral(" ");
const QString kTwoBlanks = QStringLiteral("  ");

// Letters and digits by their Windows-1252 code; "@", "×" and "÷" count too. Letters that the
// code page cannot hold (Cyrillic, CJK) also start a word, so their words get capitals as well.
bool StartsWord(QChar ch) {
    const int code = Cp1252Code(ch);
    if (code < 0) return ch.isLetterOrNumber();
    return (code >= 97 && code <= 122) || (code >= 64 && code <= 90) ||
           (code >= 48 && code <= 57) || code >= 192;
}

// Length of the code point at `i` (2 for a surrogate pair), so that a pair is never split.
qsizetype CodePointLength(const QString& text, qsizetype i) {
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

QString ReplaceFirst(const QString& text, const QString& find, const QString& with, int count = 1) {
    QString result = text;
    qsizetype from = 0;
    for (int n = 0; n < count; ++n) {
        const qsizetype at = result.indexOf(find, from);
        if (at < 0) break;
        result.replace(at, find.size(), with);
        from = at + with.size();
    }
    return result;
}

QString CollapseBlanks(const QString& text) {
    return ReplaceRepeatedly(text, kTwoBlanks, kBlank);
}

// The same as lowering the text and comparing its end, without building the lowered copy
// (the endings compared are plain ASCII).
bool EndsWithNoCase(const QString& text, QStringView ending) {
    return text.endsWith(ending, Qt::CaseInsensitive);
}

// The same as QString::toLower, which takes every character through the full Unicode tables;
// names are mostly plain ASCII, lowered here in one pass.
QString Lowered(QString text) {
    QChar* chars = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = chars[i].unicode();
        if (c >= 0x80) return text.toLower();
        if (c >= u'A' && c <= u'Z') chars[i] = QChar(char16_t(c + 32));
    }
    return text;
}

// "%20" and underscores to blanks, as switched.
QString SpacesFromCodes(QString text, const Options& options) {
    if (options.b20toSpace) text.replace(QStringLiteral("%20"), kBlank);
    if (options.bScoreToSpace) text.replace(u'_', u' ');
    return text;
}

QString CaseOfName(const QString& name, int mode) {
    switch (mode) {
        case 1: {
            QString words = Lowered(name);
            CapitaliseWords(words);
            return words;
        }
        case 3:
            return name.toUpper();
        case 4:
            return Lowered(name);
        default:  // mode 2 works on the values before they enter the pattern
            return name;
    }
}

QString CaseOfTagText(const QString& text, int mode) {
    switch (mode) {
        case 1: {
            // Mixed-case text keeps its capitals; only all-capital text is lowered first.
            QString words = text == text.toUpper() ? text.toLower() : text;
            CapitaliseWords(words);
            return words;
        }
        case 2:
            return FirstUpperRestLower(text);
        case 3:
            return text.toUpper();
        case 4:
            return text.toLower();
        default:
            return text;
    }
}

QString ReplaceInStem(const QString& name, const ReplaceList& list) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return ApplyReplaceList(name, list);
    return ApplyReplaceList(name.left(dot), list) + name.mid(dot);
}

QString ChangeExtension(const QString& name, const Options& options) {
    const qsizetype dot = name.lastIndexOf(u'.');
    QString stem = dot < 0 ? name : name.left(dot + 1);
    QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    if (options.bExtension) {
        // A name without a dot gets one: "Harbour" becomes "Harbour.mp3", not "Harbourmp3".
        if (dot < 0) stem += u'.';
        extension = options.Extension;
    }
    if (options.bLowExtension) extension = Lowered(extension);
    return stem + extension;
}

}  // namespace

QString RemoveChars(const QString& text, const QString& set, bool keepOnly) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = CodePointLength(text, i);
        const QStringView ch = QStringView(text).mid(i, n);
        if (set.contains(ch) == keepOnly) result += ch;
        i += n;
    }
    return result;
}

void CapitaliseWords(QString& text) {
    if (text.isEmpty()) return;
    text[0] = text[0].toUpper();
    // "+", "-" and "." separate words as a blank does.
    const auto separates = [](QChar ch) {
        return ch == u' ' || ch == u'+' || ch == u'-' || ch == u'.';
    };
    qsizetype from = 0;
    while (true) {
        qsizetype blank = from;
        while (blank < text.size() && !separates(text[blank])) ++blank;
        if (blank == text.size()) return;
        qsizetype at = blank;
        while (at < text.size() - 1 && !StartsWord(text[at])) ++at;
        text[at] = text[at].toUpper();
        from = at + 1;
    }
}

QString FirstUpperRestLower(const QString& text) {
    if (text.isEmpty()) return text;
    const qsizetype first = CodePointLength(text, 0);
    return text.left(first).toUpper() + text.mid(first).toLower();
}

QString ApplyReplaceList(const QString& text, const ReplaceList& list) {
    QString result = text;
    for (const auto& [find, with] : list)
        if (!find.isEmpty()) result.replace(find, with, Qt::CaseSensitive);
    return result;
}

QString FixNameMistakes(const QString& input) {
    QString name = input;
    // All dots but the last become blanks.
    if (name.count(u'.') > 1) {
        const qsizetype last = name.lastIndexOf(u'.');
        for (qsizetype i = 0; i < last; ++i)
            if (name[i] == u'.') name[i] = u' ';
    }
    name = ReplaceFirst(name, QStringLiteral("() - "), QString());
    name = ReplaceFirst(name, QStringLiteral(" - ()"), QString());

    const QString dash = QStringLiteral(" - ");
    if (!name.contains(dash)) name = ReplaceFirst(name, QStringLiteral(" -"), dash);
    if (!name.contains(dash)) name = ReplaceFirst(name, QStringLiteral("- "), dash);
    if (!name.contains(dash)) name = ReplaceFirst(name, QStringLiteral("-"), dash, 2);

    const QString mp3 = QStringLiteral(".mp3");
    if (EndsWithNoCase(name, u" .mp3")) name = TrimBlanks(name.left(name.size() - 4)) + mp3;
    if (name.startsWith(dash)) name = name.mid(3);
    if (name.startsWith(QStringLiteral("- "))) name = name.mid(2);
    if (EndsWithNoCase(name, u" - .mp3")) name = TrimBlanks(name.left(name.size() - 6)) + mp3;
    if (EndsWithNoCase(name, u" -.mp3")) name = TrimBlanks(name.left(name.size() - 5)) + mp3;
    return TrimBlanks(name);
}

QString CleanNewName(const QString& input, const Options& options) {
    QString name = input;
    if (options.bRemoveChars) name = RemoveChars(name, options.strRemoveChars);

    // Characters a file name cannot hold.
    for (QChar& ch : name) {
        switch (ch.unicode()) {
            case u'\\':
            case u'/':
            case u':':
            case u'<':
            case u'>':
            case u'|':
            case u'*':
                ch = u' ';
                break;
            default:
                break;
        }
    }
    name.remove(u'?');
    name.remove(u'"');

    name = SpacesFromCodes(name, options);
    if (options.bSpaces) name = CollapseBlanks(name);
    name = ReplaceRepeatedly(name, QStringLiteral("--"), QStringLiteral("-"));
    name = ReplaceRepeatedly(name, QStringLiteral(" - - "), QStringLiteral(" - "));
    if (options.bMisses) name = FixNameMistakes(name);
    name = CaseOfName(name, options.Change);
    if (options.bReplace) {
        name = ReplaceInStem(name, options.Replaces);
        if (options.bSpaces) name = CollapseBlanks(name);
    }
    if (options.bExtension || options.bLowExtension) name = ChangeExtension(name, options);
    return name;
}

QString FixTagText(const QString& input, const Options& options) {
    QString text = TrimBlanks(input);
    if (options.bParentheses && text.startsWith(u'(') && text.endsWith(u')'))
        text = TrimBlanks(text.mid(1, text.size() - 2));
    text.removeIf([](QChar ch) { return ch.unicode() < 32; });
    if (options.bRemoveChars) text = RemoveChars(text, options.strRemoveChars);
    text = SpacesFromCodes(text, options);
    if (options.bSpaces) text = CollapseBlanks(text);
    if (options.bMisses) {
        text = ReplaceFirst(text, QStringLiteral("() - "), QString());
        text = ReplaceFirst(text, QStringLiteral(" - ()"), QString());
        if (text.toLower().endsWith(QStringLiteral(" .mp3")))
            text = TrimBlanks(text.left(text.size() - 5));
        if (text.toLower().endsWith(QStringLiteral(".mp3")))
            text = TrimBlanks(text.left(text.size() - 4));
        text = TrimBlanks(text);
    }
    text = CaseOfTagText(text, options.Change);
    if (options.bReplace) {
        text = ApplyReplaceList(text, options.Replaces);
        if (options.bSpaces) text = CollapseBlanks(text);
    }
    return text;
}
