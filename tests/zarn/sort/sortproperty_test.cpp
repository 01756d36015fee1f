// Random lists, policies, answers and stops: whatever happens, no file is lost or left half
// written, and nothing lands outside the target folder.
#include <sys/stat.h>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <random>

#include "tests/zarn/sort/sorttest.h"

namespace {

using Answer = Prompter::Answer;

// A folder on another file system than the temporary folder, when the machine has one (shared
// memory is mounted apart on most Linux systems); moves to it copy and delete.
QString OtherFileSystemRoot(const QString& near) {
    struct stat a {
    }, b{};
    const QString shm = QStringLiteral("/dev/shm");
    if (::stat(QFile::encodeName(near).constData(), &a) != 0 ||
        ::stat(QFile::encodeName(shm).constData(), &b) != 0 || a.st_dev == b.st_dev ||
        !QFileInfo(shm).isWritable())
        return {};
    return shm;
}

// Every file below the folders by its bytes.
QHash<QByteArray, QStringList> FilesByBytes(const QStringList& roots) {
    QHash<QByteArray, QStringList> found;
    for (const QString& root : roots)
        for (const QString& relative : FilesBelow(root))
            found[mp3::ReadFile(root + u'/' + relative)] << root + u'/' + relative;
    return found;
}

class SortPropertyTest : public SortTest {
  protected:
    void runOnce(unsigned seed, const QString& other);
};

void SortPropertyTest::runOnce(unsigned seed, const QString& other) {
    std::mt19937 rng(seed);
    auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
    fresh();
    const QString second = other.isEmpty() ? base + U("/second") : other + U("/src");
    const QStringList pool = {U("a.mp3"),        U("b.mp3"),        U("A.mp3"),
                              U("Velt - x.mp3"), U("velt - y.mp3"), U("Zed - z.mp3")};
    const QList<QByteArray> artists = {"", "Velt", "AC/DC", ".."};
    const int genres[] = {255, 17, 62};

    SortSettings s = settings(pick(3));
    s.policy = CollisionPolicyOf(pick(3));
    s.genre = pick(3) == 0;
    s.alphabetical = !s.genre && pick(3) == 0;
    s.subFolder = pick(2) == 0;
    s.threshold = pick(4);
    s.fixNames = pick(2) == 0;
    QList<Answer> answers;
    for (int i = 0; i < 40; ++i) answers << static_cast<Answer>(pick(3));
    prompter.answers = answers;
    prompter.answer = Answer::No;

    QList<QByteArray> rowBytes, earlier;
    const int files = 1 + pick(10);
    // Some rows already lie in the target, spelled as a user might give them.
    const QString link = base + U("/link-to-target");
    QDir().mkpath(dst());
    QFile::link(dst().chopped(1), link);
    const QStringList inTarget = {dst().chopped(1), dst() + u'.', base + U("/src/../target"), link};
    for (int i = 0; i < files; ++i) {
        const int where = pick(4);
        const QString folder = where == 0   ? second
                               : where == 1 ? inTarget[pick(inTarget.size())]
                                            : src(QString()).chopped(1);
        QString path = folder + u'/' + pool[pick(pool.size())];
        if (QFileInfo::exists(path)) path = folder + QStringLiteral("/%1 - n.mp3").arg(i);
        const QByteArray bytes =
            TaggedBytes("row " + QByteArray::number(seed) + "-" + QByteArray::number(i),
                        artists[pick(artists.size())], genres[pick(3)]);
        addRow(path, bytes, pick(3) == 0 ? QString() : pool[pick(pool.size())]);
        rowBytes << bytes;
    }
    for (int i = pick(4); i > 0; --i) {
        const QString path =
            dst(pick(2) ? pool[pick(pool.size())] : U("Velt/") + pool[pick(pool.size())]);
        if (QFileInfo::exists(path)) continue;
        earlier << "earlier " + QByteArray::number(i);
        write(path, earlier.back());
    }
    progress.stopAfter = pick(files + 2) - 1;
    const QStringList before = rows.paths;

    sortAll(s);

    const std::string what = "seed " + std::to_string(seed);
    const QStringList roots = {base, second};
    const QHash<QByteArray, QStringList> found = FilesByBytes(roots);
    // A replacement the user allowed may make a file give way; nothing else may.
    const QList<Answer> given = answers.first(answers.size() - prompter.answers.size());
    const bool replaceAllowed =
        s.policy == CollisionPolicy::Replace ||
        (s.policy == CollisionPolicy::Prompt && given.contains(Answer::Yes));

    for (int i = 0; i < rowBytes.size(); ++i) {
        const QStringList at = found.value(rowBytes[i]);
        if (s.method == kMethodCopy) {
            // A source in the target is a file there like any other, which a replace may hit.
            const QString source = QFileInfo(before[i]).canonicalFilePath();
            const bool inTargetItself =
                QFileInfo(QFileInfo(before[i]).path()).canonicalFilePath() ==
                QFileInfo(dst()).canonicalFilePath();
            EXPECT_TRUE((replaceAllowed && inTargetItself) ||
                        std::any_of(at.begin(), at.end(),
                                    [&](const QString& path) {
                                        return QFileInfo(path).canonicalFilePath() == source;
                                    }))
                << what;
            EXPECT_LE(at.size(), 2) << what;
        } else {
            EXPECT_LE(at.size(), 1) << what;
            if (!replaceAllowed) {
                EXPECT_EQ(at.size(), 1) << what;
            }
        }
    }
    for (const QByteArray& bytes : earlier) {
        EXPECT_LE(found.value(bytes).size(), 1) << what;
        if (!replaceAllowed) {
            EXPECT_EQ(found.value(bytes).size(), 1) << what;
        }
    }
    for (const QString& root : roots)
        for (const QString& file : FilesBelow(root)) {
            const QString path = root + u'/' + file;
            if (path == link) continue;
            EXPECT_FALSE(QFileInfo(path).fileName().startsWith(u'.'))
                << what << " " << path.toStdString();
            // Copy and move write only into the target; rename only renames rows.
            if (s.method != kMethodRename && !path.startsWith(dst())) {
                EXPECT_TRUE(before.contains(path)) << what << " " << path.toStdString();
            }
        }
    for (const QString& path : rows.paths)
        EXPECT_TRUE(replaceAllowed || mp3::ReadFile(path) == rowBytes[before.indexOf(path)])
            << what;
    if (!other.isEmpty()) QDir(second).removeRecursively();
}

// Files that already lie where the sort puts them, the target and the rows spelled in every way a
// user may give a folder: the sort leaves each file where it is, whatever the policy says about
// taken names, since the name is taken by the file itself.
TEST_F(SortTest, FilesAlreadyInPlaceStayWhateverTheSpelling) {
    const QString link = dir.filePath(U("link-to-target"));
    const QString cwd = QDir::currentPath();
    struct Spelling {
        const char* what;
        std::function<QString(const QString& target)> folder;
    } spellings[] = {
        {"absolute", [](const QString& t) { return t; }},
        {"with ./", [](const QString& t) { return t + U("/."); }},
        {"with ..", [](const QString& t) { return t + U("/../target"); }},
        {"relative", [this](const QString&) { return QDir(dir.path()).relativeFilePath(dst()); }},
        {"through a linked folder", [&link](const QString&) { return link; }},
    };
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    for (const int method : {kMethodMove, kMethodCopy, kMethodRename}) {
        for (const Spelling& targetSpelling : spellings) {
            for (const Spelling& rowSpelling : spellings) {
                fresh();
                QDir().mkpath(dst());
                QFile::remove(link);
                ASSERT_TRUE(QFile::link(dst().chopped(1), link));
                SortSettings s = settings(method);
                s.policy = CollisionPolicy::Replace;
                s.targetDir = targetSpelling.folder(dst().chopped(1));
                const QString row = rowSpelling.folder(dst().chopped(1)) + U("/Velt - Song.mp3");
                addRow(dst(U("Velt - Song.mp3")), "the only copy");
                rows.paths = {row};
                EXPECT_EQ(sortAll(s), SortEnd::Complete);
                const std::string what = std::to_string(method) + " into " + targetSpelling.what +
                                         ", row " + rowSpelling.what;
                EXPECT_EQ(FilesBelow(dst()), QStringList{U("Velt - Song.mp3")}) << what;
                EXPECT_EQ(mp3::ReadFile(dst(U("Velt - Song.mp3"))), "the only copy") << what;
                EXPECT_EQ(rows.count(), 0) << what;
            }
        }
    }
    QDir::setCurrent(cwd);
}

TEST_F(SortPropertyTest, NothingIsLostWhateverHappens) {
    const QString other = OtherFileSystemRoot(dir.path());
    QTemporaryDir shm(other + U("/zarn-sort-XXXXXX"));
    for (unsigned seed = 1; seed <= 200; ++seed)
        runOnce(seed, other.isEmpty() ? QString() : shm.path());
}

}  // namespace
