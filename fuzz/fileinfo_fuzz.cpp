// Everything the main window reads for one file, on a file made from the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzfile.h"
#include "zarn/tags/fileinfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool optimized = size > 0 && (data[size - 1] & 1);
    const FileInfo info = ReadFileInfo(WriteFuzzFile(data, size), optimized);
    if (!info.exists || info.readError || info.fileLength != qint64(size)) std::abort();
    if (info.seconds < -1 || info.frameLength < 0) std::abort();
    return 0;
}
