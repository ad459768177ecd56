#pragma once
// Permission errors for tests that run as root, which the file system never refuses: the check
// runs in a child process that gives up root and becomes "nobody" first. POSIX only.
#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillora::test {

// Runs `check` in a child process without root's privileges. Returns the child's exit status:
// 0 when `check` returned false, 1 when true, 2 when privileges stayed; -1 when the child did
// not exit normally.
inline int ExitStatusOfUnprivilegedChild(const std::function<bool()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(2);
        ::_exit(check() ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace quillora::test
