#include "zarn/fromtext/albuminfo.h"

#include <array>

#include "zarn/names/cleanup.h"
#include "zarn/shell/cp1252.h"
#include "zarn/shell/text.h"
#include "zarn/shell/textfile.h"

namespace {

// Tried in order; the first that gives a non-empty value wins. The Swedish forms come from
// the shop pages the lists were copied from.
constexpr std::array<const char16_t*, 7> kArtistKeywords = {
    u"artist:", u"release name", u"artist/grupp:", u"grupp/artist:",
    u"grupp:",  u"artist",       u"grupp"};
constexpr std::array<const char16_t*, 6> kAlbumKeywords = {
    u"album:", u"release name:", u"titel/produkt:", u"album", u"release name", u"titel/produkt"};
constexpr std::array<const char16_t*, 4> kYearKeywords = {u"year:", u"release year:", u"year",
                                                          u"release year"};
constexpr std::array<const char16_t*, 12> kReleaseKeywords = {
    u"release date:", u"street date:",  u"releasedatum:", u"release datum:",
    u"released:",     u"släppt:",       u"release date",  u"street date",
    u"releasedatum",  u"release datum", u"released",      u"släppt"};

template <size_t N>
QString FirstValue(const QString& text, const std::array<const char16_t*, N>& keywords) {
    for (const char16_t* keyword : keywords) {
        const QString value = GetATag(text, QString::fromUtf16(keyword));
        if (!value.isEmpty()) return value;
    }
    return {};
}

// A letter is never unwanted: "Beyoncé", "Niño" and "Français" keep theirs.
QString WithoutNonLetters(QString text, const QString& unwanted) {
    text.replace(QChar(0x00A0), u' ');  // a no-break space separates words like a blank
    text.removeIf([&unwanted](QChar ch) { return !ch.isLetter() && unwanted.contains(ch); });
    return text;
}

QString Cleaned(const QString& value) {
    return TrimBlanks(WithoutNonLetters(value, AlbumUnwantedChars()));
}

bool IsWordCharacter(QChar ch) {
    return ch.isLetterOrNumber();
}

// The first place where `keyword` stands as a whole word: "artist" is not found in
// "Artists", which would give the artist "s compilation".
qsizetype FindWord(const QString& text, const QString& keyword) {
    const bool wordStart = IsWordCharacter(keyword.front());
    const bool wordEnd = IsWordCharacter(keyword.back());
    for (qsizetype at = text.indexOf(keyword, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(keyword, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + keyword.size();
        const bool startFree = !wordStart || at == 0 || !IsWordCharacter(text[at - 1]);
        const bool endFree = !wordEnd || after >= text.size() || !IsWordCharacter(text[after]);
        if (startFree && endFree) return at;
    }
    return -1;
}

}  // namespace

QString GetATag(const QString& text, const QString& keyword) {
    if (keyword.isEmpty()) return {};
    const qsizetype at = FindWord(text, keyword);
    if (at < 0) return {};
    const qsizetype from = at + keyword.size();
    // A pasted text may end its lines in LF or CR alone; either ends the value.
    qsizetype to = from;
    while (to < text.size() && text[to] != u'\r' && text[to] != u'\n') ++to;
    QString value = RemoveChars(text.mid(from, to - from), QStringLiteral(":<>#\u00A4%"));
    value.replace(u'\t', u' ');
    return TrimBlanks(value);
}

AlbumInfo ReadAlbumInfo(const QString& text) {
    AlbumInfo info;
    info.artist = Cleaned(FirstValue(text, kArtistKeywords));
    info.album = Cleaned(FirstValue(text, kAlbumKeywords));
    info.year = RemoveChars(FirstValue(text, kYearKeywords), QStringLiteral("0123456789"), true);
    info.releaseDate = Cleaned(FirstValue(text, kReleaseKeywords));
    return info;
}

const QString& AlbumUnwantedChars() {
    static const QString set = [] {
        QString chars;
        const auto addCodes = [&chars](int from, int to) {
            for (int code = from; code <= to; ++code) chars += Cp1252Char(uchar(code));
        };
        addCodes(0, 31);
        addCodes(127, 166);
        addCodes(168, 191);
        chars += QStringLiteral("ÀÁÂÃÇÈÉÊËÌÍÎÏÐÑÒÓÔÕ×ÙÚÛÝÞßàáâãçèêëìíîïðñòôõ÷ùúûýþÿ");
        return chars;
    }();
    return set;
}

QString CleanSourceText(const QString& text, const QString& removeChars) {
    return WithoutNonLetters(text, removeChars);
}

QString SourceTextFromBytes(const QByteArray& bytes, const QString& removeChars) {
    return TrimBlanks(CleanSourceText(DecodeText(bytes), removeChars));
}
