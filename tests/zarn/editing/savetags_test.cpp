// Saving the panel to files: one file, several files, attributes, stopping, and what mutagen
// reads afterwards.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/fakeprogress.h"
#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "tests/zarn/tags/mutagenoracle.h"
#include "zarn/editing/hiddenframes.h"
#include "zarn/editing/savetags.h"
#include "zarn/shell/fileops.h"
#include "zarn/shell/options.h"
#include "zarn/tags/fileinfo.h"

namespace {

const QByteArray kAudio = mp3::Audio(8);
constexpr FileOutcome::Kind kDone = FileOutcome::Kind::Done;

// The texts of the ID3v2 frames as mutagen reads them, without the ID3v1 tag.
QString V2Texts(const QString& path) {
    const QJsonObject frames = oracle::Dump(path)[u"frames"_qs].toObject();
    QJsonObject texts;
    for (auto it = frames.begin(); it != frames.end(); ++it)
        texts[it.key()] = it.value().toObject()[u"text"_qs];
    return oracle::Compact(texts);
}

class SaveTagsTest : public ::testing::Test {
  protected:
    QString file(const char* name, const QByteArray& tags) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(mp3::WriteFile(path, tags + kAudio));
        return path;
    }
    QString tagged(const char* name) {
        mp3::V1 v1{"Title", "Artist", "Album", "1999", "Comment", 7, 17};
        const QByteArray v2 = mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "V2 title", false),
                                             mp3::V2TextFrame("TALB", "V2 album", false)},
                                            64);
        const QString path = file(name, v2);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::Append) && f.write(mp3::ID3v1Tag(v1)) == 128);
        return path;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Options options;
};

TEST_F(SaveTagsTest, SeveralFilesGetTheAlbumAndKeepTheirOtherFields) {
    const QStringList paths = {tagged("a.mp3"), file("b.mp3", {}),
                               dir.filePath(QStringLiteral("gone.mp3")), tagged("c.mp3")};
    PanelValues form;
    form.id3v1 = form.id3v2 = true;
    form.v1.album = form.v2.album = U("New album");
    const SaveRun run = SaveSeveralFiles(paths, SeveralFilesCleaned(form),
                                         SeveralFilesModes(form, {}), options, nullptr);
    EXPECT_EQ(run.written, 3);
    EXPECT_EQ(run.skipped, 1);
    ASSERT_EQ(run.problems.size(), 1);
    EXPECT_EQ(run.problems[0].kind, FileOutcome::Kind::Gone);
    for (const QString& path : {paths[0], paths[3]}) {
        const QJsonObject read = oracle::Read(path);
        EXPECT_EQ(oracle::Compact(read[u"v1"_qs]),
                  U(R"({"COMM":"Comment","TALB":"New album","TCON":"17","TDRC":"1999",)"
                    R"("TIT2":"Title","TPE1":"Artist","TRCK":"7"})"));
        EXPECT_EQ(V2Texts(path), U(R"({"TALB":["New album"],"TIT2":["V2 title"]})"));
        EXPECT_TRUE(mp3::ReadFile(path).contains(kAudio));
    }
    // A file without tags gets both, with only the album (ID3v1 genre 255: none).
    const QJsonObject fresh = oracle::Read(paths[1]);
    EXPECT_EQ(oracle::Compact(fresh[u"v1"_qs]), U(R"({"TALB":"New album"})"));
    EXPECT_EQ(V2Texts(paths[1]), U(R"({"TALB":["New album"]})"));
    EXPECT_EQ(uchar(mp3::ReadFile(paths[1]).back()), 255);
}

