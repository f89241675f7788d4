// A command port: a local socket that takes command lines from other
// programs of the same user and answers each with one line, "RC RESULT"
// (the return code in decimal, a blank, the result text). A thread of the
// port's own serves the socket; the program's task takes the commands from
// it in its input loop, runs them one at a time in the order they came, and
// hands back the replies. Each client's next line waits for its reply, so a
// client's commands run in its order.
#pragma once
#include "../exec/types.h"

#include <cstdint>
#include <memory>
#include <string>

struct PortRequest {
    uint64_t Client;
    std::string Line;
};

class CommandPort {
public:
    // Opens the port under the first free name BASE.1, BASE.2, ... (BASE in
    // capitals); see IsOpen.
    explicit CommandPort(const std::string &base);
    ~CommandPort();
    CommandPort(const CommandPort &) = delete;
    CommandPort &operator=(const CommandPort &) = delete;

    bool IsOpen() const;
    const std::string &Name() const;
    // Why the port is not open: a sentence for the person, empty when it is.
    const std::string &Problem() const;
    // The next command waiting, if any; SIGF_INPUT is raised when one comes.
    bool Take(PortRequest &request);
    void Reply(uint64_t client, LONG rc, const std::string &result);

    class Server;

private:
    std::unique_ptr<Server> server_;
};

// The client's side: a socket connected to the port of that name, -1 when
// no program listens there.
int ConnectToPort(const std::string &name);
enum class PortSend {
    Answered,
    NoPort,     // no program listens at that name
    Off,        // the ports' folder cannot be used, so none can listen
    NoAnswer,   // it hung up without a whole reply
    Late,       // no reply within the time given
};
// Sends one command line to the port of that name and reads its reply,
// waiting timeoutMs at most (-1: as long as it takes); anything but
// Answered comes with the reason in error.
PortSend AskPort(const std::string &name, const std::string &line, int timeoutMs, LONG &rc, std::string &result,
                 std::string &error);
// The same without a limit, for callers that only tell answered from not.
bool SendPortCommand(const std::string &name, const std::string &line, LONG &rc, std::string &result,
                     std::string &error);
