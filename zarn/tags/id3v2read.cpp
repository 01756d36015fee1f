#include <QFileInfo>
#include <QVarLengthArray>

#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2fields.h"
#include "zarn/tags/id3v2framelist.h"
#include "zarn/tags/id3v2frames.h"
#include "zarn/tags/mp3file.h"

namespace {

void FillRecord(ID3v2Record& tag, const ID3v2Frames& frames) {
    QVarLengthArray<bool, 32> shown(frames.size(), false);
    for (const ID3v2Field& field : ID3v2Fields()) {
        const FrameIndexes at = FieldFrames(frames, field.id);
        for (const qsizetype i : at) shown[i] = true;
        // One frame, the common case, is read where it stands.
        if (at.size() == 1) {
            tag.*field.value = FieldValue(frames[at.first()]);
        } else if (!at.isEmpty()) {
            ID3v2Frames fieldFrames;
            for (const qsizetype i : at) fieldFrames << frames[i];
            tag.*field.value = FieldValue(fieldFrames);
        }
    }
    // A version 4 tag keeps its year in the recording time.
    if (tag.Year.isEmpty()) {
        const qsizetype at = FieldSource(frames, "TDRC");
        if (at >= 0) tag.Year = YearOfTimestamp(FrameValue(frames[at]));
    }
    ID3v2Frames hidden;
    for (qsizetype i = 0; i < frames.size(); ++i)
        if (!shown[i]) hidden.append(frames[i]);
    tag.Hidden = RenderID3v2Frames(hidden);
}

}  // namespace

qint64 TagSizeOfHeader(const QByteArray& header) {
    qint64 size = 0;
    for (int i = 6; i < 10; ++i)
        size = size * 128 + (i < header.size() ? static_cast<unsigned char>(header[i]) : 0);
    return size;
}

ID3v2Record ReadID3v2(const QString& path, Prompter* prompter) {
    if (!QFileInfo::exists(path)) return {};
    Mp3File file(path);
    // Only the announced tag body is read, never more than the file holds.
    std::optional<ID3v2Record> tag;
    if (file.open(FileAccess::Read)) tag = file.v2();
    if (!tag) {
        ReportFileError(prompter, file.error());
        return {};
    }
    return *tag;
}

ID3v2Record ID3v2FromTag(const QByteArray& header, const QByteArray& body) {
    ID3v2Record tag;
    if (!header.startsWith("ID3")) return tag;
    tag.Tag = "ID3";
    const auto byte = [&](int i) { return i < header.size() ? uchar(header.at(i)) : 0; };
    tag.Version = QString::number(byte(3)) + u'.' + QString::number(byte(4));
    FillRecord(tag, ReadTagFrames(body, byte(3), byte(5)));
    return tag;
}