TEST_F(SaveTagsTest, SeveralFilesClearAndRemove) {
    const QStringList paths = {tagged("a.mp3"), tagged("b.mp3")};
    PanelValues form;
    form.id3v1 = true;
    form.v1.comment = U("***");
    form.v1.track = U("*");
    const SaveRun run = SaveSeveralFiles(paths, SeveralFilesCleaned(form),
                                         SeveralFilesModes(form, {false, true}), options, nullptr);
    EXPECT_EQ(run.written, 2);
    for (const QString& path : paths) {
        const ID3v1Record v1 = ReadID3v1(path);
        EXPECT_EQ(FieldText(v1.Comment), QString());
        EXPECT_EQ(v1.Track, QByteArray(1, '\0'));
        EXPECT_EQ(FieldText(v1.Title), U("Title"));
        EXPECT_FALSE(mp3::ReadFile(path).startsWith("ID3"));
        // ID3v1.0: the byte before the genre is comment, not a track.
        EXPECT_FALSE(oracle::Read(path)[u"v1"_qs].toObject().contains(u"TRCK"_qs));
    }
}

TEST_F(SaveTagsTest, AStopEndsTheRunAfterTheCurrentFile) {
    const QStringList paths = {tagged("a.mp3"), tagged("b.mp3"), tagged("c.mp3")};
    const QByteArray untouched = mp3::ReadFile(paths[2]);
    PanelValues form;
    form.id3v2 = true;
    form.v2.title = U("Stopped");
    FakeProgress progress;
    progress.stopAfter = 2;
    const SaveRun run =
        SaveSeveralFiles(paths, form, SeveralFilesModes(form, {}), options, &progress);
    EXPECT_TRUE(run.stopped);
    EXPECT_EQ(run.written, 2);
    ASSERT_EQ(progress.steps.size(), 2);
    EXPECT_EQ(progress.steps[1].number, 2);
    EXPECT_EQ(progress.steps[1].total, 3);
    EXPECT_EQ(ReadID3v2(paths[1]).Title, U("Stopped"));
    EXPECT_EQ(mp3::ReadFile(paths[2]), untouched);
}

TEST_F(SaveTagsTest, AttributesAreRestoredOrSet) {
    struct Case {
        bool readOnlyBefore, setAttributes, readOnlyOption, readOnlyAfter;
    } cases[] = {{true, false, false, true},
                 {false, false, true, false},
                 {false, true, true, true},
                 {true, true, false, false}};
    for (const Case& c : cases) {
        const QString path = tagged("attr.mp3");
        if (c.readOnlyBefore) {
            ASSERT_FALSE(SetFileAttributes(path, kAttrReadOnly).failed());
        }
        options.bSetAttributes = c.setAttributes;
        options.bReadOnly = c.readOnlyOption;
        PanelValues form;
        form.id3v1 = true;
        form.v1.title = U("Written");
        const SaveRun run =
            SaveSeveralFiles({path}, form, SeveralFilesModes(form, {}), options, nullptr);
        EXPECT_EQ(run.written, 1);
        EXPECT_TRUE(run.problems.isEmpty());
        EXPECT_EQ(FieldText(ReadID3v1(path).Title), U("Written"));
        EXPECT_EQ(IsReadOnly(path), c.readOnlyAfter) << c.readOnlyBefore << c.setAttributes;
        SetFileAttributes(path, 0);
        QFile::remove(path);
    }
}

TEST_F(SaveTagsTest, OneFileFollowsThePanel) {
    const QString path = tagged("one.mp3");
    const FileInfo info = ReadFileInfo(path, false);
    const ShownFile shown = ShownFileOf(path, info);
    PanelValues values = PanelValuesOf(info);
    values.id3v1 = false;  // unchecking a version box removes that tag
    values.v2.track = U("300");
    values.v2.genre = U("Rock");
    ASSERT_EQ(SaveOneFile(path, OneFileCleaned(values), shown, options).kind, kDone);
    EXPECT_FALSE(mp3::ReadFile(path).right(128).startsWith("TAG"));
    EXPECT_EQ(V2Texts(path),
              U(R"({"TALB":["V2 album"],"TCON":["(17)Rock"],"TIT2":["V2 title"],"TRCK":["300"]})"));
    // A genre outside the table is written as typed; an unnamed ID3v1 genre byte stays.
    const QString unnamed = file("unnamed.mp3", {});
    QFile f(unnamed);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(mp3::ID3v1Tag({"T", "A", "", "", "", -1, 200}));
    f.close();
    const FileInfo unnamedInfo = ReadFileInfo(unnamed, false);
    PanelValues edited = PanelValuesOf(unnamedInfo);
    edited.id3v2 = true;
    edited.v2.genre = U("Sea Shanty");
    ASSERT_EQ(
        SaveOneFile(unnamed, OneFileCleaned(edited), ShownFileOf(unnamed, unnamedInfo), options)
            .kind,
        kDone);
    EXPECT_EQ(V2Texts(unnamed), U(R"({"TCON":["Sea Shanty"]})"));
    EXPECT_EQ(uchar(mp3::ReadFile(unnamed).back()), 200);
    // Nothing to do for a file that is gone.
    EXPECT_EQ(SaveOneFile(dir.filePath(QStringLiteral("gone.mp3")), values, shown, options).kind,
              FileOutcome::Kind::Gone);
}

