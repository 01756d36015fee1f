// Loaded into a program under test with LD_PRELOAD: makes the system calls under the guarded
// file path fail or kill the program at a chosen moment, from outside the program's own code.
//
//   ZARN_FAULT=fdatasync:EIO     every fdatasync fails with EIO (names: see kCalls; errno names
//                                EIO, ENOSPC, EDQUOT, EACCES)
//   ZARN_CRASH=pwrite:3          the program is killed (SIGKILL) just before its 3rd pwrite
//   ZARN_DELAY=close:30          every close waits 30 ms first (a slow disk: long runs)
//   ZARN_FAULT_PATH=/music/      only calls on files whose path contains this count
//   ZARN_FAULT=recordwrite:ENOSPC  the writes of the undo records fail (a full disk under the
//                                state folder); with ZARN_FAULT_AFTER=1 the first one passes
//
// Calls on the journal itself (a path with "/zarn/journal-") and on the records undo keeps
// ("/zarn/history/") never count, so that a fault hits the files and the journal records what
// happens to them.
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdarg.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Plan {
    char call[32] = {};
    int error = 0;       // ZARN_FAULT: the errno to fail with
    long crashAt = 0;    // ZARN_CRASH: the count at which to die
    long delayMs = 0;    // ZARN_DELAY: the wait before each call
    long passFirst = 0;  // ZARN_FAULT_AFTER: so many calls pass before the fault
    long count = 0;
    const char* path = nullptr;
};

int ErrorNamed(const char* name) {
    if (std::strcmp(name, "ENOSPC") == 0) return ENOSPC;
    if (std::strcmp(name, "EDQUOT") == 0) return EDQUOT;
    if (std::strcmp(name, "EACCES") == 0) return EACCES;
    return EIO;
}

Plan ReadPlan() {
    Plan plan;
    plan.path = std::getenv("ZARN_FAULT_PATH");
    if (const char* after = std::getenv("ZARN_FAULT_AFTER")) plan.passFirst = std::atol(after);
    const char* fault = std::getenv("ZARN_FAULT");
    const char* crash = std::getenv("ZARN_CRASH");
    const char* delay = std::getenv("ZARN_DELAY");
    const char* wanted = fault ? fault : crash ? crash : delay;
    if (!wanted) return plan;
    const char* colon = std::strchr(wanted, ':');
    if (!colon || size_t(colon - wanted) >= sizeof plan.call) return plan;
    std::memcpy(plan.call, wanted, size_t(colon - wanted));
    if (fault)
        plan.error = ErrorNamed(colon + 1);
    else if (crash)
        plan.crashAt = std::atol(colon + 1);
    else
        plan.delayMs = std::atol(colon + 1);
    return plan;
}

Plan& ThePlanOf() {
    static Plan plan = ReadPlan();
    return plan;
}

bool PathCounts(const char* given) {
    const Plan& plan = ThePlanOf();
    if (!given) return false;
    // A relative name is taken from the working folder, as the system takes it.
    char path[PATH_MAX * 2] = {};
    if (given[0] != '/' && ::getcwd(path, PATH_MAX)) std::strcat(path, "/");
    std::strncat(path, given, PATH_MAX - 1);
    if (std::strstr(path, "/zarn/journal-") || std::strstr(path, "/zarn/.journal-") ||
        std::strstr(path, "/zarn/history/"))
        return false;
    return !plan.path || std::strstr(path, plan.path);
}

// The path an open descriptor stands for, into `path` (PATH_MAX bytes); false when unknown.
bool PathOf(int fd, char* path) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, path, PATH_MAX - 1);
    if (n <= 0) return false;
    path[n] = '\0';
    return true;
}

bool DescriptorCounts(int fd) {
    char path[PATH_MAX];
    return PathOf(fd, path) && PathCounts(path);
}

// True when the call is to fail (errno is set); kills the program at the chosen count. Whether
// the call's file counts is only looked up for the call the plan names.
template <typename Counts>
bool Hit(const char* call, Counts counts) {
    Plan& plan = ThePlanOf();
    if (std::strcmp(plan.call, call) != 0 || !counts()) return false;
    if (plan.crashAt > 0 && ++plan.count == plan.crashAt) ::kill(::getpid(), SIGKILL);
    if (plan.delayMs > 0) ::usleep(useconds_t(plan.delayMs * 1000));
    if (plan.error == 0) return false;
    if (plan.passFirst > 0) {
        --plan.passFirst;
        return false;
    }
    errno = plan.error;
    return true;
}

// A file of the records undo keeps, which the other calls leave alone.
bool RecordDescriptor(int fd) {
    char path[PATH_MAX];
    return PathOf(fd, path) && std::strstr(path, "/zarn/history/") != nullptr;
}

template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* buf, size_t n) {
    static auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
    if (Hit("recordwrite", [fd] { return RecordDescriptor(fd); })) return -1;
    return real(fd, buf, n);
}

ssize_t pwrite(int fd, const void* buf, size_t n, off_t pos) {
    static auto real = Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (Hit("pwrite", [fd] { return DescriptorCounts(fd); })) return -1;
    return real(fd, buf, n, pos);
}

ssize_t pwrite64(int fd, const void* buf, size_t n, off_t pos) {
    static auto real = Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite64");
    if (Hit("pwrite", [fd] { return DescriptorCounts(fd); })) return -1;
    return real(fd, buf, n, pos);
}

int fdatasync(int fd) {
    static auto real = Next<int (*)(int)>("fdatasync");
    if (Hit("fdatasync", [fd] { return DescriptorCounts(fd); })) return -1;
    return real(fd);
}

int fsync(int fd) {
    static auto real = Next<int (*)(int)>("fsync");
    if (Hit("fsync", [fd] { return DescriptorCounts(fd); })) return -1;
    return real(fd);
}

int close(int fd) {
    static auto real = Next<int (*)(int)>("close");
    const bool counts = Hit("close", [fd] { return DescriptorCounts(fd); });
    const int result = real(fd);
    // The descriptor is gone either way, as after a real failure of close.
    if (counts) return -1;
    return result;
}

int ftruncate(int fd, off_t length) {
    static auto real = Next<int (*)(int, off_t)>("ftruncate");
    if (Hit("ftruncate", [fd] { return DescriptorCounts(fd); })) return -1;
    return real(fd, length);
}

int ftruncate64(int fd, off_t length) {
    static auto real = Next<int (*)(int, off_t)>("ftruncate64");
    if (Hit("ftruncate", [fd] { return DescriptorCounts(fd); })) return -1;
    return real(fd, length);
}

int rename(const char* from, const char* to) {
    static auto real = Next<int (*)(const char*, const char*)>("rename");
    if (Hit("rename", [to] { return PathCounts(to); })) return -1;
    return real(from, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    static auto real = Next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    if (Hit("rename", [to] { return PathCounts(to); })) return -1;
    return real(fromDir, from, toDir, to, flags);
}

int unlink(const char* path) {
    static auto real = Next<int (*)(const char*)>("unlink");
    if (Hit("unlink", [path] { return PathCounts(path); })) return -1;
    return real(path);
}

}  // extern "C"
