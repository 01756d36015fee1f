#pragma once
// Runs a piece of a test in a forked child, so that a fault can be injected without touching the
// test process: a file-size limit makes writes fail at a chosen byte (RLIMIT_FSIZE, with SIGXFSZ
// ignored so that the write reports EFBIG), and a time limit turns a hang into a failure.
#include <QByteArray>
#include <functional>

namespace child {

struct Result {
    bool finished = false;  // false: the child hung or crashed
    QByteArray output;      // what the body returned
};

constexpr qint64 kNoLimit = -1;

// The body's result travels back through a pipe; the child ends with _exit, so it never runs
// the test's clean-up (which would remove the files under test).
Result Run(const std::function<QByteArray()>& body, qint64 fileSizeLimit = kNoLimit,
           int seconds = 10);

}  // namespace child
