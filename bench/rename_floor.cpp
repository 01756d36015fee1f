// The least work a command-line rename by tags can do, as a yardstick for zarn "+rename=": per
// file open, read the ID3v2 header and the tag it announces, read the last 128 bytes, close,
// rename. No parsing, no clean-up rules, plain POSIX calls.
//
//   rename_floor SUFFIX FILE...   renames every FILE to FILE with SUFFIX appended
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool ReadTags(const char* path) {
    const int fd = ::open(path, O_RDONLY);
    if (fd < 0) return false;
    unsigned char header[10];
    bool ok = ::read(fd, header, sizeof header) == sizeof header;
    if (ok && header[0] == 'I' && header[1] == 'D' && header[2] == '3') {
        // The tag size is syncsafe: 7 bits in each of the 4 bytes.
        const size_t size = (size_t(header[6] & 0x7f) << 21) | (size_t(header[7] & 0x7f) << 14) |
                            (size_t(header[8] & 0x7f) << 7) | size_t(header[9] & 0x7f);
        std::vector<char> tag(size);
        ok = ::read(fd, tag.data(), size) == ssize_t(size);
    }
    char v1[128];
    ok = ok && ::pread(fd, v1, sizeof v1, ::lseek(fd, 0, SEEK_END) - 128) == sizeof v1;
    ::close(fd);
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: rename_floor SUFFIX FILE...\n");
        return 2;
    }
    const std::string suffix = argv[1];
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
        if (!ReadTags(argv[i]) || ::rename(argv[i], (std::string(argv[i]) + suffix).c_str()) != 0)
            ++failed;
    }
    return failed == 0 ? 0 : 1;
}
