// Reading a whole file line by line, cut exactly where FGets with an n-byte
// buffer would cut it (after a newline, or after n - 1 bytes), but without a
// call and a copy for every line: large blocks are read and their line ends
// found 64 bytes at a time. Each line is handed on as a pointer into the
// block and its length; only a line that runs past a block is moved.
#pragma once
#include "files.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The one line-length rule of every reader of documents: lines are read as
// FGets reads them with a buffer of this size, so a longer line comes in pieces
// of kLineBuffer - 1 bytes, the same in the viewer, the scans and the search.
constexpr size_t kLineBuffer = 8192;

// The bytes among 64 that equal one value, as bits.
inline uint64_t ByteBits64(const char *p, char value)
{
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi8(value);
    auto equal = [&](int k) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * k));
        return uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, v))));
    };
    return equal(0) | equal(1) << 16 | equal(2) << 32 | equal(3) << 48;
#else
    uint64_t bits = 0;
    for (int k = 0; k < 64; ++k)
        bits |= uint64_t(p[k] == value) << k;
    return bits;
#endif
}

// The newlines among 64 bytes.
inline uint64_t NewlineBits64(const char *p) { return ByteBits64(p, '\n'); }

// Set bits, without the library call a generic build makes of the builtin.
inline size_t CountBits64(uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555ULL;
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return size_t((x * 0x0101010101010101ULL) >> 56);
}

// Which lines a reader looks at, by their first byte: lines that start with
// text (above a blank, or a form feed: the page break that opens a new
// section in this platform's documents), for most documents; lines that
// start with "@", for guides.
// A guide's scan also looks at every full piece that ends in CR, so that it
// counts such a piece and the newline after it as one line, as the search
// and the text list do.
struct TextLineStarts {
    static constexpr char kByte = 0;   // the bulk pass's name for "any text"
    static constexpr bool kCRPieces = false;
    static bool Wanted(char c) { return UBYTE(c) > 32 || c == 12; }
};
struct AtSignLineStarts {
    static constexpr char kByte = '@';   // a guide's command
    static constexpr bool kCRPieces = true;
    static bool Wanted(char c) { return c == '@'; }
};

// Passes over 64-byte windows from i on while every line ending in one is
// shorter than max and does not start with wanted (0: with text); counts
// them in lines and moves start past them. Returns the window it stopped at:
// one that needs a look line by line, or the last before end. Built for the
// processor the program runs on.
size_t BulkPass(const char *text, size_t i, size_t end, size_t max, size_t &start, size_t &lines, char wanted);
// Its two builds, for any processor and for those with AVX2 (x86-64 only),
// which the tests hold to each other.
size_t BulkPassPlain(const char *text, size_t i, size_t end, size_t max, size_t &start, size_t &lines, char wanted);
#if defined(__x86_64__)
size_t BulkPassAVX2(const char *text, size_t i, size_t end, size_t max, size_t &start, size_t &lines, char wanted);
#endif
bool HasAVX2();

// Lines as ForEachTextLine cuts them, handed to a reader that looks at few
// of them; what it is told of the lines it passes over.
struct PassedLines {
    size_t lines = 0, bytes = 0;
};

// The cutting of ForEachTextLine over the bytes of a block.
template <class F, class Starts = TextLineStarts> class TextLineCutter {
public:
    TextLineCutter(size_t maxLine, F &line) : max_(maxLine - 1), line_(line) {}

    // Cuts the lines that end within text[from, end), the first beginning at
    // start; a line still open at end stays, and start is where it begins.
    // Nothing at or past end is looked at.
    void Cut(const char *text, size_t from, size_t end, size_t &start)
    {
        size_t i = from;
        for (; i + 65 <= end; i += 64) {
            if (!wanted_ && max_ > 64) {   // runs of short lines that start blank are counted at once
                size_t before = start;
                i = BulkPass(text, i, end, max_, start, passed_.lines, Starts::kByte);
                passed_.bytes += start - before;
                if (i + 65 > end)
                    break;
            }
            for (uint64_t bits = NewlineBits64(text + i); bits; bits &= bits - 1)
                Found(text, i + size_t(__builtin_ctzll(bits)), start);
        }
        for (; i < end; ++i)
            if (text[i] == '\n')
                Found(text, i, start);
        while (end - start >= max_) {
            Emit(text, start, max_);
            start += max_;
        }
    }

    // The last line, without a newline, and the lines passed over at the end.
    void Finish(const char *text, size_t start, size_t end)
    {
        if (end > start)
            Emit(text, start, end - start);
        if (passed_.lines)
            line_(nullptr, 0, passed_);
    }

private:
    void Emit(const char *text, size_t start, size_t length)
    {
        if (wanted_ || Starts::Wanted(text[start]) ||
            (Starts::kCRPieces && length == max_ && text[start + length - 1] == '\r')) {
            wanted_ = line_(text + start, length, passed_);
            passed_ = PassedLines();
        } else {
            ++passed_.lines;
            passed_.bytes += length;
        }
    }

    void Found(const char *text, size_t at, size_t &start)
    {
        while (at - start >= max_) {   // a line longer than the buffer comes in pieces
            Emit(text, start, max_);
            start += max_;
        }
        Emit(text, start, at - start + 1);
        start = at + 1;
    }

    size_t max_;
    F &line_;
    bool wanted_ = true;
    PassedLines passed_;
};

