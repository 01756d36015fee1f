// The pattern reader, the clean-up rules and the command-line splitter on arbitrary text. The
// input is split at NUL bytes into pattern, path and option bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "zarn/names/cleanup.h"
#include "zarn/names/commandline.h"
#include "zarn/names/patterns.h"
#include "zarn/names/safename.h"
#include "zarn/shell/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> parts = bytes.split('\0');
    const QString pattern = QString::fromUtf8(parts.value(0));
    const QString path = QString::fromUtf8(parts.value(1));
    const uint8_t bits = parts.size() > 2 && !parts[2].isEmpty() ? uint8_t(parts[2][0]) : 0xFF;

    Options o;
    o.bExtension = bits & 1;
    o.bLowExtension = bits & 2;
    o.bScoreToSpace = bits & 4;
    o.b20toSpace = bits & 8;
    o.bSpaces = bits & 16;
    o.bMisses = bits & 32;
    o.bReplace = bits & 64;
    o.bRemoveChars = bits & 128;
    o.Change = bits % 5;
    o.Extension = QString::fromUtf8(parts.value(3, "mp3"));
    o.Replaces = {{pattern.left(3), path.left(3)}};

    for (const char* field : {"artist", "title", "album", "track", "year", "genre", "comment"})
        GetFieldFromName(path, QString::fromLatin1(field), pattern, o);
    CleanNewName(path, o);
    FixTagText(path, o);
    QString words = path;
    CapitaliseWords(words);
    if (words.size() != path.size()) std::abort();

    // Whatever the rules produce, the last guard gives a name the file system takes.
    const QString safe = SafeFileName(CleanNewName(pattern + path, o), QStringLiteral("old.mp3"));
    if (safe.isEmpty() || safe == u"." || safe == u".." || safe.contains(u'/') ||
        safe.contains(QChar(0)) || safe.toUtf8().size() > kMaxNameBytes)
        std::abort();

    ParseCommandLineText(pattern + u' ' + path);
    return 0;
}