// A file another program tagged with a picture, TXXX frames and a long comment: changing the
// title through the panel leaves every other frame as mutagen reads it, the picture byte for
// byte.
TEST_F(SaveTagsTest, APanelSaveKeepsEveryOtherFrame) {
    const QString path = file("mutagen.mp3", {});
    const QString longComment(400, u'c');
    oracle::Build(path, 3,
                  QStringLiteral(R"([["TIT2", {"encoding": 1, "text": ["Old title"]}],)"
                                 R"(["TPE1", {"encoding": 0, "text": ["Artist"]}],)"
                                 R"(["APIC", {"encoding": 0, "mime": "image/jpeg", "type": 3,)"
                                 R"( "desc": "front", "data": {"bytes": 5000, "seed": 7}}],)"
                                 R"(["TXXX", {"encoding": 1, "desc": "one", "text": ["1"]}],)"
                                 R"(["TXXX", {"encoding": 0, "desc": "two", "text": ["2"]}],)"
                                 R"(["COMM", {"encoding": 1, "lang": "eng", "desc": "",)"
                                 R"( "text": ["%1"]}]])")
                      .arg(longComment)
                      .toUtf8());
    const QJsonObject before = oracle::Dump(path);
    ASSERT_FALSE(before.isEmpty());
    const FileInfo info = ReadFileInfo(path, false);
    PanelValues values = PanelValuesOf(info);
    EXPECT_EQ(values.v2.comment, longComment);
    values.v2.title = U("New title");
    ASSERT_EQ(SaveOneFile(path, OneFileCleaned(values), ShownFileOf(path, info), options).kind,
              kDone);
    QJsonObject expected = before[u"frames"_qs].toObject();
    QJsonObject title = expected[u"TIT2"_qs].toObject();
    title[u"text"_qs] = QJsonArray{u"New title"_qs};
    expected[u"TIT2"_qs] = title;
    const QJsonObject after = oracle::Dump(path)[u"frames"_qs].toObject();
    EXPECT_EQ(oracle::Compact(after), oracle::Compact(expected));
    EXPECT_TRUE(mp3::ReadFile(path).endsWith(kAudio));
}

