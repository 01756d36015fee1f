// The hidden frames as the extra-frames window lists, changes and exports them.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "zarn/editing/hiddenframes.h"
#include "zarn/shell/fileops.h"

namespace {

using mp3::V2Frame;

QByteArray Bytes(const char* data, int size) {
    return QByteArray(data, size);
}

// A JPEG picture (encoding 0, description "Cover") whose data holds identifier-like bytes.
const QByteArray kJpeg = "\xFF\xD8\xFF\xE0TIT2GEOB\xFF\xD9";
const QByteArray kFront = V2Frame("APIC",
                                  Bytes("\0image/jpeg\0\x03"
                                        "Cover\0",
                                        19) +
                                      kJpeg,
                                  false);
// A PNG picture with a UTF-16 description.
const QByteArray kPng = "\x89PNG\r\n\x1A\n";
const QByteArray kBack = V2Frame("APIC",
                                 Bytes("\x01image/png\0\x04\xFF\xFE"
                                       "B\0\0\0",
                                       18) +
                                     kPng,
                                 false);
const QByteArray kTxxx = V2Frame("TXXX", Bytes("\0desc\0value", 11), false);
const QByteArray kPriv = V2Frame("PRIV", Bytes("owner\0USLT\0\0\0\x05", 15), false);
const QByteArray kTyer = V2Frame("TYER",
                                 Bytes("\0"
                                       "1999",
                                       5),
                                 false);
const QByteArray kHidden = kTyer + kPriv + kFront + kTxxx + kBack;

TEST(HiddenFrames, ListsEveryFrameOnceAndNothingInsideData) {
    EXPECT_EQ(MoreFrameIds().size(), 81);
    EXPECT_FALSE(MoreFrameIds().contains("COMM"));
    EXPECT_FALSE(MoreFrameIds().contains("TOPE"));
    // Table order first, then frames the table lacks; USLT, TIT2 and GEOB only occur in data.
    EXPECT_EQ(ListedFrameIds(kHidden), (QList<QByteArray>{"APIC", "PRIV", "TXXX", "TYER"}));
    EXPECT_TRUE(ListedFrameIds({}).isEmpty());
    EXPECT_EQ(FrameContentText(kHidden, "TXXX"), U("value"));
    EXPECT_EQ(FrameContentText(kHidden, "TYER"), U("1999"));
    EXPECT_EQ(FrameContentText(kHidden, "USLT"), QString());
}

TEST(HiddenFrames, RemoveTakesTheFirstFrameAndLeavesTheOthersBytes) {
    const QByteArray once = WithoutFirstFrame(kHidden, "APIC");
    EXPECT_EQ(once, kTyer + kPriv + kTxxx + kBack);
    EXPECT_TRUE(HasFrame(once, "APIC"));
    const QByteArray twice = WithoutFirstFrame(once, "APIC");
    EXPECT_EQ(twice, kTyer + kPriv + kTxxx);
    EXPECT_FALSE(HasFrame(twice, "APIC"));
    EXPECT_EQ(WithoutFirstFrame(kHidden, "USLT"), kHidden);
}

TEST(HiddenFrames, AddAppendsOneFrameForARealIdentifierOnly) {
    EXPECT_EQ(WithFrameAdded(kPriv, U("TXXX"), U("abc")),
              kPriv + Bytes("TXXX\0\0\0\x04\0\0\0abc", 14));
    EXPECT_EQ(WithFrameAdded({}, U("TENC"), U("x")), Bytes("TENC\0\0\0\x02\x40\0\0x", 12));
    for (const char* id : {"TXX", "TXXXX", "txxx", "T XX", ""})
        EXPECT_EQ(WithFrameAdded(kPriv, U(id), U("abc")), kPriv) << id;
    EXPECT_EQ(WithFrameAdded(kPriv, U("TXXX"), QString()), kPriv);
}

TEST(HiddenFrames, ExportWritesTheFramesRealData) {
    struct Case {
        const char* id;
        QByteArray bytes;
        const char* suffix;
    } cases[] = {{"APIC", kJpeg, "jpg"},
                 {"TXXX", "value", "txt"},
                 {"PRIV", Bytes("owner\0USLT\0\0\0\x05", 15), "bin"},
                 {"USLT", {}, ""}};
    for (const Case& c : cases) {
        const FrameFile file = FrameExport(kHidden, c.id);
        EXPECT_EQ(file.bytes, c.bytes) << c.id;
        EXPECT_EQ(file.suffix, U(c.suffix)) << c.id;
    }
    const FrameFile back = FrameExport(kTxxx + kBack, "APIC");
    EXPECT_EQ(back.bytes, kPng);
    EXPECT_EQ(back.suffix, U("png"));
}

TEST(HiddenFrames, WriteWholeFileLeavesNoOldTail) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("frame.txt"));
    ASSERT_TRUE(mp3::WriteFile(path, QByteArray(1000, 'x')));
    EXPECT_FALSE(WriteWholeFile(path, "short").failed());
    EXPECT_EQ(mp3::ReadFile(path), "short");
    EXPECT_TRUE(WriteWholeFile(dir.filePath(QStringLiteral("no/such/folder.txt")), "x").failed());
}

}  // namespace
