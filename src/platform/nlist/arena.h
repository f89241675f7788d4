// Storage for the lines a list copies: large blocks filled one after another
// and taken back together when the list is cleared, so a million lines cost no
// million allocations. Cleared blocks of the standard size are kept for the
// next filling (a viewer refills its lists all the time), up to a limit.
// Blocks are huge pages where the system has them: a large document's lines
// would otherwise fault in thousands of small pages.
#pragma once
#include "platform/exec/hugemem.h"

#include <cstddef>
#include <vector>

class TextArena {
public:
    char *Copy(const char *text);
    // A copy of length bytes, NUL-terminated.
    char *Copy(const char *text, size_t length);
    // Room for size bytes, to be filled by the caller.
    char *Allocate(size_t size);
    // Text being read into the arena: the unfinished part (length bytes at
    // start, which lies at the free end, or null) followed by room for more
    // bytes. Moves the unfinished part to a new block when the room is short.
    char *Extend(char *start, size_t length, size_t more);
    // Everything before end (inside the free end) is taken.
    void Commit(char *end);
    void Clear();
    size_t BytesHeld() const;

private:
    static constexpr size_t kBlock = 4 << 20, kAhead = 1024;
    char *NewBlock(size_t size);

    static constexpr size_t kKeptBlocks = 32;   // 128 MB at the most
    std::vector<HugeBlock> blocks_;
    std::vector<HugeBlock> spare_;   // cleared blocks of kBlock bytes
    char *cursor_ = nullptr;
    size_t left_ = 0;
};
