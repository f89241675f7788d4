#include "port.h"

#include "../exec/signals.h"
#include "portlines.h"
#include "portpath.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
constexpr size_t kMaxClients = 4096;

sockaddr_un Address(const std::string &path)
{
    sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return addr;
}

// A connected socket, -1 when nothing listens at path.
int ConnectTo(const std::string &path)
{
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr = Address(path);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
        close(fd);
        fd = -1;
    }
    return fd;
}

bool Connects(const std::string &path)
{
    int fd = ConnectTo(path);
    if (fd >= 0)
        close(fd);
    return fd >= 0;
}

// A listening socket at path; one left by a copy that ended is taken over,
// one that answers belongs to a running copy (-1, error EADDRINUSE).
int Listen(const std::string &path, int &error)
{
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    error = errno;
    if (fd < 0)
        return -1;
    sockaddr_un addr = Address(path);
    bool bound = bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    error = errno;
    if (!bound && error == EADDRINUSE && !Connects(path)) {
        unlink(path.c_str());
        bound = bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
        error = errno;
    }
    if (bound && listen(fd, 128) == 0)
        return fd;
    error = bound ? errno : error;
    close(fd);
    return -1;
}

// A thousand clients at once want as many descriptors.
void RaiseDescriptorLimit()
{
    rlimit lim;
    if (getrlimit(RLIMIT_NOFILE, &lim) == 0 && lim.rlim_cur < lim.rlim_max) {
        lim.rlim_cur = lim.rlim_max;
        setrlimit(RLIMIT_NOFILE, &lim);
    }
}

bool SameUser(int fd)
{
    ucred cred = {};
    socklen_t len = sizeof cred;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 && cred.uid == geteuid();
}

std::string ReplyLine(LONG rc, const std::string &result)
{
    std::string line = std::to_string(long(rc)) + " " + result;
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line + "\n";
}
}

class CommandPort::Server {
public:
    explicit Server(const std::string &base)
    {
        std::string upper = base;
        for (char &c : upper)
            c = char(std::toupper(UBYTE(c)));
        if (!OpenSocket(upper) || pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
            if (listen_ >= 0)
                problem_ = std::string("no pipe for the port's thread: ") + std::strerror(errno);
            Close();
            return;
        }
        RaiseDescriptorLimit();
        spare_ = open("/dev/null", O_RDONLY | O_CLOEXEC);
        thread_ = std::thread([this] { Serve(); });
    }

    ~Server()
    {
        if (thread_.joinable()) {
            stop_ = true;
            Wake();
            thread_.join();
        }
        for (auto &c : clients_)
            close(c.second.fd);
        Close();
    }

    bool IsOpen() const { return listen_ >= 0; }
    const std::string &Name() const { return name_; }
    const std::string &Problem() const { return problem_; }

    bool Take(PortRequest &request)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (requests_.empty())
            return false;
        request = std::move(requests_.front());
        requests_.pop_front();
        return true;
    }

    void Reply(uint64_t client, LONG rc, const std::string &result)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            replies_.emplace_back(client, ReplyLine(rc, result));
        }
        Wake();
    }

