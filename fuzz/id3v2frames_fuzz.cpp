// The frame reader on the input: as ID3v2.3 frame data, and as a tag body of each version with
// the header flags taken from the first byte; then the renderer and the writer's frame builder.
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "zarn/tags/id3v2.h"
#include "zarn/tags/id3v2fields.h"
#include "zarn/tags/id3v2framelist.h"
#include "zarn/tags/id3v2frames.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

// Frames lie inside the data, in order, without overlapping.
void CheckPlaces(const ID3v2Frames& frames, qsizetype size) {
    qsizetype end = 0;
    for (const ID3v2Frame& frame : frames) {
        Check(frame.offset >= end && frame.offset + frame.stored <= size);
        end = frame.offset + frame.stored;
    }
}

void Exercise(const ID3v2Frames& frames) {
    for (const ID3v2Frame& frame : frames) {
        Check(frame.id.size() == 4 && frame.flags.size() == 2);
        FrameValue(frame);
        FrameDescription(frame);
        FieldValue(frame);
        FrameContent(frame);
        PictureData(frame);
    }
    // Rendered frames read back as the same frames.
    const QByteArray rendered = RenderID3v2Frames(frames);
    const ID3v2Frames again = ParseID3v2Frames(rendered);
    Check(again.size() == frames.size());
    for (qsizetype i = 0; i < frames.size(); ++i) Check(again[i] == frames[i]);
    // What a save builds from them parses to whole frames.
    ID3v2Record record;
    record.Hidden = rendered;
    record.Title = FrameText(rendered, "TIT2");
    record.Genre = TconText(FrameText(rendered, "TCON"));
    const QByteArray built = BuildFrames(record, frames);
    Check(RenderID3v2Frames(ParseID3v2Frames(built)) == built);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ID3v2Frames plain = ParseID3v2Frames(bytes);
    CheckPlaces(plain, bytes.size());
    Exercise(plain);
    if (bytes.isEmpty()) return 0;
    const int flags = static_cast<unsigned char>(bytes[0]);
    for (const int major : {2, 3, 4}) Exercise(ReadTagFrames(bytes.mid(1), major, flags));
    return 0;
}
