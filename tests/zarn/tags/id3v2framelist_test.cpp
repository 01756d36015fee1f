#include <gtest/gtest.h>

#include <QFile>

#include "tests/support/mp3writer.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2framelist.h"
#include "zarn/tags/id3v2frames.h"

namespace {

using mp3::V2Frame;

const QByteArray kNul(1, '\0');

QByteArray Plain(const QByteArray& id, const QByteArray& body, QByteArray flags = {2, '\0'}) {
    return V2Frame(id, body, false, flags);
}
QByteArray Safe(const QByteArray& id, const QByteArray& body, QByteArray flags = {2, '\0'}) {
    return V2Frame(id, body, true, flags);
}
QByteArray Text(const QByteArray& text) {
    return kNul + text;
}

std::string Hex(const QByteArray& bytes) {
    return bytes.toHex(' ').toStdString();
}

QString Ids(const ID3v2Frames& frames) {
    QStringList ids;
    for (const ID3v2Frame& frame : frames) ids << QString::fromLatin1(frame.id);
    return ids.join(u' ');
}

const QByteArray k300 = Text(QByteArray(299, 'c'));
const QByteArray k200 = Text(QByteArray(199, 't'));
const QByteArray kCommentary = Plain("TXXX", Text("COMMENTARY") + kNul + "x");
const QByteArray kComm = Plain("COMM", Text("eng") + kNul + "The comment");
const QByteArray kApic = Plain("APIC", Text("image/png") + kNul + "\x03" + kNul + "PNGDATA");
// A table of contents whose own title frame holds "TIT2" at a place no frame starts.
const QByteArray kCtoc =
    Plain("CTOC", "toc" + kNul + "\x03\x01" + "c1" + kNul + Plain("TIT2", Text("Contents")));
const QByteArray kArtist = Plain("TPE1", Text("Artist"));
// Private data whose size, 256, read syncsafe is 128 and ends on a "TIT2" of size 0 in it,
// from where zeros run to the end.
const QByteArray kLookalike = Plain("PRIV", QByteArray(128, 'p') + "TIT2" + QByteArray(124, '\0'));

TEST(ParseID3v2Frames, IdentifiersCountOnlyAtFrameStarts) {
    struct Case {
        const char* name;
        QByteArray data;
        QString ids;
    };
    const Case cases[] = {
        {"plain sizes of 256 bytes and more", Plain("COMM", k300) + kArtist, u"COMM TPE1"_qs},
        {"a description holding an identifier", kCommentary + kComm + kApic, u"TXXX COMM APIC"_qs},
        {"a title inside a table of contents", kCtoc + kArtist, u"CTOC TPE1"_qs},
        {"padding ends the frames", kArtist + QByteArray(20, '\0') + kComm, u"TPE1"_qs},
        {"junk ends the frames", kArtist + "junk!" + kComm, u"TPE1"_qs},
        {"a frame cut by the end", kArtist + kComm.left(15), u"TPE1 COMM"_qs},
        {"content that walks as frames with syncsafe sizes", kLookalike, u"PRIV"_qs},
        {"no frames", QByteArray(10, '\0'), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Ids(ParseID3v2Frames(c.data)), c.ids);
    }
    // The frame routines walk the same way.
    EXPECT_EQ(RemoveFrame(kCommentary + kComm + kApic, "COMM"), kCommentary + kApic);
    EXPECT_EQ(FrameText(kCtoc + kArtist, "TIT2"), QString());
    EXPECT_EQ(RemoveFrame(kCtoc + kArtist, "TIT2"), kCtoc + kArtist);
    EXPECT_EQ(FrameText(Plain("COMM", k300.left(4) + kNul + k300.mid(5)), "COMM").size(), 295);
    EXPECT_EQ(RemoveFrame(kLookalike, "TIT2"), kLookalike);
}

TEST(ReadTagFrames, EveryVersionBecomesID3v23) {
    QByteArray kPicture(784, '\x11');
    kPicture[400] = '\0';
    const QByteArray utf16Hi("\x01\xFF\xFEH\0i\0", 7);
    struct Case {
        const char* name;
        QByteArray body;
        int major, flags;
        QByteArray frames;  // rendered in ID3v2.3 form
    };
    const Case cases[] = {
        {"v2.3 plain sizes", Plain("COMM", k300) + kArtist + QByteArray(9, '\0'), 3, 0,
         Plain("COMM", k300) + kArtist},
        {"v2.4 syncsafe sizes", Safe("TIT2", k200) + Safe("TPE1", Text("A")), 4, 0,
         Plain("TIT2", k200) + Plain("TPE1", Text("A"))},
        {"v2.4 with plain sizes", Plain("TIT2", k200) + Plain("TPE1", Text("A")), 4, 0,
         Plain("TIT2", k200) + Plain("TPE1", Text("A"))},
        // Read as syncsafe, the picture's size (0x310) would end on the zero byte at 400.
        {"v2.4 with plain sizes and a zero byte inside",
         Plain("TIT2", Text("A")) + Plain("APIC", kPicture) + QByteArray(20, '\0'), 4, 0,
         Plain("TIT2", Text("A")) + Plain("APIC", kPicture)},
        {"v2.4 status bits move up", Safe("TLEN", Text("1"), QByteArray("\x60\0", 2)), 4, 0,
         Plain("TLEN", Text("1"), QByteArray("\xC0\0", 2))},
        {"v2.4 frame unsynchronisation and data length",
         Safe("TIT2", QByteArray("\0\0\0\x07\x01\xFF\0\xFEH\0i\0", 12), QByteArray("\0\x03", 2)), 4,
         0, Plain("TIT2", utf16Hi)},
        {"v2.4 tag unsynchronisation", Safe("TIT2", QByteArray("\x01\xFF\0\xFEH\0i\0", 8)), 4, 0x80,
         Plain("TIT2", utf16Hi)},
        {"v2.4 UTF-8 becomes UTF-16", Safe("TPE1", QByteArray("\x03\xC3\xA9\0B", 5)), 4, 0,
         Plain("TPE1", QByteArray("\x01\xFF\xFE\xE9\0\0\0\xFF\xFE"
                                  "B\0",
                                  11))},
        {"v2.4 grouped frame", Safe("TIT2", QByteArray("\x07\0Hi", 4), QByteArray("\0\x40", 2)), 4,
         0, Plain("TIT2", QByteArray("\x07\0Hi", 4), QByteArray("\0\x20", 2))},
        {"v2.4 chapter with embedded frames",
         Safe("CHAP", "c1" + kNul + QByteArray(16, '\x01') + Safe("TIT2", k200)), 4, 0,
         Plain("CHAP", "c1" + kNul + QByteArray(16, '\x01') + Plain("TIT2", k200))},
        {"v2.3 syncsafe sizes of earlier builds", Safe("TIT2", k200) + Safe("TPE1", Text("A")), 3,
         0, Plain("TIT2", k200) + Plain("TPE1", Text("A"))},
        {"v2.3 syncsafe sizes before padding", Safe("TIT2", k200) + QByteArray(40, '\0'), 3, 0,
         Plain("TIT2", k200)},
        // Short frames read the same either way; the long one after them decides.
        {"v2.3 syncsafe sizes after short frames",
         Safe("TPE1", Text("A")) + Safe("TIT2", k200) + Safe("TALB", Text("B")), 3, 0,
         Plain("TPE1", Text("A")) + Plain("TIT2", k200) + Plain("TALB", Text("B"))},
        // Read plain, the title's size (0x148) ends in the padding and skips the artist.
        {"v2.3 syncsafe sizes that also walk plain into the padding",
         Safe("TIT2", k200) + Safe("TPE1", Text("A")) + QByteArray(200, '\0'), 3, 0,
         Plain("TIT2", k200) + Plain("TPE1", Text("A"))},
        {"v2.3 tag unsynchronisation",
         Plain("TIT2", QByteArray("\x01\xFF\xFEH\0i\0", 7))
             .replace("\xFF\xFE", QByteArray("\xFF\0\xFE", 3)),
         3, 0x80, Plain("TIT2", utf16Hi)},
        {"v2.3 extended header", QByteArray("\0\0\0\x06", 4) + QByteArray(6, '\0') + kArtist, 3,
         0x40, kArtist},
        {"v2.4 extended header", QByteArray("\0\0\0\x06\x01\0", 6) + kArtist, 4, 0x40, kArtist},
        {"extended header flag without one", kArtist, 4, 0x40, kArtist},
        {"v2.2 frames",
         "TT2" + QByteArray("\0\0\x03", 3) + Text("Hi") + "PIC" + QByteArray("\0\0\x07", 3) +
             Text("PNG") + "\x03" + kNul + "D" + "CRM" + QByteArray("\0\0\x01", 3) + "x",
         2, 0,
         Plain("TIT2", Text("Hi")) + Plain("APIC", Text("image/png") + kNul + "\x03" + kNul + "D")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RenderID3v2Frames(ReadTagFrames(c.body, c.major, c.flags)).toHex(' '),
                  c.frames.toHex(' '));
    }
}

TEST(ReadTagFrames, CompressedFramesKeepTheirContent) {
    const QByteArray text = Text(QByteArray(500, 'z'));
    const QByteArray zipped = qCompress(text).mid(4);  // the zlib stream alone
    const QByteArray length("\0\0\x03\x75", 4);        // 501 as a syncsafe number
    const ID3v2Frames frames =
        ReadTagFrames(Safe("TIT2", length + zipped, QByteArray("\0\x09", 2)), 4, 0);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].flags, QByteArray("\0\x80", 2));
    EXPECT_EQ(FrameContent(frames[0]), text);
    EXPECT_EQ(FrameValue(frames[0]), QString(500, u'z'));
}

