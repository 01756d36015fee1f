#include "zarn/tags/fileinfo.h"

#include <QFileInfo>

#include "zarn/tags/framesearch.h"
#include "zarn/tags/genres.h"
#include "zarn/tags/id3v1.h"
#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2frames.h"
#include "zarn/tags/mp3file.h"
#include "zarn/tags/panelfields.h"
#include "zarn/tags/roundhalfeven.h"

namespace {

constexpr qint64 kID3v1Size = 128;
constexpr qint64 kID3v2HeaderSize = 10;
constexpr qint64 kVbrBytes = 64;  // reaches the frame count of Xing, Info and VBRI headers

// The raw bytes the file information is computed from; read in one pass over the file.
struct RawFile {
    qint64 length = 0;
    QByteArray id3v1;      // the last 128 bytes when they begin with "TAG", else empty
    QByteArray id3v2Head;  // the first 10 bytes when they begin with "ID3", else empty
    qint64 tagTotal = 0;   // the ID3v2 tag's length, header included
    FrameSearchResult search;
    QByteArray firstFrame;  // the bytes from the found header on, enough for a VBR header
};

bool ReadRaw(Mp3File& file, RawFile& raw) {
    const TagLayout& layout = file.layout();
    raw.length = layout.length;
    raw.id3v1 = layout.v1Block;
    raw.id3v2Head = layout.v2Header;
    raw.tagTotal = layout.v2End;
    GuardedFile& g = file.file();
    const ReadAt read = [&g](qint64 pos, qint64 length) { return g.read(pos, length); };
    raw.search = FindFrameHeader(read, raw.length, raw.tagTotal);
    if (raw.search.found)
        raw.firstFrame = g.read(raw.search.offset, kVbrBytes).value_or(QByteArray());
    return !raw.search.readError;
}

QString YesNo(bool yes) {
    return yes ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString ID3v1TypeText(const QByteArray& block) {
    if (block.isEmpty()) return {};
    const bool v11 = block[125] == '\0' && block[126] != '\0';
    return v11 ? QStringLiteral(" ID3v1: 1.1") : QStringLiteral(" ID3v1: 1.0");
}

QString ID3v2TypeText(const QByteArray& head) {
    if (head.isEmpty()) return {};
    return QStringLiteral(" ID3v2: %1.%2").arg(uchar(head[3])).arg(uchar(head[4]));
}

void FillLabels(FileInfo& info, const RawFile& raw) {
    info.txtfSize = QStringLiteral("Size: %1b").arg(raw.length);
    info.lblFileSize = QStringLiteral("File size: %1 Kb").arg(RoundHalfEven(raw.length, 1024));
    // Without a frame header the last bytes of the file would be decoded as one, and show a
    // made-up "MPEG 2.5 layer ?" stream.
    if (!raw.search.found) {
        info.txtfType = (ID3v1TypeText(raw.id3v1) + ID3v2TypeText(raw.id3v2Head)).trimmed();
        return;
    }
    const MpegHeader& h = info.header;
    info.txtfHeader = QStringLiteral("Header: %1b").arg(info.headerOffset);
    info.txtfType =
        h.versionText + h.layerText + ID3v1TypeText(raw.id3v1) + ID3v2TypeText(raw.id3v2Head);
    info.txtfkBit = h.bitrateText + QStringLiteral("kbps");
    info.txtfCopyrighted = QStringLiteral("Copyrighted: ") + YesNo(h.copyrighted);
    info.txtfOriginal = QStringLiteral("Original: ") + YesNo(h.original);
    info.txtfCRCs = QStringLiteral("CRCs: ") + YesNo(h.crcs);
    info.txtfEmphasis = QStringLiteral("Emphasis: ") + h.emphasisText;
    info.txtfQuality = (h.sampleRate > 0 ? QString::number(h.sampleRate) : QStringLiteral("?")) +
                       QStringLiteral("Hz") + h.channelText;
    info.txtfLength =
        info.seconds >= 0 ? QStringLiteral("Length: %1 s").arg(info.seconds) : QString();
}

void FillID3v1(FileInfo& info, const QByteArray& block, bool optimized) {
    if (block.isEmpty()) return;
    const ID3v1Record tag = ID3v1FromBlock(block, /*wholeComment=*/true);
    const ID3v1Texts texts = UnpackID3v1Texts(tag, optimized);
    info.ID3v1Mark = QStringLiteral("1");
    info.txtTitle = texts.title;
    info.txtArtist = texts.artist;
    info.txtAlbum = texts.album;
    info.txtComments = texts.comment;
    info.txtYear = FieldText(tag.Year);
    const int track = uchar(tag.Track[0]);
    info.txtTrackNr = track ? QString::number(track) : QString();
    info.cmbGenre = GenreNameOfNumber(uchar(tag.Genre[0]));
}

void FillID3v2(FileInfo& info, const ID3v2Record& tag) {
    if (!tag.hasTag()) return;
    for (const PanelField& f : PanelFields()) info.*f.v2.info = tag.*f.record;
    info.HiddenFrames = tag.Hidden;
}

}  // namespace

void FillTagBoxes(FileInfo& info, const QByteArray& v1Block, const std::optional<ID3v2Record>& v2,
                  bool optimizedID3v1) {
    FillID3v1(info, v1Block, optimizedID3v1);
    info.ID3v2Mark = v2 ? QStringLiteral("1") : QStringLiteral("0");
    if (v2) FillID3v2(info, *v2);
}

FileInfo ReadFileInfo(const QString& path, bool optimizedID3v1) {
    if (!QFileInfo::exists(path)) return {};
    Mp3File file(path);
    file.open(FileAccess::Read);
    return FileInfoOf(file, optimizedID3v1);
}

FileInfo FileInfoOf(Mp3File& file, bool optimizedID3v1) {
    FileInfo info;
    info.exists = file.file().isOpen() || QFileInfo::exists(file.path());
    if (!info.exists) return info;
    RawFile raw;
    if (!file.file().isOpen() || !ReadRaw(file, raw)) {
        info.readError = true;
        info.error = file.error();
        return info;
    }
    info.identity = file.file().identity();
    info.damagedTag = file.layout().damaged();
    info.fileLength = raw.length;
    info.headerOffset = raw.search.offset;
    info.header = DecodeMpegHeader(raw.search.bytes);
    info.frameLength = FrameLength(info.header);
    // A tag that claims more bytes than the file holds must not give a negative length.
    const qint64 audio = raw.length - raw.tagTotal - (raw.id3v1.isEmpty() ? 0 : kID3v1Size);
    // A VBR file says how many frames it has; the first frame's bitrate says little.
    const auto frames = VbrFrameCount(raw.firstFrame, info.header);
    info.seconds = frames ? VbrSeconds(*frames, info.header)
                          : PlayingSeconds(qMax<qint64>(audio, 0), info.frameLength, info.header);
    if (!raw.search.found) info.seconds = -1;
    FillLabels(info, raw);
    FillID3v1(info, raw.id3v1, optimizedID3v1);
    info.ID3v2Mark = raw.id3v2Head.isEmpty() ? QStringLiteral("0") : QStringLiteral("1");
    if (raw.id3v2Head.isEmpty()) return info;
    if (const auto tag = file.v2()) FillID3v2(info, *tag);
    return info;
}
