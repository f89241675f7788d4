#include "stdio_loop.h"

#include "framing.h"

#include <cerrno>
#include <unistd.h>

namespace {
bool WriteAll(int fd, const std::string &bytes)
{
    for (size_t done = 0; done < bytes.size();) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}
}

std::string AnswerWholeMessages(MessageReader &reader, LanguageServer &server)
{
    std::vector<Message> batch;
    std::string body, fault, answers;
    for (MessageReader::Next next; (next = reader.Take(body, fault)) != MessageReader::Next::NeedMore;) {
        if (next == MessageReader::Next::BadFrame)
            answers += server.BadFrame(fault);
        else
            batch.push_back(ReadMessage(body));
    }
    return answers + server.Receive(batch);
}

int RunLanguageServer(LanguageServer &server, int in, int out)
{
    MessageReader reader;
    std::string block(1 << 16, '\0');
    while (!server.Exited()) {
        ssize_t n = read(in, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        reader.Feed(block.data(), size_t(n));
        if (!WriteAll(out, AnswerWholeMessages(reader, server)))
            break;
        server.AfterAnswer();
    }
    return server.ExitCode();
}