// Found by the frame reader fuzzer: a frame the data cuts short, whose content holds "TIT2"
// with size 0 and then zeros (as kLookalike). Rendered with the size it has, 256, the frame
// must read back whole, and a save that changes no field must write it back as it was.
TEST(ReadTagFrames, RenderedFramesReadBackWhole) {
    QFile file(QStringLiteral(ZARN_FUZZ_REGRESSIONS_DIR
                              "/id3v2-frame-content-walks-as-syncsafe-frames.bin"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const char flags = bytes.at(0);  // 0x49: an extended header flagged but not there
    struct Case {
        const char* name;
        QByteArray header, body;
        QString ids;
    };
    const Case cases[] = {
        {"the bytes as a version 3 body", QByteArray("ID3\x03\0\0", 6), bytes, u"ITCO"_qs},
        {"version 3 after the flags byte", QByteArray("ID3\x03\0", 5) + flags, bytes.mid(1),
         u"TCOM"_qs},
        {"version 4 after the flags byte", QByteArray("ID3\x04\0", 5) + flags, bytes.mid(1),
         u"TCOM"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ID3v2Frames frames = ReadTagFrames(c.body, c.header[3], uchar(c.header[5]));
        EXPECT_EQ(Ids(frames).toStdString(), c.ids.toStdString());
        const QByteArray rendered = RenderID3v2Frames(frames);
        EXPECT_EQ(Hex(RenderID3v2Frames(ParseID3v2Frames(rendered))), Hex(rendered));
        const ID3v2Record record = ID3v2FromTag(c.header + QByteArray(4, '\0'), c.body);
        const QByteArray built = BuildFrames(record, frames);
        EXPECT_EQ(Hex(built), Hex(rendered));
        // And once saved, the file's tag (version 3, padding behind) reads back the same.
        const QByteArray saved = built + QByteArray(built.size(), '\0');
        EXPECT_EQ(Ids(ReadTagFrames(saved, 3, 0)).toStdString(), Ids(frames).toStdString());
        EXPECT_EQ(Hex(RenderID3v2Frames(ReadTagFrames(saved, 3, 0))), Hex(rendered));
    }
}

TEST(PictureData, TheBytesAfterTheDescription) {
    const QByteArray png("\x89PNG\0\0\xFF", 7);
    struct Case {
        const char* name;
        QByteArray id, body, data;
    };
    const Case cases[] = {
        {"single-byte description", "APIC", Text("image/png") + kNul + "\x03" + "d" + kNul + png,
         png},
        {"UTF-16 description", "APIC",
         QByteArray("\x01image/png\0\x03\xFF\xFE"
                    "d\0\0\0",
                    18) +
             png,
         png},
        {"no description terminator", "APIC", Text("image/png") + kNul + "\x03" + "d", {}},
        {"not a picture", "GEOB", Text("x") + kNul + png, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ID3v2Frame frame;
        frame.id = c.id;
        frame.body = c.body;
        EXPECT_EQ(PictureData(frame), c.data);
    }
}

}  // namespace
