#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "options_fixture.h"
#include "tests/support/mp3writer.h"
#include "tests/support/qtstrings.h"
#include "tests/support/scriptedprompter.h"
#include "zarn/names/commandline.h"
#include "zarn/shell/prompter.h"

namespace {

struct TextCase {
    const char* line;
    CommandLineMode mode;
    const char* value;
    std::vector<const char*> files;
};

TEST(ParseCommandLineText, SplitsAtDriveLettersAndShares) {
    using M = CommandLineMode;
    const TextCase cases[] = {
        {R"(+ext="ogg" C:\a.mp3 D:\b.mp3)", M::Extension, "ogg", {R"(C:\a.mp3)", R"(D:\b.mp3)"}},
        {R"(  +RENAME="%artist - %title.mp3" C:\My Music\a b.mp3 C:\c.mp3  )",
         M::Rename,
         "%artist - %title.mp3",
         {R"(C:\My Music\a b.mp3)", R"(C:\c.mp3)"}},
        {R"(+rename="%title.mp3" "C:\a.mp3" "\\srv\share\b.mp3")",
         M::Rename,
         "%title.mp3",
         {R"(C:\a.mp3)", R"(\\srv\share\b.mp3)"}},
        {R"(+ext="" C:\a.mp3)", M::Extension, "", {R"(C:\a.mp3)"}},
        // No closing quote: the value stays empty and the rest starts after the quote.
        {R"(+ext="C:\a.mp3)", M::Extension, "", {R"(C:\a.mp3)"}},
        {R"(+rename="%title.mp3")", M::Rename, "%title.mp3", {}},
        {R"(+rename=%title.mp3 C:\a.mp3)", M::None, "", {R"(+rename=%title.mp3)", R"(C:\a.mp3)"}},
        {R"(C:\a.mp3)", M::None, "", {R"(C:\a.mp3)"}},
        {"   ", M::None, "", {}},
    };
    for (const TextCase& c : cases) {
        const CommandLineRequest r = ParseCommandLineText(U(c.line));
        EXPECT_EQ(r.mode, c.mode) << c.line;
        EXPECT_EQ(r.value, U(c.value)) << c.line;
        QStringList files;
        for (const char* file : c.files) files << U(file);
        EXPECT_EQ(r.files, files) << c.line;
    }
}

TEST(ParseCommandLineArguments, PosixForm) {
    using M = CommandLineMode;
    const QList<std::tuple<QStringList, M, QString, QStringList>> cases = {
        {{U("+rename=%artist - %title.mp3"), U("a.mp3"), U("b c.mp3")},
         M::Rename,
         U("%artist - %title.mp3"),
         {U("a.mp3"), U("b c.mp3")}},
        {{U("+rename=\"%title.mp3\""), U("a.mp3")}, M::Rename, U("%title.mp3"), {U("a.mp3")}},
        {{U("+EXT=ogg"), U("a.mp3")}, M::Extension, U("ogg"), {U("a.mp3")}},
        {{U("+ext="), U("a.mp3")}, M::Extension, QString(), {U("a.mp3")}},
        {{U("--help")}, M::Help, QString(), {}},
        {{U("a.mp3")}, M::None, QString(), {}},
    };
    for (const auto& [args, mode, value, files] : cases) {
        const CommandLineRequest r = ParseCommandLineArguments(args);
        EXPECT_EQ(r.mode, mode) << args.join(u'|').toStdString();
        EXPECT_EQ(r.value, value);
        EXPECT_EQ(r.files, files);
    }
}

TEST(ParseCommandLineArguments, DryRunQuietAndTheEndOfOptions) {
    const struct {
        QStringList args;
        bool dryRun, quiet;
        QStringList files;
    } cases[] = {
        {{U("+ext=ogg"), U("--dry-run"), U("a.mp3")}, true, false, {U("a.mp3")}},
        {{U("+ext=ogg"), U("a.mp3"), U("--quiet"), U("b.mp3")},
         false,
         true,
         {U("a.mp3"), U("b.mp3")}},
        {{U("+ext=ogg"), U("--"), U("--dry-run"), U("a.mp3")},
         false,
         false,
         {U("--dry-run"), U("a.mp3")}},
        {{U("+rename=%title.mp3"), U("--dry-run"), U("--"), U("--"), U("--quiet")},
         true,
         false,
         {U("--"), U("--quiet")}},
        {{U("+ext=ogg"), U("--dryrun")}, false, false, {U("--dryrun")}},
    };
    for (const auto& c : cases) {
        const CommandLineRequest r = ParseCommandLineArguments(c.args);
        EXPECT_EQ(r.dryRun, c.dryRun) << c.args.join(u'|').toStdString();
        EXPECT_EQ(r.quiet, c.quiet) << c.args.join(u'|').toStdString();
        EXPECT_EQ(r.files, c.files) << c.args.join(u'|').toStdString();
    }
}

TEST(NewPathForExtension, OnlyTheNamesOwnDotCounts) {
    EXPECT_EQ(NewPathForExtension(U("/m/a.mp3"), U("ogg")), U("/m/a.ogg"));
    EXPECT_EQ(NewPathForExtension(U("/m/a.b.MP3"), U("ogg")), U("/m/a.b.ogg"));
    EXPECT_EQ(NewPathForExtension(U("/m/v1.0/track"), U("ogg")), U("/m/v1.0/track.ogg"));
    EXPECT_EQ(NewPathForExtension(U("a"), U("ogg")), U("a.ogg"));
    EXPECT_EQ(NewPathForExtension(U(R"(C:\a.mp3)"), U("ogg")), U(R"(C:\a.ogg)"));
}

class CommandLineFiles : public testing::Test {
  protected:
    QString Make(const QString& name, const QByteArray& bytes = mp3::Audio(2)) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(mp3::WriteFile(path, bytes));
        return path;
    }
    int Run(const CommandLineRequest& request) {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        return ProcessCommandLine(request, U("%artist - %title.mp3"), Options(), &prompter, o, e);
    }
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    QString out, err;
};

