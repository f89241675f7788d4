// Reading many lines into a text list at once, as fast as the memory allows.
#include "nlist_data.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// Copies length bytes, turning every newline into a terminator, and calls
// found(i) for the position of each, in order. Where the processor can it
// handles 64 bytes at a time and writes the copy past the cache: the copy is
// large, and only the lines on screen are read again.
template <class F> void CopyCuttingLines(char *to, const char *from, size_t length, F found)
{
    size_t i = 0;
    auto one = [&](size_t k) {
        bool end = from[k] == '\n';
        to[k] = end ? '\0' : from[k];
        if (end)
            found(k);
    };
#if defined(__SSE2__)
    for (; i < length && (reinterpret_cast<IPTR>(to + i) & 15); ++i)
        one(i);
    const __m128i nl = _mm_set1_epi8('\n');
    for (; i + 64 <= length; i += 64) {
        uint64_t mask = 0;
        for (int k = 0; k < 4; ++k) {
            __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i + 16 * k));
            __m128i ends = _mm_cmpeq_epi8(chunk, nl);
            _mm_stream_si128(reinterpret_cast<__m128i *>(to + i + 16 * k), _mm_andnot_si128(ends, chunk));
            mask |= uint64_t(unsigned(_mm_movemask_epi8(ends))) << (16 * k);
        }
        for (; mask; mask &= mask - 1)
            found(i + size_t(__builtin_ctzll(mask)));
    }
    _mm_sfence();
#endif
    for (; i < length; ++i)
        one(i);
}

// Lines are read a block at a time into a small buffer that stays in the
// cache, then copied into the list's storage and cut there in one pass. A
// line that runs on past a block stays unfinished at the free end of the
// storage until the next block completes it. Only a line longer than a list
// line can be is cut into pieces, copied elsewhere with a terminator each.
class LineReader {
public:
    LineReader(NListData *d, size_t maxLine) : d_(d), max_(maxLine - 1), block_(kChunk) {}

    void Run(Hook *read)
    {
        for (;;) {
            LONG got = LONG(CallHookPkt(read, block_.data(), reinterpret_cast<APTR>(kChunk)));
            if (got <= 0)
                break;
            Cut(size_t(got));
        }
        if (pendingLength_) {   // the last line, without a line end
            pending_[pendingLength_] = '\0';
            Add(pending_);
            d_->arena.Commit(pending_ + pendingLength_ + 1);
        }
    }

private:
    static constexpr size_t kChunk = 1 << 17;

    void Add(char *line) { d_->lines.push_back(NListLine{line, d_->elements++, 0}); }

    // Pieces of a line too long for the list, while the line from start runs to end.
    void CutPieces(char *text, size_t &start, size_t end, bool lineEnd)
    {
        while (end - start > max_ || (lineEnd && end - start == max_)) {
            Add(d_->piecesArena.Copy(text + start, max_));
            start += max_;
        }
    }

    void Cut(size_t got)
    {
        char *text = d_->arena.Extend(pending_, pendingLength_, got + 1);
        size_t start = 0, offset = pendingLength_;
        const char *block = block_.data();
        CopyCuttingLines(text + offset, block, got, [&](size_t at) {
            // A CR before the newline belongs to the line end (text written
            // elsewhere). Only then is the copy written to here: a store among
            // the bytes just streamed past the cache costs dearly.
            bool cr = at > 0 ? block[at - 1] == '\r' : offset > 0 && text[offset - 1] == '\r';
            at += offset;
            size_t end = at;
            if (cr && at > start)
                text[--end] = '\0';
            CutPieces(text, start, end, true);
            Add(text + start);
            start = at + 1;
        });
        size_t length = offset + got;
        CutPieces(text, start, length, false);
        d_->arena.Commit(text + start);
        pending_ = text + start;
        pendingLength_ = length - start;
    }

    NListData *d_;
    size_t max_;
    std::vector<char> block_;
    char *pending_ = nullptr;
    size_t pendingLength_ = 0;
};

}

IPTR NListReadLines(NListData *d, Hook *read, size_t maxLine)
{
    if (!d->stringCopies || maxLine < 2 || !read)
        return 0;
    size_t before = d->lines.size();
    LineReader(d, maxLine).Run(read);
    return d->lines.size() - before;
}
