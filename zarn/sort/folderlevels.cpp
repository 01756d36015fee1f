#include "zarn/sort/folderlevels.h"

#include <QDir>

#include "zarn/names/cleanup.h"
#include "zarn/names/patterns.h"
#include "zarn/names/safename.h"
#include "zarn/shell/cp1252.h"
#include "zarn/shell/text.h"
#include "zarn/sort/sortsettings.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

const QString kUnknown = QStringLiteral("Unknown");

}  // namespace

QString SafeFolderName(const QString& text) {
    QString name = text;
    name.removeIf([](QChar ch) { return ch.unicode() < 32 || ch == u'?' || ch == u'"'; });
    // The characters a file name cannot hold, as the name engine treats them; the separators
    // among them would otherwise nest folders or climb out of the target.
    for (QChar& ch : name)
        if (QStringView(u"\\/:<>|*").contains(ch)) ch = u' ';
    return SafeFileName(TrimBlanks(name), kUnknown);
}

QString SubFolder(const QString& folder, const QString& name) {
    const QChar separator = QDir::separator();
    if (folder.endsWith(separator) || folder.endsWith(u'/')) return folder + name;
    return folder + separator + name;
}

bool SameArtist(const QString& a, const QString& b) {
    return a.toUpper() == b.toUpper();
}

QString LetterFolder(const QString& text) {
    const QString trimmed = TrimBlanks(text);
    if (trimmed.isEmpty()) return {};
    const qsizetype n = trimmed[0].isHighSurrogate() && trimmed.size() > 1 ? 2 : 1;
    return trimmed.left(n).toUpper();
}

QString ArtistOfNewName(const QString& newName, const SortSettings& settings) {
    return GetFieldFromName(newName, QStringLiteral("artist"), settings.outPattern,
                            settings.options);
}

QString ArtistOfRow(const QString& path, const QString& newName, const SortSettings& settings) {
    const QString fromName = settings.fixNames
                                 ? FixTagText(ArtistOfNewName(newName, settings), settings.options)
                                 : GetFieldFromName(path, QStringLiteral("artist"),
                                                    settings.inPattern, settings.options);
    if (!TrimBlanks(fromName).isEmpty()) return fromName;

    QByteArray v1 = ReadID3v1(path).Artist;
    v1.replace('\0', QByteArray());
    const QString one = TrimBlanks(FromCp1252(v1));
    if (!one.isEmpty()) return one;
    const QString two = TrimBlanks(ReadID3v2(path).Artist);
    return two.isEmpty() ? kUnknown : two;
}
