#pragma once
// Frames of ID3v2.2 and ID3v2.4 tags brought to ID3v2.3 form, so that a tag written back is one
// version throughout.
#include <optional>

#include "zarn/tags/id3v2framelist.h"

// A version 2 frame (three-character identifier, no flags) under its ID3v2.3 identifier; a
// picture gets the ID3v2.3 picture layout. None for a frame that ID3v2.3 has no place for.
std::optional<ID3v2Frame> FrameFromV22(const ID3v2Frame& frame);

// A version 4 frame with ID3v2.3 flag bits and extras: the data-length indicator becomes the
// decompressed size of a compressed frame (and is dropped otherwise), unsynchronisation is
// undone (`tagUnsynchronised`: the tag header said every frame is), UTF-8 texts of the frames
// whose layout is known become UTF-16, which ID3v2.3 defines, and the frames embedded in
// "CHAP" and "CTOC" are converted too (one level deep: `embedded` frames hold no chapters).
ID3v2Frame FrameFromV24(const ID3v2Frame& frame, bool tagUnsynchronised, bool embedded = false);

// Version 4 frame data (a tag body, or the frames embedded in a chapter) walked and converted.
ID3v2Frames ReadV24Frames(const QByteArray& data, bool tagUnsynchronised, bool embedded = false);
