#include "zarn/tags/genres.h"

#include <QFileInfo>
#include <algorithm>

#include "zarn/shell/cp1252.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"

namespace {

// Numbers 0..79 are the published list, 80..147 its common extension. The spellings are the
// ones stored in files and compared against, so they must not be "corrected".
constexpr const char16_t* kGenres[] = {
    u"Blues",
    u"Classic Rock",
    u"Country",
    u"Dance",
    u"Disco",
    u"Funk",
    u"Grunge",
    u"Hip-Hop",
    u"Jazz",
    u"Metal",
    u"New Age",
    u"Oldies",
    u"Other",
    u"Pop",
    u"R&B",
    u"Rap",
    u"Reggae",
    u"Rock",
    u"Techno",
    u"Industrial",
    u"Alternative",
    u"Ska",
    u"Death Metal",
    u"Pranks",
    u"Soundtrack",
    u"Euro-Techno",
    u"Ambient",
    u"Trip-Hop",
    u"Vocal",
    u"Jazz+Funk",
    u"Fusion",
    u"Trance",
    u"Classical",
    u"Instrumental",
    u"Acid",
    u"House",
    u"Game",
    u"Sound Clip",
    u"Gospel",
    u"Noise",
    u"Alt. Rock",
    u"Bass",
    u"Soul",
    u"Punk",
    u"Space",
    u"Meditative",
    u"Instrumental Pop",
    u"Instrumental Rock",
    u"Ethnic",
    u"Gothic",
    u"Darkwave",
    u"Techno-Industrial",
    u"Electronic",
    u"Pop-Folk",
    u"Eurodance",
    u"Dream",
    u"Southern Rock",
    u"Comedy",
    u"Cult",
    u"Gangsta Rap",
    u"Top 40",
    u"Christian Rap",
    u"Pop/Funk",
    u"Jungle",
    u"Native American",
    u"Cabaret",
    u"New Wave",
    u"Psychadelic",
    u"Rave",
    u"Showtunes",
    u"Trailer",
    u"Lo-Fi",
    u"Tribal",
    u"Acid Punk",
    u"Acid Jazz",
    u"Polka",
    u"Retro",
    u"Musical",
    u"Rock & Roll",
    u"Hard Rock",
    u"Folk",
    u"Folk/Rock",
    u"National Folk",
    u"Swing",
    u"Fast Fusion",
    u"Bebob",
    u"Latin",
    u"Revival",
    u"Celtic",
    u"Bluegrass",
    u"Avantgarde",
    u"Gothic Rock",
    u"Progressive Rock",
    u"Psychadelic Rock",
    u"Symphonic Rock",
    u"Slow Rock",
    u"Big Band",
    u"Chorus",
    u"Easy Listening",
    u"Acoustic",
    u"Humour",
    u"Speech",
    u"Chanson",
    u"Opera",
    u"Chamber Music",
    u"Sonata",
    u"Symphony",
    u"Booty Bass",
    u"Primus",
    u"Porn Groove",
    u"Satire",
    u"Slow Jam",
    u"Club",
    u"Tango",
    u"Samba",
    u"Folklore",
    u"Ballad",
    u"Power Ballad",
    u"Rhythmic Soul",
    u"Freestyle",
    u"Duet",
    u"Punk Rock",
    u"Drum Solo",
    u"A Capella",
    u"Euro-House",
    u"Dance Hall",
    u"Goa",
    u"Drum & Bass",
    u"Club-House",
    u"Hardcore",
    u"Terror",
    u"Indie",
    u"BritPop",
    u"Negerpunk",
    u"Polsk Punk",
    u"Beat",
    u"Christian Gangsta Rap",
    u"Heavy Metal",
    u"Black Metal",
    u"Crossover",
    u"Contemporary Christian",
    u"Christian Rock",
    u"Merengue",
    u"Salsa",
    u"Thrash Metal",
    u"Anime",
    u"JPop",
    u"Synthpop",
};
static_assert(std::size(kGenres) == 148);

}  // namespace

const QStringList& GenreTable() {
    static const QStringList table = [] {
        QStringList names;
        for (const char16_t* name : kGenres) names << QString::fromUtf16(name);
        return names;
    }();
    return table;
}

QString GenreNameOfNumber(int number) {
    if (number >= 0 && number < GenreTable().size()) return GenreTable().at(number);
    return QStringLiteral("Unknown");
}

QString GenreName(const QString& genreChar) {
    if (genreChar.isEmpty()) return {};
    return GenreNameOfNumber(Cp1252Code(genreChar.at(0)));
}

int GenreNumber(const QString& name) {
    if (name.isEmpty()) return 255;
    const qsizetype at = GenreTable().indexOf(name);
    return at < 0 ? 0 : int(at);
}

QString GenreOfFile(const QString& path) {
    if (!QFileInfo::exists(path)) return {};
    const QByteArray genre = ReadID3v1(path).Genre;
    const int number = genre.isEmpty() ? 255 : uchar(genre.at(0));
    if (number != 255) return GenreNameOfNumber(number);
    // Most files tagged since ID3v2 carry their genre only there; its first genre names the
    // folder ("Rock / Pop" goes to "Rock").
    const QString v2 = ReadID3v2(path).Genre.section(QStringLiteral(" / "), 0, 0).trimmed();
    return v2.isEmpty() ? QStringLiteral("Unknown") : v2;
}

QStringList GenreChoices() {
    const auto key = [](const QString& name) { return name.toLower().remove(u'-'); };
    QStringList names = GenreTable();
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return key(a) < key(b); });
    names.prepend(QString());
    return names;
}