private:
    struct Client {
        int fd = -1;
        PortLines in;
        std::string out;
        bool busy = false;      // its command waits for its reply
        bool closing = false;   // it sent its last line, or a fault: closed once its replies are out
    };

    // The first free name BASE.1, BASE.2, ...; false with the reason in
    // problem_ when the port cannot be had.
    bool OpenSocket(const std::string &upper)
    {
        for (int n = 1; n < 100; ++n) {
            name_ = upper + "." + std::to_string(n);
            path_ = PortSocketPath(name_, true, &problem_);
            if (path_.empty())
                return false;
            int error = 0;
            listen_ = Listen(path_, error);
            if (listen_ >= 0)
                return true;
            if (error != EADDRINUSE) {
                problem_ = "the socket " + path_ + " cannot be made: " + std::strerror(error);
                return false;
            }
        }
        problem_ = "the port names " + upper + ".1 to " + upper + ".99 are all taken";
        return false;
    }

    void Close()
    {
        if (listen_ >= 0) {
            close(listen_);
            unlink(path_.c_str());
            listen_ = -1;
        }
        for (int &fd : wake_)
            if (fd >= 0)
                close(std::exchange(fd, -1));
        if (spare_ >= 0)
            close(std::exchange(spare_, -1));
    }

    void Wake()
    {
        char c = 1;
        [[maybe_unused]] ssize_t n = write(wake_[1], &c, 1);
    }

    void Serve()
    {
        std::vector<pollfd> fds;
        std::vector<uint64_t> ids;
        while (!stop_) {
            fds.assign({{listen_, POLLIN, 0}, {wake_[0], POLLIN, 0}});
            ids.assign(2, 0);
            for (auto &[id, c] : clients_) {
                // one waiting for its reply is not polled: its hang-up would wake the loop for nothing
                short events = short((c.busy || c.closing ? 0 : POLLIN) | (c.out.empty() ? 0 : POLLOUT));
                if (events) {
                    fds.push_back({c.fd, events, 0});
                    ids.push_back(id);
                }
            }
            if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
                return;
            if (fds[1].revents)
                TakeReplies();
            for (size_t i = 2; i < fds.size(); ++i)
                if (fds[i].revents)
                    Handle(ids[i], fds[i].revents);
            if (fds[0].revents & POLLIN)
                Accept();
        }
    }

    void Accept()
    {
        for (;;) {
            int fd = accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0) {
                if ((errno == EMFILE || errno == ENFILE) && spare_ >= 0)
                    RefuseOne();
                return;
            }
            if (!SameUser(fd) || clients_.size() >= kMaxClients)
                close(fd);
            else
                clients_[++lastId_].fd = fd;
        }
    }

    // Out of descriptors: the spare one lets a waiting connection be taken
    // and closed, so it does not wake every poll from now on.
    void RefuseOne()
    {
        close(spare_);
        int fd = accept(listen_, nullptr, nullptr);
        if (fd >= 0)
            close(fd);
        spare_ = open("/dev/null", O_RDONLY | O_CLOEXEC);
    }

    void TakeReplies()
    {
        char buf[256];
        while (read(wake_[0], buf, sizeof buf) > 0) {
        }
        std::vector<std::pair<uint64_t, std::string>> replies;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            replies.swap(replies_);
        }
        for (auto &[id, text] : replies) {
            auto it = clients_.find(id);
            if (it == clients_.end())
                continue;   // it went away meanwhile
            it->second.out += text;
            it->second.busy = false;
            Dispatch(id, it->second);
            Handle(id, POLLOUT);
        }
    }

    void Handle(uint64_t id, short revents)
    {
        auto it = clients_.find(id);
        if (it == clients_.end())
            return;
        Client &c = it->second;
        bool ok = true;
        if (revents & POLLOUT)
            ok = Flush(c);
        if (ok && (revents & (POLLIN | POLLHUP | POLLERR)) && !c.busy && !c.closing)
            ok = Receive(id, c);
        if (!ok || (c.closing && !c.busy && c.out.empty())) {
            close(c.fd);
            clients_.erase(it);
        }
    }

    bool Flush(Client &c)
    {
        while (!c.out.empty()) {
            ssize_t n = send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0)
                return errno == EAGAIN || errno == EINTR;
            c.out.erase(0, size_t(n));
        }
        return true;
    }

    // What the client sent; its end without a newline ends the line unsent.
    bool Receive(uint64_t id, Client &c)
    {
        char buf[16384];
        ssize_t n = recv(c.fd, buf, sizeof buf, MSG_DONTWAIT);
        if (n < 0)
            return errno == EAGAIN || errno == EINTR;
        if (n == 0) {
            c.closing = true;
            return true;
        }
        c.in.Add(buf, size_t(n));
        Dispatch(id, c);
        return Flush(c);
    }

    // The next whole line goes to the program; faulty ones are answered here.
    void Dispatch(uint64_t id, Client &c)
    {
        std::string line;
        while (!c.busy && !c.closing) {
            PortLines::Kind kind = c.in.Next(line);
            if (kind == PortLines::Kind::None)
                return;
            if (kind == PortLines::Kind::TooLong) {
                c.out += ReplyLine(10, "Line too long");
                continue;
            }
            if (line.find('\0') != std::string::npos) {
                c.out += ReplyLine(10, "A command line holds no NUL byte");
                continue;
            }
            c.busy = true;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                requests_.push_back({id, std::move(line)});
            }
            Signal(SIGF_INPUT);
        }
    }

    std::string name_, path_, problem_;
    int listen_ = -1, wake_[2] = {-1, -1}, spare_ = -1;
    std::map<uint64_t, Client> clients_;
    uint64_t lastId_ = 0;
    std::mutex mutex_;
    std::deque<PortRequest> requests_;
    std::vector<std::pair<uint64_t, std::string>> replies_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

