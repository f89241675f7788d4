#include "textsearch.h"

#include "platform/dos/files.h"
#include "platform/dos/lines.h"
#include "platform/utility/charset.h"
#include "util/names.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {
// How common a byte is in documentation text, letters folded: higher is more
// common; bytes not listed are rare. Candidates are first looked for at the
// pattern's two rarest bytes, so few of them need a full compare.
constexpr std::array<UBYTE, 256> MakeCommonness()
{
    const char common[] = "=:2x\"3j54896q7z>#<'k1-0;v)(w,_b.y/g*fpmuhdclrsnioate\n ";
    std::array<UBYTE, 256> rank{};
    for (size_t i = 0; common[i]; ++i)
        rank[UBYTE(common[i])] = UBYTE(i + 1);
    for (int c = 'A'; c <= 'Z'; ++c)
        rank[size_t(c)] = rank[size_t(c + 32)];
    return rank;
}
constexpr std::array<UBYTE, 256> Commonness = MakeCommonness();

// The two bytes a candidate may hold where the pattern holds c: both cases of
// a letter. Past ASCII, where a Latin-1 letter or the tail of a UTF-8 one
// differs from its other case in bit 5, both are taken (a few more
// candidates, never a hit missed).
void CaseForms(UBYTE c, char &low, char &high)
{
    bool letter = (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
    low = char(c);
    high = letter || c >= 0x80 ? char(c ^ 0x20) : char(c);
}

// The bytes among 64 that are low or high, which is low or low with bit 5
// flipped (CaseForms): with bit 5 set in every byte, one compare finds both.
uint64_t EitherByte(const char *p, char low, char high)
{
    if (low == high)
        return ByteBits64(p, low);
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi8(char(low | 0x20)), bit5 = _mm_set1_epi8(0x20);
    auto equal = [&](int k) {
        __m128i chunk = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * k)), bit5);
        return uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, v))));
    };
    return equal(0) | equal(1) << 16 | equal(2) << 32 | equal(3) << 48;
#else
    return ByteBits64(p, low) | ByteBits64(p, high);
#endif
}

uint64_t LowBits(size_t n) { return n >= 64 ? ~uint64_t(0) : (uint64_t(1) << n) - 1; }

// Counts lines as the viewer's line reader cuts them, following a search
// through the file: a line ends after a newline, a piece of a longer line
// after kSearchLineMax bytes, and a full piece ending in CR takes the newline
// right after it into its line.
class LineCounter {
public:
    explicit LineCounter(const SearchPosition &start)
        : line_(start.Line), pieceStart_(start.Offset), counted_(start.Offset)
    {
    }

    // Counts up to the byte at (not included); buf holds the file from base on.
    void AdvanceTo(const char *buf, int64_t base, int64_t at)
    {
        while (counted_ < at) {
            const char *q = buf + (counted_ - base);
            if (at - counted_ >= 64) {
                AdvanceChunk(buf, base, q);
            } else if (*q == '\n') {
                EndLine(buf, base);
            } else {
                ++counted_;
                CutFullPieces(buf, base);
            }
        }
    }
    int64_t PieceStart() const { return pieceStart_; }
    LONG Line() const { return line_; }

private:
    // 64 bytes at once: only the first line ending among them can end a long
    // line; the lines after it are shorter than a piece.
    void AdvanceChunk(const char *buf, int64_t base, const char *q)
    {
        int64_t chunk = counted_;
        uint64_t ends = NewlineBits64(q);
        if (!ends) {
            counted_ += 64;
            CutFullPieces(buf, base);
            return;
        }
        counted_ = chunk + __builtin_ctzll(ends);
        EndLine(buf, base);
        ends &= ends - 1;
        if (ends) {
            line_ += LONG(CountBits64(ends));
            pieceStart_ = chunk + 64 - __builtin_clzll(ends);
        }
        counted_ = chunk + 64;
    }

    void CutFullPieces(const char *buf, int64_t base)
    {
        while (counted_ - pieceStart_ >= int64_t(kSearchLineMax)) {
            pieceStart_ += int64_t(kSearchLineMax);
            ++line_;
            cutAt_ = pieceStart_;
            cutEndsCR_ = buf[pieceStart_ - 1 - base] == '\r';
        }
    }

