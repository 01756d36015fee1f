#include "tests/support/childrun.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace child {

Result Run(const std::function<QByteArray()>& body, qint64 fileSizeLimit, int seconds) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid < 0) return {};
    if (pid == 0) {
        ::close(pipeFds[0]);
        ::alarm(unsigned(seconds));  // the default action ends the child
        if (fileSizeLimit != kNoLimit) {
            ::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit {};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = rlim_t(fileSizeLimit);
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        }
        const QByteArray output = body();
        qsizetype done = 0;
        while (done < output.size()) {
            const ssize_t n =
                ::write(pipeFds[1], output.constData() + done, size_t(output.size() - done));
            if (n <= 0) ::_exit(4);
            done += n;
        }
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    Result result;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

}  // namespace child