TEST_F(CommandLineFiles, NeverOverwritesAnotherFileAndGoesOn) {
    const QString a = Make(U("a.mp3"), "first");
    const QString taken = Make(U("a.ogg"), "second");
    const QString b = Make(U("b.mp3"));
    const QString missing = dir.filePath(U("missing.mp3"));
    const int status = Run({CommandLineMode::Extension, U("ogg"), {a, missing, b}});
    EXPECT_EQ(status, kExitSomeFailed);
    EXPECT_EQ(mp3::ReadFile(a), QByteArray("first"));
    EXPECT_EQ(mp3::ReadFile(taken), QByteArray("second"));
    EXPECT_TRUE(QFile::exists(dir.filePath(U("b.ogg"))));
    EXPECT_EQ(err.count(u'\n'), 2) << err.toStdString();
    EXPECT_TRUE(err.contains(a) && err.contains(missing));
    EXPECT_EQ(out, U("renamed: %1 -> %2\n").arg(b, dir.filePath(U("b.ogg"))));
}

TEST_F(CommandLineFiles, AsksForAMissingExtension) {
    const QString a = Make(U("a.mp3"));
    prompter.typed = U("ogg");
    EXPECT_EQ(Run({CommandLineMode::Extension, QString(), {a}}), kExitOk);
    EXPECT_EQ(prompter.prompts, QStringList{U("Enter new file extension (excluding \".\"): ")});
    EXPECT_TRUE(QFile::exists(dir.filePath(U("a.ogg"))));

    const QString b = Make(U("b.mp3"));
    prompter.typed.clear();  // cancelled
    EXPECT_EQ(Run({CommandLineMode::Extension, QString(), {b}}), kExitBadCommandLine);
    EXPECT_TRUE(QFile::exists(b));
    prompter.typed = U("x/y");
    EXPECT_EQ(Run({CommandLineMode::Extension, QString(), {b}}), kExitBadCommandLine);
    EXPECT_TRUE(QFile::exists(b));
}

TEST_F(CommandLineFiles, RenamesByPatternAndLeavesGoodNamesAlone) {
    const QString a = Make(U("velt_-_harbour.mp3"));
    const QString good = Make(U("Velt - Hits.mp3"));
    EXPECT_EQ(Run({CommandLineMode::Rename, U("%track - %artist - %title.mp3"), {a, good}}),
              kExitOk);
    EXPECT_TRUE(QFile::exists(dir.filePath(U("Velt - Harbour.mp3"))));
    EXPECT_TRUE(QFile::exists(good));
    EXPECT_TRUE(out.contains(U("unchanged: ") + good));
    EXPECT_TRUE(err.isEmpty());
}

TEST_F(CommandLineFiles, BadCommandLinesRenameNothing) {
    const QString a = Make(U("a.mp3"));
    EXPECT_EQ(Run({CommandLineMode::None, QString(), {a}}), kExitBadCommandLine);
    EXPECT_EQ(Run({CommandLineMode::Rename, U("%title.mp3"), {}}), kExitBadCommandLine);
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

}  // namespace
