// The frame routines on the input as tag data, and the ID3v2 reader on a file made from it.
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzfile.h"
#include "zarn/tags/id3v2.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kIds[] = {"TRCK", "TALB", "TPE1", "TIT2", "TYER", "COMM", "TCON",
                                       "TCOM", "TCOP", "TENC", "TOPE", "WXXX", "APIC"};
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* id : kIds) {
        FrameText(bytes, id);
        // Removing a frame never adds bytes.
        if (RemoveFrame(bytes, id).size() > bytes.size()) std::abort();
    }
    ReadID3v2(WriteFuzzFile(data, size));
    return 0;
}
