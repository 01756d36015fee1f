// The least work the batch commands can do, as a yardstick for zarn --list and --set, in plain
// POSIX calls per file:
//   batch_floor list FILE...  open, read the ID3v2 header and the tag it announces, read the
//                             last 128 bytes, close; one line per file on the output
//   batch_floor set FILE...   the same reads on a file open for writing, then the same tag
//                             bytes and the same 128 bytes written back in place
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool Touch(const char* path, bool write) {
    const int fd = ::open(path, write ? O_RDWR : O_RDONLY);
    if (fd < 0) return false;
    unsigned char header[10];
    bool ok = ::pread(fd, header, sizeof header, 0) == sizeof header;
    std::vector<char> tag;
    if (ok && std::memcmp(header, "ID3", 3) == 0) {
        // The tag size is syncsafe: 7 bits in each of the 4 bytes.
        const size_t size = (size_t(header[6] & 0x7f) << 21) | (size_t(header[7] & 0x7f) << 14) |
                            (size_t(header[8] & 0x7f) << 7) | size_t(header[9] & 0x7f);
        tag.resize(size);
        ok = ::pread(fd, tag.data(), size, 10) == ssize_t(size);
    }
    char v1[128];
    const off_t end = ::lseek(fd, 0, SEEK_END);
    ok = ok && ::pread(fd, v1, sizeof v1, end - 128) == sizeof v1;
    if (ok && write) {
        ok = ::pwrite(fd, header, sizeof header, 0) == sizeof header &&
             ::pwrite(fd, tag.data(), tag.size(), 10) == ssize_t(tag.size()) &&
             ::pwrite(fd, v1, sizeof v1, end - 128) == sizeof v1;
    }
    ::close(fd);
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3 || (std::strcmp(argv[1], "list") != 0 && std::strcmp(argv[1], "set") != 0)) {
        std::fprintf(stderr, "usage: batch_floor list|set FILE...\n");
        return 2;
    }
    const bool write = std::strcmp(argv[1], "set") == 0;
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
        if (!Touch(argv[i], write))
            ++failed;
        else if (!write)
            std::printf("%s\n", argv[i]);
    }
    return failed == 0 ? 0 : 1;
}