    // The newline at counted_.
    void EndLine(const char *buf, int64_t base)
    {
        CutFullPieces(buf, base);
        bool joined = cutAt_ == counted_ && cutEndsCR_;
        pieceStart_ = ++counted_;
        if (!joined)
            ++line_;
    }

    LONG line_;
    int64_t pieceStart_, counted_;
    int64_t cutAt_ = -1;
    bool cutEndsCR_ = false;
};

// One search through an open file, a block at a time. A candidate is looked
// at only when the line piece after it has been read too, so the hit's line
// can be handed on whole; the piece a hit is in stays in the buffer.
class FileSearch {
public:
    FileSearch(FileHandle *fh, const TextPattern &pattern, const SearchPosition &start,
               const std::function<bool(const SearchHit &)> &hit)
        : fh_(fh), pattern_(pattern), hit_(hit), lines_(start), base_(start.Offset), from_(start.Offset + start.Column),
          buf_(ThreadBuffer())
    {
    }

    SearchEnd Run(const std::atomic<bool> *cancel)
    {
        for (;;) {
            if (cancel && cancel->load(std::memory_order_relaxed))
                return SearchEnd::Cancelled;
            LONG got = Read(fh_, buf_ + len_, LONG(kBlock));
            if (got < 0)
                return SearchEnd::Unreadable;
            len_ += size_t(got);
            bool end = got == 0;
            int64_t limit = base_ + int64_t(len_) - (end ? 0 : int64_t(kAhead));
            if (limit > from_) {
                if (!ScanRange(size_t(from_ - base_), size_t(limit - base_), end))
                    return SearchEnd::Stopped;
                from_ = limit;
            }
            if (end)
                return SearchEnd::Finished;
            DropCounted(std::max(std::min(from_, limit), base_));
        }
    }

private:
    static constexpr size_t kBlock = 1 << 16;
    static constexpr size_t kAhead = kSearchLineMax + 192;   // a piece and the widest look past it

    // One buffer per thread for all its searches: a base search reads
    // thousands of files, and a buffer made for each costs more than a
    // small file's reading.
    static char *ThreadBuffer()
    {
        thread_local std::unique_ptr<char[]> buffer(new char[kBlock + 2 * kAhead + kSearchLineMax]);
        return buffer.get();
    }

    // Hit starts in [i, end) of the buffer, 64 positions at a time. At the
    // end of the file the bytes after it are zeros to look at; a candidate
    // is checked again against the real end when it is reported.
    bool ScanRange(size_t i, size_t end, bool atEnd)
    {
        if (atEnd)
            std::memset(buf_ + len_, 0, kAhead);
        for (; i < end; i += 64) {
            uint64_t bits = pattern_.Hits64(buf_, i) & LowBits(end - i);
            for (; bits; bits &= bits - 1)
                if (!Report(i + size_t(__builtin_ctzll(bits))))
                    return false;
        }
        return true;
    }

    // A candidate at buffer position i is a hit when it lies within its piece.
    bool Report(size_t i)
    {
        int64_t at = base_ + int64_t(i);
        lines_.AdvanceTo(buf_, base_, at);
        int64_t pieceStart = lines_.PieceStart();
        size_t room = size_t(pieceStart + int64_t(kSearchLineMax) - at);
        if (!pattern_.HitAt(buf_ + i, std::min(room, len_ - i)))
            return true;   // it runs past the end of its piece
        size_t begin = size_t(pieceStart - base_);
        size_t length = PieceText(begin);
        SearchHit hit = {{pieceStart, lines_.Line(), LONG(at - pieceStart + 1)}, buf_ + begin, length};
        return hit_(hit);
    }

    // The length of the piece at begin without its line end.
    size_t PieceText(size_t begin) const
    {
        size_t most = std::min(kSearchLineMax, len_ - begin);
        const char *text = buf_ + begin;
        auto *newline = static_cast<const char *>(std::memchr(text, '\n', most));
        size_t length = newline ? size_t(newline - text) : most;
        bool ended = newline || (begin + length < len_ && text[length] == '\n');
        if (ended && length && text[length - 1] == '\r')
            --length;
        return length;
    }

