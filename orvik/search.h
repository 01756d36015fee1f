#pragma once
// The search over the entry table. Rows of the result list are entry indexes; a row shows the
// entry's name.
#include <QList>
#include <QStringList>

#include "orvik/entrytable.h"

namespace orvik {

struct SearchFields {
    bool inName = true;
    bool inArtist = false;
    bool inTitle = false;
};

// With `eachWord` the text is cut at every blank: two blanks in a row make an empty word, and
// an empty text after the last blank is no word. Without it the whole text is the one word.
QStringList SearchWords(const QString& text, bool eachWord);

// The entries (in table order, each at most once) where any word occurs in any chosen field.
// An empty word occurs in every non-empty field; nothing occurs in an empty field.
QList<qsizetype> Search(const EntryTable& table, const QStringList& words,
                        const SearchFields& fields);

}  // namespace orvik
