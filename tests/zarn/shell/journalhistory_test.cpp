// What undo keeps: the newest operations within both limits, the oldest dropped first, and an
// operation that changed nothing not kept at all.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/support/qtstrings.h"
#include "zarn/shell/journalrecord.h"

namespace {

// An operation of `kind` whose record keeps `bytes` old tag bytes for each of `files` files.
void Operation(const QString& kind, const HistoryLimits& limits, int files, int bytes) {
    const RecordedOperation recorded(kind, limits);
    for (int i = 0; i < files; ++i) {
        RecordedChange change;
        change.path = QStringLiteral("/music/%1.mp3").arg(i);
        change.rewritten = true;
        change.head = QByteArray(bytes, 'x');
        operationrecord::Record(change);
    }
}

TEST(UndoHistory, KeepsTheNewestWithinBothLimits) {
    struct Case {
        const char* what;
        HistoryLimits limits;
        int bytes;  // kept per file
        QStringList kept;
    } cases[] = {
        {"by count", {3, qint64(1) << 20}, 10, {U("op6"), U("op5"), U("op4")}},
        // Each record holds about 2 x 4 KB once written as text: two fit in 20 KB, not three.
        {"by size", {50, 20000}, 3000, {U("op6"), U("op5")}},
        {"the newest alone too big", {50, 1000}, 3000, {}},
    };
    for (const Case& c : cases) {
        QTemporaryDir state;
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
        for (int i = 1; i <= 6; ++i) Operation(U("op%1").arg(i), c.limits, 2, c.bytes);
        Operation(U("nothing"), c.limits, 0, 0);
        QStringList kinds;
        for (const KeptOperation& op : history::Operations()) {
            kinds << op.kind;
            EXPECT_EQ(op.files, 2) << c.what;
            EXPECT_FALSE(op.running) << c.what;
        }
        EXPECT_EQ(kinds, c.kept) << c.what;
        // Nothing but the kept records' folders is left behind.
        EXPECT_EQ(QDir(history::Folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
                  c.kept.size())
            << c.what;
    }
    qunsetenv("XDG_STATE_HOME");
}

// Records round trip through their lines: what undo reads back is what the guarded path wrote.
TEST(UndoHistory, ChangesReadBackAsRecorded) {
    RecordedChange tags;
    tags.path = U("/m/a \"quoted\"\n.mp3");
    tags.before = {1, 2, 300, 4000000000123, 1};
    tags.identity = {1, 2, 428, 5000000000456, 1};
    tags.oldLength = 300;
    tags.newLength = 428;
    tags.patches = {{0, QByteArray("\0\xff old", 6), 40, 0xfedcba9876543210ULL}, {300, {}, 128, 7}};
    RecordedChange placed;
    placed.kind = RecordedChange::Kind::Placed;
    placed.path = U("/m/b.mp3");
    placed.target = U("/t/Rock/b.mp3");
    placed.kept = U("/s/kept-1");
    placed.identity = {9, 8, 7, 6, 1};
    for (const RecordedChange& c : {tags, placed}) {
        const auto back = ChangeOfLine(ChangeLine(c));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->kind, c.kind);
        EXPECT_EQ(back->path, c.path);
        EXPECT_EQ(back->target, c.target);
        EXPECT_EQ(back->kept, c.kept);
        EXPECT_TRUE(back->identity.unchanged(c.identity));
        EXPECT_EQ(back->before.valid(), c.before.valid());
        EXPECT_EQ(back->newLength, c.newLength);
        ASSERT_EQ(back->patches.size(), c.patches.size());
        for (qsizetype i = 0; i < c.patches.size(); ++i) {
            EXPECT_EQ(back->patches[i].pos, c.patches[i].pos);
            EXPECT_EQ(back->patches[i].old, c.patches[i].old);
            EXPECT_EQ(back->patches[i].newHash, c.patches[i].newHash);
        }
    }
    // A line a crash cut short is no change.
    EXPECT_FALSE(ChangeOfLine(ChangeLine(tags).left(40)).has_value());
}

}  // namespace