// Frames added in the extra frames window, saved with the panel, as mutagen reads them.
TEST_F(SaveTagsTest, AddedFramesAreReadByOtherPrograms) {
    const QString path = file("added.mp3", {});
    QByteArray hidden;
    hidden = WithFrameAdded(hidden, U("TXXX"), U("Niño ✓"));
    hidden = WithFrameAdded(hidden, U("WOAR"), U("http://velt.example/"));
    hidden = WithFrameAdded(hidden, U("USLT"), U("la la"));
    hidden = WithFrameAdded(hidden, U("TSOA"), U("Hits"));
    const FileInfo info = ReadFileInfo(path, false);
    PanelValues values = PanelValuesOf(info);
    values.id3v2 = true;
    values.v2.title = U("Song");
    ShownFile shown = ShownFileOf(path, info);
    shown.hiddenFrames = hidden;
    ASSERT_EQ(SaveOneFile(path, OneFileCleaned(values), shown, options).kind, kDone);
    const QJsonObject frames = oracle::Dump(path)[u"frames"_qs].toObject();
    const auto field = [&frames](const char* key, const char* name) {
        return oracle::Compact(
            frames[QString::fromLatin1(key)].toObject()[QString::fromLatin1(name)]);
    };
    EXPECT_EQ(field("TXXX:", "text"), U(R"([["Niño ✓"]])"));
    EXPECT_EQ(field("TXXX:", "desc"), U(R"([""])"));
    EXPECT_EQ(field("WOAR:http://velt.example/", "url"), U(R"(["http://velt.example/"])"));
    EXPECT_EQ(field("USLT::eng", "text"), U(R"(["la la"])"));
    EXPECT_EQ(field("TSOA", "text"), U(R"([["Hits"]])"));
    EXPECT_EQ(field("TIT2", "text"), U(R"([["Song"]])"));
}

// The records of a several-files save are what the one-tag readers give, whatever the file; a
// file that cannot be opened gives its reason instead.
TEST_F(SaveTagsTest, SeveralFilesRecordsAreWhatTheTagReadersGive) {
    const auto v1Only = [&] {
        const QString path = file("v1.mp3", {});
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::Append) &&
                    f.write(mp3::ID3v1Tag({"T", "A", "B", "2000", "C", 3, 9})) == 128);
        return path;
    };
    const QString folder = dir.filePath(QStringLiteral("folder.mp3"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString shortFile = dir.filePath(QStringLiteral("short.mp3"));
    ASSERT_TRUE(mp3::WriteFile(shortFile, QByteArray("ID3\3\0\0\0\0\0\x20TIT2", 14)));
    const QStringList paths = {tagged("both.mp3"),
                               file("none.mp3", {}),
                               file("v2.mp3", mp3::ID3v2Tag({mp3::V2TextFrame("TIT2", "X")}, 8)),
                               v1Only(),
                               shortFile,
                               folder,
                               dir.filePath(QStringLiteral("gone.mp3"))};
    const auto text = [](const FileRecords& r) {
        const ID3v1Record& a = r.tag1;
        const ID3v2Record& b = r.tag2;
        return QStringList{QString::fromLatin1(a.Tag + a.Title + a.Artist + a.Album + a.Year +
                                               a.Comment + a.Track + a.Genre),
                           QString::fromLatin1(b.Tag),
                           b.Version,
                           b.Title,
                           b.Artist,
                           b.Album,
                           b.Year,
                           b.Comment,
                           b.Genre,
                           b.Track,
                           QString::fromLatin1(b.Hidden),
                           QString::number(r.modes.id3v1),
                           QString::number(r.modes.id3v2)}
            .join(u'|');
    };
    for (const auto& [v1, v2] : {std::pair{true, true}, {true, false}, {false, true}}) {
        PanelValues form;
        form.id3v1 = v1;
        form.id3v2 = v2;
        form.v1.album = form.v2.album = U("New album");
        const PanelValues cleaned = SeveralFilesCleaned(form);
        const TagModes modes = SeveralFilesModes(cleaned, {});
        for (const QString& path : paths) {
            SCOPED_TRACE(path.toStdString() + (v1 ? " v1" : "") + (v2 ? " v2" : ""));
            ScriptedPrompter expectedPrompter;
            FileRecords expected;
            TagModes m = modes;
            if (m.id3v1 != kRemoveTag) {
                const ID3v1Record old = ReadID3v1(path, &expectedPrompter);
                expected.tag1 = m.id3v1 == kWriteTag ? MergedID3v1(cleaned, old, false) : old;
                m = KeepingAbsentID3v1(m, old.hasTag());
            }
            expected.modes = m;
            if (m.id3v2 == kWriteTag)
                expected.tag2 = MergedID3v2(cleaned, ReadID3v2(path, &expectedPrompter), false);
            else if (m.id3v2 == kKeepTag && m.id3v1 != kWriteTag)
                expected.tag2 = ReadID3v2(path, &expectedPrompter);
            const FileRecords actual = SeveralFilesRecords(path, cleaned, modes, Options());
            const bool opens = path != folder && QFile::exists(path);
            EXPECT_EQ(actual.error.failed(), !opens);
            if (opens) {
                EXPECT_EQ(text(actual), text(expected));
            }
        }
    }
}

}  // namespace
