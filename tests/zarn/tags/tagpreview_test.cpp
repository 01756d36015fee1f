// The preview of a tag write against the write itself: for every pair of tag modes, files with
// and without each tag (an ID3v2.4 tag, padding, a damaged tag among them) and records that
// change, keep or empty fields, what PreviewTagWrite says a file will read like is what it
// reads like after WriteTags.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "zarn/tags/mp3file.h"
#include "zarn/tags/tagpreview.h"

namespace {

struct Sample {
    const char* name;
    QByteArray bytes;
};

QList<Sample> Samples() {
    const QByteArray v1 = mp3::ID3v1Tag({"Harbour", "Velt", "Hits", "1999", "c", 7, 17});
    const QByteArray v2 = mp3::ID3v2Tag(
        {mp3::V2TextFrame("TIT2", "Harbour", false), mp3::V2TextFrame("TPE1", "Velt", false),
         mp3::V2TextFrame("TCON", "(17)Rock", false),
         mp3::V2Frame("TXXX", QByteArray("\0d\0v", 4), false)},
        40);
    const QByteArray v24 = mp3::ID3v2Tag(
        {mp3::V2TextFrame("TIT2", "Ice"), mp3::V2TextFrame("TDRC", "2004-05-06")}, 8, 4);
    // The header claims far more bytes than the file holds.
    const QByteArray damaged = QByteArray("ID3\x03\0\0", 6) + mp3::Syncsafe(1 << 20);
    return {{"none", mp3::Audio(2)},       {"v1", mp3::Audio(2) + v1},
            {"v2", v2 + mp3::Audio(2)},    {"both", v2 + mp3::Audio(2) + v1},
            {"v2.4", v24 + mp3::Audio(2)}, {"damaged", damaged + mp3::Audio(1)}};
}

struct Records {
    const char* name;
    ID3v1Record tag1;
    ID3v2Record tag2;
};

QList<Records> RecordSets() {
    ID3v1Record v1;
    v1.Tag = "TAG";
    v1.Title = PadField("New title", 30, '\0');
    v1.Track = QByteArray(1, '\x03');
    v1.Genre = QByteArray(1, '\x08');
    ID3v2Record v2;
    v2.Tag = "ID3";
    v2.Title = U("New title");
    v2.Composer = U("Ona");
    v2.Genre = U("(8)Jazz");
    v2.Year = U("2004");
    return {{"new values", v1, v2}, {"empty", ID3v1Record(), ID3v2Record()}};
}

TEST(TagPreview, ReadsAsTheWriteThenReads) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(U("f.mp3"));
    int compared = 0;
    for (const Sample& sample : Samples())
        for (const Records& records : RecordSets())
            for (int mode1 = kRemoveTag; mode1 <= kWriteTag; ++mode1)
                for (int mode2 = kRemoveTag; mode2 <= kWriteTag; ++mode2) {
                    SCOPED_TRACE(testing::Message() << sample.name << ", " << records.name
                                                    << ", modes " << mode1 << " " << mode2);
                    ASSERT_TRUE(mp3::WriteFile(path, sample.bytes));
                    TagPreview preview;
                    {
                        Mp3File file(path);
                        ASSERT_TRUE(file.open(FileAccess::Read));
                        preview =
                            PreviewTagWrite(file, records.tag1, records.tag2, mode1, mode2, false);
                    }
                    EXPECT_EQ(mp3::ReadFile(path), sample.bytes) << "the preview wrote";
                    Mp3File file(path);
                    const TagWrite write =
                        WriteTags(file, records.tag1, records.tag2, mode1, mode2);
                    file.file().close();
                    EXPECT_EQ(preview.error.failed(), write.failed());
                    if (write.failed()) continue;
                    Mp3File written(path);
                    ASSERT_TRUE(written.open(FileAccess::Read));
                    const TagPreview reread =
                        PreviewTagWrite(written, {}, {}, kKeepTag, kKeepTag, false);
                    for (const FieldChange& c : TagChanges(preview.after, reread.before))
                        ADD_FAILURE()
                            << c.field.toStdString() << ": previewed \"" << c.before.toStdString()
                            << "\", written \"" << c.after.toStdString() << '"';
                    ++compared;
                }
    EXPECT_GT(compared, 80);
}

TEST(TagPreview, ChangesNameEachFieldAndTheTagVersions) {
    FileInfo before, after;
    before.ID3v1Mark = U("1");
    before.txtTitle = U("a");
    after = before;
    after.ID3v2Mark = U("1");
    after.txtTitle = U("b");
    after.txtV2Composer = U("Ona");
    const QList<FieldChange> changes = TagChanges(before, after);
    ASSERT_EQ(changes.size(), 3);
    EXPECT_EQ(changes[0].field + u'|' + changes[0].before + u'|' + changes[0].after,
              U("tags|ID3v1|ID3v1,ID3v2"));
    EXPECT_EQ(changes[1].field + u'|' + changes[1].before + u'|' + changes[1].after,
              U("v1.title|a|b"));
    EXPECT_EQ(changes[2].field + u'|' + changes[2].before + u'|' + changes[2].after,
              U("v2.composer||Ona"));
    EXPECT_TRUE(TagChanges(after, after).isEmpty());
}

}  // namespace
