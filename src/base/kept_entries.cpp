// Entries read from a base file, kept in large blocks with their names.
#include "records.h"

#include "util/strings.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace {
// Blocks of kept entries, filled from the first. Emptying keeps the blocks
// for the next base, as the pool keeps its puddles: a base of 100,000
// entries takes some 6 MB, which would otherwise go back to the system and
// be asked for again, page by page, at every opening.
struct KeptBlocks {
    static constexpr size_t kBlock = 1 << 18, kAhead = 1024;
    std::vector<std::pair<std::unique_ptr<char[]>, size_t>> blocks;
    size_t current = 0;   // the block being filled
    char *next = nullptr;
    size_t left = 0;      // its bytes not yet taken

    void *Take(size_t n)
    {
        n = (n + alignof(Doc) - 1) & ~(alignof(Doc) - 1);
        if (n > left && !NextBlock(n))
            return nullptr;
        if (left > kAhead)   // the blocks outgrow the caches: ask for what comes next early
            __builtin_prefetch(next + kAhead, 1);
        void *at = next;
        next += n;
        left -= n;
        return at;
    }
    // Moves on to the next kept block that holds n bytes, or a new one.
    bool NextBlock(size_t n)
    {
        size_t i = next ? current + 1 : 0;
        while (i < blocks.size() && blocks[i].second < n)
            ++i;
        if (i == blocks.size()) {
            size_t size = std::max(n, kBlock);
            auto *block = new (std::nothrow) char[size];
            if (!block)
                return false;
            blocks.emplace_back(block, size);
        }
        current = i;
        next = blocks[i].first.get();
        left = blocks[i].second;
        return true;
    }
    void Empty()
    {
        current = 0, next = nullptr, left = 0;
    }
    size_t Taken() const
    {
        if (!next)
            return 0;
        size_t bytes = blocks[current].second - left;
        for (size_t i = 0; i < current; ++i)
            bytes += blocks[i].second;
        return bytes;
    }
} kept;

// Entry names are short: they are copied in a few overlapping moves made in
// place, which a call to the library's copy for each name would double.
void CopyName(char *to, const char *from, size_t n)
{
    if (n >= 16) {
        for (size_t i = 0; i + 16 <= n; i += 16)
            std::memcpy(to + i, from + i, 16);
        std::memcpy(to + n - 16, from + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else {
        std::memcpy(to, from, n);
    }
}
}

Doc *KeptDocAlloc(const char *name, LONG length)
{
    auto *d = static_cast<Doc *>(kept.Take(sizeof(Doc) + size_t(length) + 1));
    if (!d)
        return nullptr;
    auto *text = reinterpret_cast<char *>(d + 1);
    CopyName(text, name, size_t(length));
    text[length] = '\0';
    *d = Doc{{}, length ? text : EmptySTR, 0, 0, 0, ' ', 1};
    return d;
}

void KeptDocsFree() { kept.Empty(); }

size_t KeptDocBytes() { return kept.Taken(); }
