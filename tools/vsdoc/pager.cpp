#include "pager.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
size_t ScreenLines()
{
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0)
        return size.ws_row;
    const char *lines = std::getenv("LINES");
    long n = lines ? std::strtol(lines, nullptr, 10) : 0;
    return n > 0 ? size_t(n) : 24;
}

bool OnPath(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = std::min(dirs.find(':', start), dirs.size());
        std::string dir = dirs.substr(start, end - start);
        if (access(((dir.empty() ? "." : dir) + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::unique_ptr<Pager> output;
}


Pager::Pager(bool page) : holding_(page)
{
    if (page)
        screenLines_ = ScreenLines();
}

Pager::~Pager() { Finish(); }

void Pager::WriteHeldOrLarge(std::string_view text)
{
    if (holding_) {
        held_.append(text);
        heldLines_ += size_t(std::count(text.begin(), text.end(), '\n'));
        if (heldLines_ < screenLines_)
            return;
        holding_ = false;   // longer than the screen: from now on the pager reads it
        StartPager();
        Send(held_.data(), held_.size());
        held_.clear();
        return;
    }
    Flush();
    if (text.size() >= kBlock)
        Send(text.data(), text.size());
    else
        Write(text);
}

void Pager::Flush()
{
    if (holding_) {   // it fits the screen: no pager
        Send(held_.data(), held_.size());
        held_.clear();
        holding_ = false;
    }
    Send(block_, used_);
    used_ = 0;
}

void Pager::Send(const char *data, size_t length)
{
    while (length && !broken_) {
        ssize_t n = ::write(fd_, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            broken_ = true;
            break;
        }
        data += n;
        length -= size_t(n);
    }
}

// The pager runs through the shell, as $PAGER may hold options; when it
// cannot be started (no $PAGER and no less on this system) the output goes
// to the terminal as it is.
void Pager::StartPager()
{
    const char *env = std::getenv("PAGER");
    std::string command = env && *env ? env : "less -R";
    if (!(env && *env) && !OnPath("less"))
        return;
    int ends[2];
    if (pipe(ends) != 0)
        return;
    pid_t pid = fork();
    if (pid < 0) {
        close(ends[0]);
        close(ends[1]);
        return;
    }
    if (pid == 0) {
        dup2(ends[0], STDIN_FILENO);
        close(ends[0]);
        close(ends[1]);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(ends[0]);
    std::signal(SIGPIPE, SIG_IGN);   // a pager quit early ends the writing, not vsdoc
    fd_ = ends[1];
    pager_ = pid;
}

void Pager::Finish()
{
    Flush();
    if (pager_ < 0)
        return;
    close(fd_);
    fd_ = STDOUT_FILENO;
    int status;
    while (waitpid(pid_t(pager_), &status, 0) < 0 && errno == EINTR) {
    }
    pager_ = -1;
}

Pager &Out()
{
    if (!output)
        output = std::make_unique<Pager>(false);
    return *output;
}

void StartOutput(bool page) { output = std::make_unique<Pager>(page); }
