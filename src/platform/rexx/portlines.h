// The command lines of one client, cut from what it sends in pieces of any
// size. A line is at most kMaxLine bytes, not counting its newline (nor a
// carriage return before it); a longer one is not kept while it comes in,
// and is reported in its place once its newline has come, so a client that
// sent one too many bytes learns so and goes on with its next line.
#pragma once
#include <cstddef>
#include <deque>
#include <string>

class PortLines {
public:
    static constexpr size_t kMaxLine = 64 * 1024;
    enum class Kind { None, Line, TooLong };

    void Add(const char *data, size_t size);
    // The next whole line in the order sent: Line with its text, TooLong
    // for one that was dropped, None while no line is whole.
    Kind Next(std::string &line);

private:
    struct Whole {
        Kind kind;
        std::string text;
    };
    void EndLine();

    std::deque<Whole> whole_;
    std::string part_;       // the line coming in, while it fits
    bool tooLong_ = false;   // the line coming in is past the limit: dropped
};
