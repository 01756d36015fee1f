// Random lists, policies, answers and stops: whatever happens, no file is lost or left half
// written, and nothing lands outside the target folder.
#include <sys/stat.h>
#include <QFileInfo>
#include <QHash>
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
    for (int i = 0; i < files; ++i) {
        const QString folder = pick(3) == 0 ? second : src(QString()).chopped(1);
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
            EXPECT_TRUE(at.contains(before[i])) << what;
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

TEST_F(SortPropertyTest, NothingIsLostWhateverHappens) {
    const QString other = OtherFileSystemRoot(dir.path());
    QTemporaryDir shm(other + U("/zarn-sort-XXXXXX"));
    for (unsigned seed = 1; seed <= 200; ++seed)
        runOnce(seed, other.isEmpty() ? QString() : shm.path());
}

}  // namespace
