#include "orvik/search.h"

#include <gtest/gtest.h>

using namespace orvik;
using namespace Qt::StringLiterals;

TEST(OrvikSearchWords, CutAtEveryBlank) {
    struct Case {
        QString text;
        bool eachWord;
        QStringList words;
    };
    const Case cases[] = {
        {u"Help"_s, true, {u"help"_s}},
        {u"Help Queen"_s, true, {u"help"_s, u"queen"_s}},
        {u"Help  Queen"_s, true, {u"help"_s, u""_s, u"queen"_s}},
        {u"help "_s, true, {u"help"_s}},
        {u" help"_s, true, {u""_s, u"help"_s}},
        {u""_s, true, {u""_s}},
        {u"Help Queen"_s, false, {u"help queen"_s}},
        {u" Help "_s, false, {u" help "_s}},
        {u""_s, false, {u""_s}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchWords(c.text, c.eachWord), c.words)
            << c.text.toStdString() << " each word " << c.eachWord;
}

namespace {

PlaylistEntry Entry(const QString& name, const QString& artist, const QString& title) {
    PlaylistEntry entry;
    entry.name = name;
    entry.artist = artist;
    entry.title = title;
    entry.folder = u"/m/"_s;
    entry.extension = u".mp3"_s;
    entry.kind = EntryKind::File;
    return entry;
}

EntryTable SampleTable() {
    EntryTable table;
    table.append({
        Entry(u"01 - Help"_s, u"The Beatles"_s, u"Help!"_s),                // 0
        Entry(u"abba_waterloo"_s, u"ABBA"_s, u"Waterloo"_s),                // 1
        Entry(u"track07"_s, {}, {}),                                        // 2
        Entry(u"Gone"_s, {}, {}),                                           // 3 (blanked below)
        Entry(u"Bohemian Rhapsody"_s, u"Queen"_s, u"Bohemian Rhapsody"_s),  // 4
    });
    table.blank(3);
    return table;
}

}  // namespace

TEST(OrvikSearch, AnyWordInAnyChosenField) {
    const SearchFields name{true, false, false};
    const SearchFields artist{false, true, false};
    const SearchFields artistTitle{false, true, true};
    const SearchFields all{true, true, true};
    struct Case {
        QString text;
        bool eachWord;
        SearchFields fields;
        QList<qsizetype> rows;
    };
    const Case cases[] = {
        {u"help"_s, true, name, {0}},
        {u"HELP"_s, true, name, {0}},
        {u"help water"_s, true, name, {0, 1}},
        {u"help water"_s, false, name, {}},
        {u"01 - help"_s, false, name, {0}},
        {u"queen"_s, true, name, {}},
        {u"queen"_s, true, artist, {4}},
        {u"waterloo"_s, true, artistTitle, {1}},
        // Two blanks make an empty word, which every non-empty searched field holds.
        {u"help  water"_s, true, name, {0, 1, 2, 4}},
        {u"help  water"_s, true, artist, {0, 1, 4}},
        {u""_s, true, name, {0, 1, 2, 4}},
        {u""_s, false, artist, {0, 1, 4}},
        {u"gone"_s, true, all, {}},
        {u"help"_s, true, SearchFields{false, false, false}, {}},
    };
    const EntryTable table = SampleTable();
    for (const Case& c : cases) {
        EXPECT_EQ(Search(table, SearchWords(c.text, c.eachWord), c.fields), c.rows)
            << c.text.toStdString() << " each word " << c.eachWord;
    }
}

TEST(OrvikSearch, OneEntryTable) {
    EntryTable table;
    table.append({Entry(u"Only One"_s, {}, {})});
    EXPECT_EQ(Search(table, SearchWords(u"one"_s, true), {}), QList<qsizetype>{0});
    EXPECT_TRUE(Search(table, SearchWords(u"two"_s, true), {}).isEmpty());
}
