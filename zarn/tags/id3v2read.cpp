#include <QFileInfo>

#include "zarn/shell/text.h"
#include "zarn/tags/genres.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2frames.h"
#include "zarn/tags/tagfile.h"

namespace {

bool AllDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9') return false;
    return true;
}

// "(17)" and "(17)Rock" name genre 17; a refinement after the number wins when it differs;
// a plain name without the number gives nothing.
QString GenreOfFrame(const QString& raw) {
    const int p = InStr(2, raw, QStringLiteral(")"));
    QString refinement, number;
    if (p >= 3) {
        refinement = TrimBlanks(Mid(raw, p + 1));
        number = Mid(raw, 2, p - 2);
    }
    QString genre;
    // A number past 255 cannot be a genre code; it names no genre (and must not stop the
    // reading of the frames after it).
    bool ok = false;
    const qulonglong code = number.toULongLong(&ok);
    if (AllDigits(number) && ok && code <= 255) genre = GenreNameOfNumber(int(code));
    if (!refinement.isEmpty() && refinement.compare(genre, Qt::CaseInsensitive) != 0)
        genre = refinement;
    return genre;
}

void FillRecord(ID3v2Record& tag, const QByteArray& data) {
    tag.Track = FrameText(data, "TRCK");
    tag.Album = FrameText(data, "TALB");
    tag.Artist = FrameText(data, "TPE1");
    tag.Title = FrameText(data, "TIT2");
    tag.Year = FrameText(data, "TYER");
    tag.Comment = FrameText(data, "COMM");
    tag.Genre = GenreOfFrame(FrameText(data, "TCON"));
    tag.Composer = FrameText(data, "TCOM");
    tag.Copyright = FrameText(data, "TCOP");
    tag.Encoder = FrameText(data, "TENC");
    tag.OrigArtist = FrameText(data, "TOPE");
    tag.URL = FrameText(data, "WXXX").remove(QChar(u'\0'));
    QByteArray hidden = data;
    for (const char* id : {"TRCK", "TALB", "TPE1", "TIT2", "TYER", "COMM", "TCON", "TCOM", "TCOP",
                           "TENC", "TOPE", "WXXX"})
        hidden = RemoveFrame(hidden, id);
    if (hidden.count('\0') == hidden.size()) hidden.clear();
    tag.Hidden = hidden;
}

}  // namespace

qint64 TagSizeOfHeader(const QByteArray& header) {
    qint64 size = 0;
    for (int i = 6; i < 10; ++i)
        size = size * 128 + (i < header.size() ? static_cast<unsigned char>(header[i]) : 0);
    return size;
}

ID3v2Record ReadID3v2(const QString& path, Prompter* prompter) {
    ID3v2Record tag;
    if (!QFileInfo::exists(path)) return tag;
    TagFile file(path);
    std::optional<QByteArray> header;
    if (file.open(false)) header = file.read(0, 10);
    if (!header) {
        ReportFileError(prompter, file.error());
        return tag;
    }
    if (!header->startsWith("ID3")) return tag;
    tag.Tag = "ID3";
    const auto byte = [&](int i) { return i < header->size() ? uchar(header->at(i)) : 0; };
    tag.Version = QStringLiteral("%1.%2").arg(byte(3)).arg(byte(4));
    // Only the announced tag body is read, never more than the file holds.
    const std::optional<QByteArray> data = file.read(10, TagSizeOfHeader(*header));
    if (!data) {
        ReportFileError(prompter, file.error());
        return tag;
    }
    FillRecord(tag, *data);
    return tag;
}

ID3v2Record ID3v2FromTag(const QByteArray& header, const QByteArray& body) {
    ID3v2Record tag;
    if (!header.startsWith("ID3")) return tag;
    tag.Tag = "ID3";
    const auto byte = [&](int i) { return i < header.size() ? uchar(header.at(i)) : 0; };
    tag.Version = QStringLiteral("%1.%2").arg(byte(3)).arg(byte(4));
    FillRecord(tag, body);
    return tag;
}
