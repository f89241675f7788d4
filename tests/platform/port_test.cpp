// The command port's socket as clients meet it: names, order, and what a
// careless or hostile client sends.
#include "platform/exec/signals.h"
#include "platform/rexx/port.h"
#include "platform/rexx/portpath.h"
#include "support/support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {
// A port in a runtime folder of the test's own, answered by a thread that
// echoes each line as "0 echo:LINE".
class Port : public ::testing::Test {
protected:
    Sandbox box;
    std::string runtime = box.Path("run");
    std::unique_ptr<CommandPort> port;
    std::atomic<bool> stop{false};
    std::thread echo;

    void SetUp() override
    {
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        port = std::make_unique<CommandPort>("Test");
        echo = std::thread([this] {
            while (!stop) {
                PortRequest r;
                if (port->Take(r))
                    port->Reply(r.Client, 0, "echo:" + r.Line);
                else
                    usleep(200);
            }
        });
    }
    void TearDown() override
    {
        stop = true;
        echo.join();
        port.reset();
        unsetenv("XDG_RUNTIME_DIR");
    }
    int Connect()
    {
        int fd = ConnectToPort("TEST.1");
        EXPECT_GE(fd, 0);
        return fd;
    }
    // Everything the port sends until it closes or n lines came.
    std::string ReadLines(int fd, size_t n)
    {
        std::string got;
        char buf[4096];
        for (ssize_t k; size_t(std::count(got.begin(), got.end(), '\n')) < n && (k = recv(fd, buf, sizeof buf, 0)) > 0;)
            got.append(buf, size_t(k));
        return got;
    }
};
}

TEST_F(Port, NamesAreNumberedAndAStaleSocketIsTakenOver)
{
    ASSERT_TRUE(port->IsOpen());
    EXPECT_EQ(port->Name(), "TEST.1");
    struct stat st;
    ASSERT_EQ(stat((runtime + "/TEST.1").c_str(), &st), 0);
    CommandPort second("test");
    EXPECT_EQ(second.Name(), "TEST.2") << "a second running copy takes the next number";
    LONG rc = -1;
    std::string result, error;
    ASSERT_TRUE(SendPortCommand("TEST.1", "hello world", rc, result, error)) << error;
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(result, "echo:hello world");
    EXPECT_FALSE(SendPortCommand("TEST.3", "x", rc, result, error));
    EXPECT_NE(error.find("TEST.3"), std::string::npos);
    // a socket file left behind by a copy that ended is no running copy
    int stale = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    std::string path = runtime + "/STALE.1";
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    close(stale);
    EXPECT_EQ(CommandPort("stale").Name(), "STALE.1");
    // a runtime folder others may enter is not used: a private one in the temporary folder is
    chmod(runtime.c_str(), 0755);
    setenv("TMPDIR", box.Dir().c_str(), 1);
    std::string fallback = box.Path("vellumscanner-" + std::to_string(getuid()));
    EXPECT_EQ(PortSocketPath("TEST.1", true), fallback + "/TEST.1");
    ASSERT_EQ(stat(fallback.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    chmod(fallback.c_str(), 0750);
    EXPECT_EQ(PortSocketPath("TEST.1"), "") << "nor a private one opened to others";
    unsetenv("TMPDIR");
    chmod(runtime.c_str(), 0700);
}

TEST_F(Port, LinesOfOneClientAreAnsweredInOrderAndBadOnesGetAnAnswerOfTheirOwn)
{
    int fd = Connect();
    std::string burst = "one\r\ntwo\nthr";
    send(fd, burst.data(), burst.size(), 0);
    send(fd, "ee\n", 3, 0);
    send(fd, "nul\0byte\n", 9, 0);
    EXPECT_EQ(ReadLines(fd, 4), "0 echo:one\n0 echo:two\n0 echo:three\n10 A command line holds no NUL byte\n");
    close(fd);
    // half a line and gone: nothing runs, the port goes on
    int half = Connect();
    send(half, "QUI", 3, 0);
    close(half);
    LONG rc;
    std::string result, error;
    ASSERT_TRUE(SendPortCommand("TEST.1", "after", rc, result, error));
    EXPECT_EQ(result, "echo:after");
}

TEST_F(Port, ALineOver64KBIsAnsweredAndDroppedHoweverItComesAndTheClientGoesOn)
{
    int fd = Connect();
    auto sendAll = [fd](const std::string &bytes, size_t piece) {
        for (size_t at = 0; at < bytes.size(); at += piece)
            ASSERT_EQ(send(fd, bytes.data() + at, std::min(piece, bytes.size() - at), MSG_NOSIGNAL),
                      ssize_t(std::min(piece, bytes.size() - at)));
    };
    std::string longest(64 * 1024, 'x'), over = longest + "y";
    sendAll(longest + "\r\n", 1 << 20);
    EXPECT_EQ(ReadLines(fd, 1), "0 echo:" + longest + "\n") << "64 KB is the longest line taken";
    for (size_t piece : {size_t(1) << 20, size_t(1000), size_t(7)}) {
        sendAll(over + "\nnext\n", piece);
        EXPECT_EQ(ReadLines(fd, 2), "10 Line too long\n0 echo:next\n") << "in pieces of " << piece;
    }
    sendAll(std::string(70 * 1024, 'z') + "\n" + std::string(81920, 'w') + "\nlast\n", 1 << 20);
    EXPECT_EQ(ReadLines(fd, 3), "10 Line too long\n10 Line too long\n0 echo:last\n");
    close(fd);
}

TEST_F(Port, AFolderThatCannotBeUsedKeepsThePortOffAndClientsAreToldWhy)
{
    chmod(runtime.c_str(), 0755);
    setenv("TMPDIR", box.Dir().c_str(), 1);
    std::string folder = box.Path("vellumscanner-" + std::to_string(getuid()));
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0) << "made by someone else first, open to all";
    CommandPort off("Other");
    EXPECT_FALSE(off.IsOpen());
    std::string why = "the folder " + folder + " is open to other users (mode 755)";
    EXPECT_EQ(off.Problem(), why);
    LONG rc;
    std::string result, error;
    EXPECT_EQ(AskPort("OTHER.1", "INFO TITLE", 1000, rc, result, error), PortSend::Off);
    EXPECT_EQ(error, "the command port is off: " + why);
    unsetenv("TMPDIR");
    chmod(runtime.c_str(), 0700);
}

TEST_F(Port, AClientWaitsNoLongerThanItsTimeForAnAnswer)
{
    stop = true;   // nobody takes the commands from now on
    echo.join();
    echo = std::thread([] {});
    LONG rc;
    std::string result, error;
    EXPECT_EQ(AskPort("TEST.1", "INFO TITLE", 200, rc, result, error), PortSend::Late);
    EXPECT_NE(error.find("TEST.1"), std::string::npos);
    EXPECT_EQ(AskPort("TEST.9", "INFO TITLE", 200, rc, result, error), PortSend::NoPort);
}

TEST_F(Port, AThousandClientsAtOnceAreAllAnswered)
{
    std::vector<int> fds;
    for (int i = 0; i < 1000; ++i) {
        fds.push_back(Connect());
        std::string line = "c" + std::to_string(i) + "\n";
        send(fds.back(), line.data(), line.size(), 0);
    }
    int answered = 0;
    for (int i = 0; i < 1000; ++i) {
        answered += ReadLines(fds[size_t(i)], 1) == "0 echo:c" + std::to_string(i) + "\n";
        close(fds[size_t(i)]);
    }
    EXPECT_EQ(answered, 1000);
}
