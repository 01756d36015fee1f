#include <gtest/gtest.h>

#include "zarn/names/safename.h"

namespace {

const QString kOld = QStringLiteral("old.mp3");

TEST(SafeFileName, RefusedNamesFallBackOrAreMended) {
    EXPECT_EQ(SafeFileName(QString(), kOld), kOld);
    EXPECT_EQ(SafeFileName(QStringLiteral("."), kOld), kOld);
    EXPECT_EQ(SafeFileName(QStringLiteral(".."), kOld), kOld);
    EXPECT_EQ(SafeFileName(QString(QChar(0)), kOld), kOld);
    EXPECT_EQ(SafeFileName(QStringLiteral("a/b\tc.mp3"), kOld), QStringLiteral("a bc.mp3"));
    EXPECT_EQ(SafeFileName(QStringLiteral("Velt - Hits.mp3"), kOld),
              QStringLiteral("Velt - Hits.mp3"));
}

TEST(SafeFileName, LongNamesAreCutInTheStemWithinTheByteLimit) {
    const QString units[] = {QStringLiteral("a"), QString::fromUtf8("ж"), QString::fromUtf8("港"),
                             QString::fromUtf8("🎵")};
    for (const QString& unit : units) {
        QString stem;
        while (stem.toUtf8().size() < 400) stem += unit;
        const QString name = SafeFileName(stem + QStringLiteral(".mp3"), kOld);
        EXPECT_LE(name.toUtf8().size(), kMaxNameBytes) << unit.toStdString();
        EXPECT_GT(name.toUtf8().size(), kMaxNameBytes - 4) << unit.toStdString();
        EXPECT_TRUE(name.endsWith(QStringLiteral(".mp3")));
        EXPECT_TRUE(name.chopped(4).startsWith(unit));
        // A cut through a character would leave a replacement character after a round trip.
        EXPECT_EQ(QString::fromUtf8(name.toUtf8()), name);
        EXPECT_EQ(name.chopped(4).size() % unit.size(), 0);
    }
    const QString longExtension = QStringLiteral("a.") + QString(300, u'x');
    EXPECT_EQ(SafeFileName(longExtension, kOld).toUtf8().size(), kMaxNameBytes);
}

}  // namespace
