#include <gtest/gtest.h>

#include "tests/support/qtstrings.h"
#include "zarn/tags/genres.h"

namespace {

TEST(GenreChoicesTest, EmptyFirstThenAlphabeticalIgnoringCaseAndHyphens) {
    const QStringList choices = GenreChoices();
    ASSERT_EQ(choices.size(), 149);
    EXPECT_EQ(choices.mid(0, 7),
              QStringList({QString(), QStringLiteral("A Capella"), QStringLiteral("Acid"),
                           QStringLiteral("Acid Jazz"), QStringLiteral("Acid Punk"),
                           QStringLiteral("Acoustic"), QStringLiteral("Alt. Rock")}));
    const qsizetype euro = choices.indexOf(QStringLiteral("Eurodance"));
    EXPECT_EQ(choices.mid(euro, 3),
              QStringList({QStringLiteral("Eurodance"), QStringLiteral("Euro-House"),
                           QStringLiteral("Euro-Techno")}));
    EXPECT_EQ(choices.last(), QStringLiteral("Vocal"));
}

}  // namespace
