#include "render/KxRunProgram.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace OrvaneImage {

namespace {

// The child, between fork and exec: only async-signal-safe calls. When it
// cannot start the program it sends errno through the pipe and exits 127.
[[noreturn]] void Start_Child(char* const argv[], const char* folder, int report_fd)
{
    if (chdir(folder) == 0) execv(argv[0], argv);
    const int err = errno;
    ssize_t ignored = write(report_fd, &err, sizeof err);
    (void)ignored;
    _exit(127);
}

// The errno the child sent before exiting, or 0 when the program started
// (the pipe closed on exec without a word).
int Start_Error(int report_fd)
{
    int err = 0;
    ssize_t n;
    while ((n = read(report_fd, &err, sizeof err)) < 0 && errno == EINTR) {}
    return n == static_cast<ssize_t>(sizeof err) ? err : 0;
}

// Waits for the child, through interruptions; false with errno set when it cannot.
bool Wait_For(pid_t pid, int& status)
{
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return false;
    return true;
}

bool Exit_Ok(int status, const std::string& role, std::string& error)
{
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    if (WIFSIGNALED(status))
        error = role + " killed by signal " + std::to_string(WTERMSIG(status));
    else
        error = role + " failed (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
    return false;
}

} // namespace

bool Run_Program(const std::vector<std::string>& argv, const std::string& folder, const std::string& role, std::string& error)
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        error = "cannot run " + role + ": " + std::strerror(errno);
        return false;
    }
    const pid_t pid = fork();
    if (pid == 0) Start_Child(args.data(), folder.c_str(), report[1]);
    int start_err = pid < 0 ? errno : 0;
    close(report[1]);
    if (pid > 0) start_err = Start_Error(report[0]);
    close(report[0]);
    int status = 0;
    const bool waited = pid > 0 && Wait_For(pid, status);
    if (start_err != 0) {
        error = "cannot run " + role + " '" + argv[0] + "' in '" + folder + "': " + std::strerror(start_err);
        return false;
    }
    if (!waited) {
        error = "cannot wait for " + role + ": " + std::strerror(errno);
        return false;
    }
    return Exit_Ok(status, role, error);
}

} // namespace OrvaneImage
