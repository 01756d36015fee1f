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

QStringList Labels(const QByteArray& hidden) {
    QStringList labels;
    for (const ListedFrame& frame : ListedFrames(hidden)) labels << frame.label;
    return labels;
}

const QByteArray kTxxx2 = V2Frame("TXXX", Bytes("\0other\0second", 13), false);

TEST(HiddenFrames, ListsEveryFrameOnItsOwnRowAndNothingInsideData) {
    EXPECT_EQ(MoreFrameIds().size(), 81);
    EXPECT_FALSE(MoreFrameIds().contains("COMM"));
    EXPECT_FALSE(MoreFrameIds().contains("TOPE"));
    // Table order first, then frames the table lacks; USLT, TIT2 and GEOB only occur in data.
    // Two pictures and two TXXX frames each get a row, told apart by type or description.
    EXPECT_EQ(Labels(kHidden + kTxxx2),
              (QStringList{U("APIC (Cover (front))"), U("APIC (Cover (back))"), U("PRIV"),
                           U("TXXX (desc)"), U("TXXX (other)"), U("TYER")}));
    EXPECT_TRUE(ListedFrames({}).isEmpty());
}

TEST(HiddenFrames, ContentShowsTextOrTheSizeOfBinaryData) {
    const QByteArray hidden = kHidden + kTxxx2;  // TYER PRIV APIC TXXX APIC TXXX
    const struct {
        int index;
        const char* text;
    } cases[] = {{0, "1999"},
                 {1, "15 bytes"},
                 {2, "Cover (front), image/jpeg, 14 bytes"},
                 {3, "value"},
                 {4, "Cover (back), image/png, 8 bytes"},
                 {5, "second"},
                 {6, ""}};
    for (const auto& c : cases) EXPECT_EQ(FrameContentText(hidden, c.index), U(c.text)) << c.index;
}

TEST(HiddenFrames, RemoveTakesTheChosenFrameAndLeavesTheOthersBytes) {
    const QByteArray hidden = kHidden + kTxxx2;
    EXPECT_EQ(WithoutFrame(hidden, 4), kTyer + kPriv + kFront + kTxxx + kTxxx2);
    EXPECT_EQ(WithoutFrame(hidden, 5), kHidden);
    EXPECT_EQ(WithoutFrame(WithoutFrame(hidden, 2), 1), kTyer + kTxxx + kBack + kTxxx2);
    EXPECT_EQ(WithoutFrame(hidden, 6), hidden);
    EXPECT_EQ(WithoutFrame(hidden, -1), hidden);
}

TEST(HiddenFrames, AddAppendsOneFrameOtherProgramsRead) {
    // TXXX: encoding, empty description and its terminator, value.
    EXPECT_EQ(WithFrameAdded(kPriv, U("TXXX"), U("abc")),
              kPriv + Bytes("TXXX\0\0\0\x05\0\0\0\0abc", 15));
    EXPECT_EQ(WithFrameAdded({}, U("TENC"), U("x")), Bytes("TENC\0\0\0\x02\x40\0\0x", 12));
    // URL frames but WXXX hold the address alone, without an encoding byte.
    EXPECT_EQ(WithFrameAdded({}, U("WOAR"), U("http://a")),
              Bytes("WOAR\0\0\0\x08\0\0http://a", 18));
    EXPECT_EQ(WithFrameAdded({}, U("USLT"), U("la")), Bytes("USLT\0\0\0\x07\0\0\0eng\0la", 17));
    for (const char* id : {"TXX", "TXXXX", "txxx", "T XX", ""})
        EXPECT_EQ(WithFrameAdded(kPriv, U(id), U("abc")), kPriv) << id;
    EXPECT_EQ(WithFrameAdded(kPriv, U("TXXX"), QString()), kPriv);
}

TEST(HiddenFrames, ExportWritesTheChosenFramesRealData) {
    const struct {
        int index;
        QByteArray bytes;
        const char* suffix;
    } cases[] = {{2, kJpeg, "jpg"},
                 {4, kPng, "png"},
                 {3, "value", "txt"},
                 {1, Bytes("owner\0USLT\0\0\0\x05", 15), "bin"},
                 {9, {}, ""}};
    for (const auto& c : cases) {
        const FrameFile file = FrameExport(kHidden, c.index);
        EXPECT_EQ(file.bytes, c.bytes) << c.index;
        EXPECT_EQ(file.suffix, U(c.suffix)) << c.index;
    }
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