    // Lines are counted up to at; what lies before the piece there goes.
    void DropCounted(int64_t at)
    {
        lines_.AdvanceTo(buf_, base_, at);
        int64_t keep = std::min(lines_.PieceStart(), at);
        size_t gone = size_t(keep - base_);
        std::memmove(buf_, buf_ + gone, len_ - gone);
        len_ -= gone;
        base_ = keep;
    }

    FileHandle *fh_;
    const TextPattern &pattern_;
    const std::function<bool(const SearchHit &)> &hit_;
    LineCounter lines_;
    int64_t base_;   // the file offset of the buffer's first byte
    int64_t from_;   // the first candidate not yet looked at
    size_t len_ = 0;
    char *buf_;
};
}

TextPattern::TextPattern(const char *text, size_t length)
{
    text_[0].assign(text, length);
    text_[1] = OtherEncoding(text_[0].c_str(), length);
    for (int form = 0; form < 2; ++form) {
        const std::string &t = text_[form];
        if (t.empty() || t.size() > kSearchLineMax || t.find('\n') != std::string::npos)
            break;
        Probe &p = probe_[form];
        auto rarer = [&t](size_t a, size_t b) { return Commonness[UBYTE(t[a])] < Commonness[UBYTE(t[b])]; };
        size_t first = 0;
        for (size_t i = 1; i < t.size(); ++i)
            first = rarer(i, first) ? i : first;
        size_t second = first == 0 && t.size() > 1 ? 1 : 0;
        for (size_t i = 0; i < t.size(); ++i)
            second = i != first && rarer(i, second) ? i : second;
        p.rare1 = first;
        p.rare2 = second;
        CaseForms(UBYTE(t[p.rare1]), p.low1, p.high1);
        CaseForms(UBYTE(t[p.rare2]), p.low2, p.high2);
        forms_ = form + 1;
    }
}

uint64_t TextPattern::FormHits64(int form, const char *text, size_t at) const
{
    const Probe &p = probe_[form];
    const std::string &t = text_[form];
    uint64_t bits = EitherByte(text + at + p.rare1, p.low1, p.high1);
    if (bits && p.rare2 != p.rare1)
        bits &= EitherByte(text + at + p.rare2, p.low2, p.high2);
    uint64_t hits = 0;
    for (; bits; bits &= bits - 1) {
        size_t k = size_t(__builtin_ctzll(bits));
        if (SameIgnoringCase(text + at + k, t.data(), t.size()))
            hits |= uint64_t(1) << k;
    }
    return hits;
}

uint64_t TextPattern::Hits64(const char *text, size_t at) const
{
    uint64_t hits = forms_ > 0 ? FormHits64(0, text, at) : 0;
    return forms_ > 1 ? hits | FormHits64(1, text, at) : hits;
}

bool TextPattern::HitAt(const char *text, size_t length) const
{
    for (int form = 0; form < forms_; ++form)
        if (text_[form].size() <= length && SameIgnoringCase(text, text_[form].data(), text_[form].size()))
            return true;
    return false;
}

SearchEnd SearchFile(CONST_STRPTR path, const TextPattern &pattern, const SearchPosition &start,
                     const std::function<bool(const SearchHit &)> &hit, const std::atomic<bool> *cancel)
{
    FileHandle *fh = Open(path, MODE_SHARED);
    if (!fh)
        return SearchEnd::Unreadable;
    SearchEnd end = SearchEnd::Finished;
    if (start.Offset < 0 || start.Offset > 0x7fffffff || Seek(fh, LONG(start.Offset), OFFSET_BEGINNING) < 0)
        end = SearchEnd::Unreadable;
    else if (!pattern.Never())
        end = FileSearch(fh, pattern, start, hit).Run(cancel);
    Close(fh);
    return end;
}

bool FindFirstInFile(CONST_STRPTR path, const TextPattern &pattern, const SearchPosition &start, SearchPosition &found,
                     const std::atomic<bool> *cancel)
{
    auto first = [&found](const SearchHit &hit) {
        found = hit.Where;
        return false;
    };
    return SearchFile(path, pattern, start, first, cancel) == SearchEnd::Stopped;
}
