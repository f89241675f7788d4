// The language server's framing: each message is a header block
// ("Content-Length: N", other fields ignored, a blank line) and N bytes of
// JSON. Bytes come in pieces of any size; a message may be cut anywhere and
// one read may hold several.
#pragma once
#include <cstddef>
#include <string>

class MessageReader {
public:
    static constexpr size_t kMaxBody = size_t(64) << 20;   // longer bodies are refused and skipped
    static constexpr size_t kMaxHeader = 8192;

    enum class Next { Message, NeedMore, BadFrame };

    void Feed(const char *bytes, size_t length);
    // The next message's body; NeedMore until one is whole. BadFrame (with
    // the reason) for a header block without a usable length, after which
    // the reader skips to the next "Content-Length" and goes on.
    Next Take(std::string &body, std::string &fault);

private:
    Next Header(std::string &fault);
    void Resynchronise();

    std::string buffer_;
    size_t start_ = 0;   // where unread bytes begin in buffer_
    size_t body_ = 0;    // the length of the body being read, once its header is read
    bool inBody_ = false;
    size_t skip_ = 0;     // bytes of a refused body still to pass over
    bool lost_ = false;   // after a bad frame: passing over bytes up to the next header
};

// A body framed for sending.
std::string Framed(const std::string &body);