// Calls line(text, length, passed) for the lines that read(buffer, n) gives
// (up to n bytes a call, 0 at the end, -1 on error) that start with text
// (Starts: TextLineStarts, or AtSignLineStarts for the "@" of a guide's
// commands), and for the line after one whose call returned true; the lines
// passed over between two calls are only counted, 64 bytes at a time where
// they are short; those at the end come with a last call without text (null).
// Lines are cut exactly where FGets with a maxLine-byte buffer would cut them
// (after a newline, or after maxLine - 1 bytes). False when reading failed.
template <class Starts = TextLineStarts, class R, class F> bool ForEachTextLineRead(R &&read, size_t maxLine, F &&line)
{
    TextLineCutter<F, Starts> cutter(maxLine, line);
    constexpr size_t kBlock = 1 << 16;
    // not filled first: only bytes read are looked at
    std::unique_ptr<char[]> block(new char[kBlock + maxLine + 64]);
    char *text = block.get();
    size_t have = 0;   // the unfinished line carried from the block before
    for (;;) {
        LONG got = read(text + have, LONG(kBlock));
        if (got < 0)
            return false;
        if (got == 0) {
            cutter.Finish(text, 0, have);
            return true;
        }
        size_t end = have + size_t(got), start = 0;
        cutter.Cut(text, have, end, start);
        have = end - start;
        std::memmove(text, text + start, have);
    }
}

// The lines from the handle's position to the end of the file.
template <class Starts = TextLineStarts, class F> bool ForEachTextLine(FileHandle *fh, size_t maxLine, F &&line)
{
    return ForEachTextLineRead<Starts>([fh](char *to, LONG n) { return Read(fh, to, n); }, maxLine, line);
}

// The lines of the bytes [from, to) of the file, read where they lie with the
// handle's position untouched, so that threads may each take a range of one
// handle. Cut as a reading of the whole file cuts them where from starts a line.
template <class Starts = TextLineStarts, class F>
bool ForEachTextLineIn(FileHandle *fh, LONG from, LONG to, size_t maxLine, F &&line)
{
    auto read = [fh, at = from, to](char *into, LONG n) mutable {
        LONG got = ReadAt(fh, into, std::min(n, to - at), at);
        at += got > 0 ? got : 0;
        return got;
    };
    return ForEachTextLineRead<Starts>(read, maxLine, line);
}

// Calls line(text, length) for every line from the handle's position to the
// end of the file, cut as ForEachTextLine cuts them, but where a text list
// reading the file cuts them: a CR right before a newline belongs to the line
// end, so a line that fits but for its CR is one line, not a piece and an
// empty line. False when reading failed.
template <class F> bool ForEveryLine(FileHandle *fh, size_t maxLine, F &&line)
{
    std::string held;   // a full piece ending in CR, until the next piece tells what it was
    bool ok = ForEachTextLine(fh, maxLine, [&](const char *text, size_t length, PassedLines) {
        if (!text)
            return true;
        bool wasHeld = !held.empty();
        if (wasHeld && length == 1 && text[0] == '\n') {
            held += '\n';
            line(held.data(), held.size());
            held.clear();
            return true;
        }
        if (wasHeld) {
            line(held.data(), held.size());
            held.clear();
        }
        if (length == maxLine - 1 && text[length - 1] == '\r')
            held.assign(text, length);
        else
            line(text, length);
        return true;   // so the next line comes too, whatever it starts with
    });
    if (!held.empty())
        line(held.data(), held.size());
    return ok;
}