CommandPort::CommandPort(const std::string &base) : server_(std::make_unique<Server>(base)) {}
CommandPort::~CommandPort() = default;
bool CommandPort::IsOpen() const { return server_->IsOpen(); }
const std::string &CommandPort::Name() const { return server_->Name(); }
const std::string &CommandPort::Problem() const { return server_->Problem(); }
bool CommandPort::Take(PortRequest &request) { return server_->Take(request); }
void CommandPort::Reply(uint64_t client, LONG rc, const std::string &result) { server_->Reply(client, rc, result); }

int ConnectToPort(const std::string &name)
{
    std::string path = PortSocketPath(name);
    return path.empty() ? -1 : ConnectTo(path);
}

namespace {
using Clock = std::chrono::steady_clock;

// Waits until fd is ready for events; false when the time ran out first.
// Without a limit the calls themselves wait.
bool Ready(int fd, short events, int timeoutMs, Clock::time_point start)
{
    if (timeoutMs < 0)
        return true;
    auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    pollfd p = {fd, events, 0};
    return spent < timeoutMs && poll(&p, 1, int(timeoutMs - spent)) > 0;
}

// Sends the request and reads up to the reply's newline.
PortSend Exchange(int fd, const std::string &request, std::string &reply, int timeoutMs)
{
    auto start = Clock::now();
    int flags = MSG_NOSIGNAL | (timeoutMs < 0 ? 0 : MSG_DONTWAIT);
    for (size_t sent = 0; sent < request.size();) {
        if (!Ready(fd, POLLOUT, timeoutMs, start))
            return PortSend::Late;
        ssize_t n = send(fd, request.data() + sent, request.size() - sent, flags);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return PortSend::NoAnswer;
        sent += size_t(std::max<ssize_t>(n, 0));
    }
    char buf[4096];
    while (reply.find('\n') == std::string::npos) {
        if (!Ready(fd, POLLIN, timeoutMs, start))
            return PortSend::Late;
        ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n == 0 || (n < 0 && errno != EINTR))
            return PortSend::NoAnswer;
        reply.append(buf, size_t(std::max<ssize_t>(n, 0)));
    }
    return PortSend::Answered;
}

PortSend Unconnected(const std::string &name, std::string &error)
{
    std::string problem;
    if (PortSocketPath(name, false, &problem).empty()) {
        error = "the command port is off: " + problem;
        return PortSend::Off;
    }
    error = "no program answers at the port " + name;
    return PortSend::NoPort;
}
}

PortSend AskPort(const std::string &name, const std::string &line, int timeoutMs, LONG &rc, std::string &result,
                 std::string &error)
{
    int fd = ConnectToPort(name);
    if (fd < 0)
        return Unconnected(name, error);
    std::string reply;
    PortSend status = Exchange(fd, line + "\n", reply, timeoutMs);
    close(fd);
    size_t blank = reply.find(' '), nl = reply.find('\n');
    if (status == PortSend::Late) {
        error = "the port " + name + " did not answer in time";
        return status;
    }
    if (status != PortSend::Answered || blank == std::string::npos || blank > nl) {
        error = "the port " + name + " gave no answer";
        return PortSend::NoAnswer;
    }
    rc = LONG(std::strtol(reply.c_str(), nullptr, 10));
    result = reply.substr(blank + 1, nl - blank - 1);
    return PortSend::Answered;
}

bool SendPortCommand(const std::string &name, const std::string &line, LONG &rc, std::string &result,
                     std::string &error)
{
    return AskPort(name, line, -1, rc, result, error) == PortSend::Answered;
}
