#include "zarn/windowprogram.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The folder of the running executable, ending in "/", as the kernel knows it: argv[0] is
// whatever the caller chose. Empty when it cannot be read (errno says why).
std::string ExecutableFolder() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) return {};
    if (static_cast<size_t>(length) == path.size()) {
        errno = ENAMETOOLONG;
        return {};
    }
    path.resize(static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

int StartWindowProgram(char* argv[]) {
    const std::string folder = ExecutableFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "zarn: cannot find the program's folder (/proc/self/exe): %s\n",
                     std::strerror(errno));
        return 1;
    }
    const std::string program = folder + kWindowProgram;
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "zarn: cannot start %s: %s\n", program.c_str(), std::strerror(errno));
    return 1;
}
