// Where vsdoc's output goes. To a pipe or a file it is written as it comes,
// in large blocks. To a terminal it is held until it is longer than the
// screen and then handed to the pager ($PAGER, else "less -R"), which shows
// the rest as it comes too; output that fits the screen is written as it is.
#pragma once
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

class Pager {
public:
    // page: standard output is a terminal and the command's output may be long
    explicit Pager(bool page);
    ~Pager();
    Pager(const Pager &) = delete;
    Pager &operator=(const Pager &) = delete;

    void Write(std::string_view text)
    {
        if (!holding_ && used_ + text.size() <= kBlock) {   // the usual case: into the block
            std::memcpy(block_ + used_, text.data(), text.size());
            used_ += text.size();
            return;
        }
        WriteHeldOrLarge(text);
    }
    // Writes what is held, ends the pager's input and waits for the pager.
    void Finish();

private:
    static constexpr size_t kBlock = 1 << 17;

    void WriteHeldOrLarge(std::string_view text);
    void Flush();
    void StartPager();
    void Send(const char *data, size_t length);

    bool holding_;
    size_t screenLines_ = 0, heldLines_ = 0;
    char block_[kBlock];
    size_t used_ = 0;
    std::string held_;      // on a terminal, what has not yet filled the screen
    int fd_ = 1;            // where the output goes: standard output or the pager's pipe
    long pager_ = -1;       // the pager's process
    bool broken_ = false;   // the reader went away (the pager was quit): nothing more is written
};

// The output of this run of vsdoc.
Pager &Out();
void StartOutput(bool page);
