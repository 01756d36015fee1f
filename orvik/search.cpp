#include "orvik/search.h"

#include <QStringMatcher>
#include <vector>

#include "orvik/text.h"

namespace orvik {

QStringList SearchWords(const QString& text, bool eachWord) {
    if (!eachWord) return {text.toLower()};
    QStringList words;
    qsizetype start = 0;
    for (qsizetype blank = text.indexOf(u' '); blank >= 0; blank = text.indexOf(u' ', start)) {
        words.append(TrimBlanks(text.mid(start, blank - start)).toLower());
        start = blank + 1;
    }
    const QString last = text.mid(start);
    if (!last.isEmpty() || words.isEmpty()) words.append(TrimBlanks(last).toLower());
    return words;
}

static bool Occurs(const QStringMatcher& word, const QString& field) {
    return !field.isEmpty() && word.indexIn(field) >= 0;
}

QList<qsizetype> Search(const EntryTable& table, const QStringList& words,
                        const SearchFields& fields) {
    std::vector<QStringMatcher> matchers;
    matchers.reserve(words.size());
    for (const QString& word : words) matchers.emplace_back(word, Qt::CaseSensitive);

    QList<qsizetype> rows;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const EntryTable::Folded& entry = table.folded(i);
        for (const QStringMatcher& word : matchers) {
            if ((fields.inName && Occurs(word, entry.name)) ||
                (fields.inArtist && Occurs(word, entry.artist)) ||
                (fields.inTitle && Occurs(word, entry.title))) {
                rows.append(i);
                break;
            }
        }
    }
    return rows;
}

}  // namespace orvik
