// The ID3v1 reader on a file made from the input, and both ways of unpacking its texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzfile.h"
#include "zarn/tags/genres.h"
#include "zarn/tags/id3v1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ID3v1Record tag = ReadID3v1(WriteFuzzFile(data, size));
    // The fields keep their widths whatever the file holds.
    if (tag.Tag.size() != 3 || tag.Title.size() != 30 || tag.Artist.size() != 30 ||
        tag.Album.size() != 30 || tag.Year.size() != 4 || tag.Comment.size() != 30 ||
        tag.Track.size() != 1 || tag.Genre.size() != 1)
        std::abort();
    UnpackID3v1Texts(tag, false);
    UnpackID3v1Texts(tag, true);
    GenreNameOfNumber(uchar(tag.Genre[0]));
    ID3v1Block(tag);
    return 0;
}
