// Reading a whole file line by line, cut exactly where FGets with an n-byte
// buffer would cut it (after a newline, or after n - 1 bytes), but without a
// call and a copy for every line: large blocks are read and their line ends
// found 64 bytes at a time. Each line is handed on as a pointer into the
// block and its length; only a line that runs past a block is moved.
#pragma once
#include "files.h"

#include <cstdint>
#include <cstring>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The newlines among 64 bytes, as bits.
inline uint64_t NewlineBits64(const char *p)
{
#if defined(__SSE2__)
    const __m128i nl = _mm_set1_epi8('\n');
    uint64_t bits = 0;
    for (int k = 0; k < 4; ++k) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * k));
        bits |= uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, nl)))) << (16 * k);
    }
    return bits;
#else
    uint64_t bits = 0;
    for (int k = 0; k < 64; ++k)
        bits |= uint64_t(p[k] == '\n') << k;
    return bits;
#endif
}

// Calls line(text, length) for every line from the handle's position to the
// end of the file. False when reading failed.
template <class F> bool ForEachLine(FileHandle *fh, size_t maxLine, F &&line)
{
    constexpr size_t kBlock = 1 << 16;
    const size_t max = maxLine - 1;
    std::vector<char> block(kBlock + maxLine + 64);
    size_t have = 0;   // the unfinished line carried from the block before
    for (;;) {
        LONG got = Read(fh, block.data() + have, LONG(kBlock));
        if (got < 0)
            return false;
        char *text = block.data();
        if (got == 0) {
            if (have)
                line(text, have);
            return true;
        }
        size_t end = have + size_t(got), start = 0;
        auto found = [&](size_t at) {
            while (at - start >= max) {   // a line longer than the buffer comes in pieces
                line(text + start, max);
                start += max;
            }
            line(text + start, at - start + 1);
            start = at + 1;
        };
        size_t i = have;
        for (; i + 64 <= end; i += 64)
            for (uint64_t bits = NewlineBits64(text + i); bits; bits &= bits - 1)
                found(i + size_t(__builtin_ctzll(bits)));
        for (; i < end; ++i)
            if (text[i] == '\n')
                found(i);
        while (end - start >= max) {
            line(text + start, max);
            start += max;
        }
        have = end - start;
        std::memmove(text, text + start, have);
    }
}
