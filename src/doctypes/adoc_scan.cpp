// Cutting an autodoc into entries. Real autodocs are irregular: headings
// given once or twice on a line, headings of other libraries, numbered
// contents lines, section words at column 0. The rules below give every one
// of them a definite place.
#include "adoc.h"
#include "adoc_entryscan.h"

#include "util/strings.h"

#include <cstring>
#include <string>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
struct SectionHeading {
    const char *text;
    UWORD length;
    UBYTE kind;
};

// Misspelt headings found in real autodocs count too.
const SectionHeading FuncName[] = {
    {"TABLE OF CONTENT", 16, KIND_CONTENTS_TABLE},
    {"NAME", 4, KIND_SYNOPSIS},
    {"SYNOPSIS", 8, KIND_SYNOPSIS},
    {"SYNOPIS", 7, KIND_SYNOPSIS},
    {"SPECIAL VALUE", 13, KIND_SYNOPSIS},
    {"EXAMPLE", 7, KIND_EXAMPLE},
    {"EXMAPLE", 7, KIND_EXAMPLE},
    {"SEE ALSO", 8, KIND_SEE_ALSO},
    {"SEE_ALSO", 8, KIND_SEE_ALSO},
    {"", 0, 0},
};

bool IsLetter(UBYTE c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 160; }

// What each byte of a heading line may be: most are letters and digits, and
// those pass by a table look-up alone.
enum ByteClass : UBYTE { BYTE_REJECT, BYTE_DIGIT, BYTE_LETTER, BYTE_SPECIAL, BYTE_END };

struct ByteClasses {
    UBYTE of[256];
    ByteClasses()
    {
        for (int c = 0; c < 256; ++c)
            of[c] = c < 32                   ? BYTE_END
                    : IsLetter(UBYTE(c))     ? BYTE_LETTER
                    : (c >= '0' && c <= '9') ? BYTE_DIGIT
                                             : BYTE_REJECT;
        for (UBYTE c : {' ', '(', '.', '[', '{', ')', ']', '}', '#', '*', '-', '?', '_', '/'})
            of[c] = BYTE_SPECIAL;
    }
};
const ByteClasses kBytes;

// Where a heading repeats itself at the end of its line ("name  name" run
// together), the first copy ends; end when nothing repeats.
size_t RepeatedTail(const char *line, size_t end)
{
    for (size_t l = 3; 2 * l <= end; ++l) {
        const char *tail = line + end - l;
        const char *copy = UBYTE(tail[-1]) <= 32 ? tail - 1 - l : tail - l;
        if (copy < line)
            continue;
        if (copy[l - 1] == tail[l - 1] && std::memcmp(tail, copy, l) == 0)   // the last byte first: cheap
            return end - l;
    }
    return end;
}

// The heading's library part against the reference: one differing position
// is allowed, as real autodocs misspell their own library now and then.
bool SameLibrary(const char *line, size_t slash, std::string_view reference)
{
    if (reference.size() >= slash && std::memcmp(line, reference.data(), slash) == 0)
        return true;   // the usual case, at once
    int differences = 0;
    for (size_t i = 0; i < slash && differences < 2; ++i)
        differences += i >= reference.size() || line[i] != reference[i];
    return differences < 2;
}

struct HeadingScan {
    long slash = -1;
    bool letter = false;
    long cut = -1;
    size_t end = 0;
};

#if defined(__SSE2__)
// Which of 16 bytes are letters or digits (IsLetter and 0-9), and which are letters.
unsigned WordBits16(const char *p, unsigned *letters)
{
    // unsigned ranges compared as signed ones, the top bit flipped
    const __m128i flip = _mm_set1_epi8(char(0x80));
    auto below = [&](__m128i x, int bound) { return _mm_cmplt_epi8(x, _mm_set1_epi8(char(bound ^ 0x80))); };
    auto above = [&](__m128i x, int bound) { return _mm_cmpgt_epi8(x, _mm_set1_epi8(char(bound ^ 0x80))); };
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    __m128i cs = _mm_xor_si128(c, flip), lower = _mm_xor_si128(_mm_or_si128(c, _mm_set1_epi8(0x20)), flip);
    __m128i letter = _mm_or_si128(_mm_and_si128(above(lower, 'a' - 1), below(lower, 'z' + 1)), above(cs, 159));
    __m128i digit = _mm_and_si128(above(cs, '0' - 1), below(cs, '9' + 1));
    *letters = unsigned(_mm_movemask_epi8(letter));
    return unsigned(_mm_movemask_epi8(_mm_or_si128(letter, digit)));
}
#endif

// Passes over letters and digits 16 at a time while 16 bytes may be read,
// noting a letter; the byte it stops at is any. The line's terminator stops
// it, so what lies past it is read but never counts.
size_t SkipWordBytes(const char *line, size_t i, size_t readable, HeadingScan &h)
{
#if defined(__SSE2__)
    for (; i + 16 <= readable; i += 16) {
        unsigned letters, stop = ~WordBits16(line + i, &letters) & 0xFFFF;
        unsigned before = stop ? (stop & (0u - stop)) - 1 : 0xFFFF;
        h.letter = h.letter || (letters & before);
        if (stop)
            return i + size_t(__builtin_ctz(stop));
    }
#else
    (void)line, (void)readable, (void)h;
#endif
    return i;
}

// The last blank of the run that starts at i: headings given twice on a line
// hold long runs, passed 16 bytes at a time while 16 may be read.
size_t LastBlank(const char *line, size_t i, size_t readable)
{
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(' ');
    for (; i + 17 <= readable; i += 16) {
        auto others = ~unsigned(_mm_movemask_epi8(
                          _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(line + i + 1)), blank))) &
                      0xFFFF;
        if (others)
            return i + size_t(__builtin_ctz(others));
    }
#else
    (void)readable;
#endif
    while (line[i + 1] == ' ')
        ++i;
    return i;
}

// Libraries named "68040.library" or "[driver].audio": a dot after the
// leading digits, or a bracket that opens the line, stands before the first
// letter, and a letter follows it.
bool OpensAName(UBYTE c, int p, UBYTE next)
{
    if (!IsLetter(next))
        return false;
    return c == '.' ? p >= '0' && p <= '9' : c == '[' && p < 0;
}

// A punctuation byte of a heading line, neither a blank nor the slash,
// against the bytes around it: false when it rules the line out.
bool PunctuationFits(UBYTE c, int p, UBYTE next, bool letter)
{
    switch (c) {
    case '(':
    case '.':
    case '[':
    case '{':
        if (next == ' ')
            return false;
        if (OpensAName(c, p, next))
            return true;
        [[fallthrough]];
    case ')':
    case ']':
    case '}':
        if (p == ' ')
            return false;
        [[fallthrough]];
    default:   // '#', '*', '-', '?', '_'
        return letter;
    }
}

// Checks the bytes of a heading line; false when a byte rules it out.
// readable: the bytes from line on that may be read, its terminator included.
bool ScanHeading(const char *line, size_t readable, HeadingScan &h)
{
    for (size_t i = 0;; ++i) {
        i = SkipWordBytes(line, i, readable, h);
        UBYTE c = UBYTE(line[i]);
        UBYTE k = kBytes.of[c];
        if (k == BYTE_LETTER) {
            h.letter = true;
            continue;
        }
        if (k == BYTE_DIGIT)
            continue;
        if (k == BYTE_END) {
            h.end = i;
            return h.letter;   // the caller asks for the slash
        }
        if (k == BYTE_REJECT)
            return false;
        UBYTE next = UBYTE(line[i + 1]);
        int p = i ? UBYTE(line[i - 1]) : -1;
        switch (c) {
        case ' ':
            if (!h.letter)
                return false;
            if ((p < 0 || p > 32) && h.slash < 0)
                return false;
            if (p > 32 && next == ' ')
                h.cut = long(i);
            i = LastBlank(line, i, readable);   // the rest of a run of blanks changes nothing
            continue;
        case '/':
            if (next <= 32 || p == '/')
                return false;
            if (h.slash < 0 && i > 0)
                h.slash = long(i);
            continue;
        default:
            if (!PunctuationFits(c, p, next, h.letter))
                return false;
            continue;
        }
    }
}

// A heading without a library part ("launch-handler", given twice with
// blanks or tabs between, on a new page) names its entry by itself: the
// first copy.
char *SelfNamedHeading(char *line, size_t readable)
{
    size_t word = 0;
    while (word < readable && UBYTE(line[word]) > 32)
        ++word;
    size_t copy = word;
    while (copy < readable && (line[copy] == ' ' || line[copy] == '\t'))
        ++copy;
    if (copy == word || copy + word >= readable || UBYTE(line[copy + word]) >= 32 ||
        std::memcmp(line, line + copy, word) != 0)
        return nullptr;
    line[word] = '\0';
    HeadingScan h;
    return ScanHeading(line, readable, h) && h.slash < 0 ? line : nullptr;
}

bool HasTextAfterFirst(const char *line, size_t length)
{
    for (size_t i = 1; i < length; ++i)
        if (UBYTE(line[i]) > 32)
            return true;
    return false;
}

bool HasText(const char *line, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (UBYTE(line[i]) > 32)
            return true;
    return false;
}

}

// The tested line in probe becomes the pending heading, with its name.
void ADocEntryScan::Heading(char *name, size_t len)
{
    nameAt = name ? long(name - probe.data()) : -1;
    std::swap(pending, probe);
    pendingSet = true;
    entryStart = pos + LONG(len);
    startLine = lineNo + 1;
    count = 0;
    lookForText = true;
}

// The name the probe's heading gives, null for no heading.
char *ADocEntryScan::NameOf(bool newPage)
{
    char *name = FuncTestDir(probe.data(), probe.capacity(), reference);
    return name || !newPage ? name : SelfNamedHeading(probe.data(), probe.capacity());
}

bool ADocEntryScan::NewHeading(const char *text, size_t length, size_t len, bool newPage)
{
    probe.reserve(length + 16);   // the heading test reads 16 bytes at a time
    probe.assign(text, length);
    if (!headingSeen) {
        headingSeen = true;
        reference.assign(text, length);   // the first heading is its own reference
        Heading(NameOf(newPage), len);
        return true;
    }
    if (referenceOpen)
        reference.assign(text, length);
    char *name = NameOf(newPage);
    if (!name)
        return false;
    referenceOpen = false;
    if (current)
        current->Lines = count - 1;
    Heading(name, len);
    return true;
}

// Numbered contents lines ("0001 ahi.device/AHI_AllocAudioA") and names
// without a library part are no headings, yet they are the contents: while
// the first heading is one of them, a line like it takes its place, and the
// next heading the test accepts becomes the reference. An autodoc whose
// first heading passes the test never comes here.
bool ADocEntryScan::ContentsGoOn(const char *line, size_t length, bool atColumn0)
{
    if (!atColumn0 || nameAt >= 0)
        return false;
    size_t skip = line[0] == 12;
    probe.assign(line + skip, strnlen(line + skip, length - skip - 1));
    Heading(nullptr, length);
    referenceOpen = true;
    return true;
}

void ADocEntryScan::EndBlock(const char *line, size_t length, bool atColumn0)
{
    if (!pendingSet)
        return;
    if (!libraryKnown) {
        if (!HasTextAfterFirst(line, length) || ContentsGoOn(line, length, atColumn0))
            return;
        libraryKnown = true;
        std::string heading = pending.c_str();   // up to the cut
        reference = heading.substr(0, heading.find('/'));
        SetLibrary(baza, reference.c_str());
    }
    pendingSet = false;
    const char *name = nameAt >= 0 ? pending.c_str() + nameAt : "< ? ? ? >";
    Doc *doc = DocAlloc(name);
    if (!doc)
        return;
    doc->Mark = nameAt < 0 ? ' ' : nameAt == 0 ? '-' : '+';
    doc->Offset = entryStart;
    doc->Line = startLine;
    AddEntry(baza, doc);
    current = doc;
    if (lookForText && HasText(line, length)) {
        doc->Offset = pos;
        doc->Line = lineNo;
        count = 1;
    }
    lookForText = false;
}

UBYTE FuncTest(const char *text, size_t length)
{
    for (const SectionHeading *h = FuncName; h->length; ++h)
        if (length >= h->length && std::memcmp(text, h->text, h->length) == 0)
            return h->kind;
    return KIND_OTHER;
}

char *FuncTestDir(char *line, const char *reference) { return FuncTestDir(line, std::strlen(line) + 1, reference); }

char *FuncTestDir(char *line, size_t readable, std::string_view reference)
{
    HeadingScan h;
    if (!ScanHeading(line, readable, h) || h.slash < 0)
        return nullptr;
    size_t end = h.cut >= 0 ? size_t(h.cut) : RepeatedTail(line, h.end);
    line[end] = '\0';
    if (!SameLibrary(line, size_t(h.slash), reference))
        return line;
    return line + h.slash + 1;
}

// Only lines that start with text can be headings; a line that starts
// blank matters only right after a heading, where it may end the heading's
// block. Every other line is merely counted.
bool ADocEntryScan::Line(const char *line, size_t len, PassedLines passed)
{
    lineNo += LONG(passed.lines);
    count += LONG(passed.lines);
    pos += LONG(passed.bytes);
    if (!line)   // the lines after the last one looked at
        return false;
    ++lineNo;
    if (!afterContents) {   // everything up to the contents line is skipped
        afterContents = FuncTest(line, len) == KIND_CONTENTS_TABLE;
        pos += LONG(len);
        return false;
    }
    ++count;
    const char *text = line;
    size_t textLength = len;
    if (textLength && text[0] == 12)
        ++text, --textLength;
    bool endsBlock = !textLength || UBYTE(text[0]) <= 32;
    if (!endsBlock) {
        // the line's last byte, its newline, goes; a heading stops at a NUL
        endsBlock = !NewHeading(text, strnlen(text, textLength - 1), len, text != line);
    }
    if (endsBlock)
        EndBlock(line, len, textLength && UBYTE(text[0]) > 32);
    pos += LONG(len);
    return pendingSet;
}

void ADocEntryScan::ScanRange(FileHandle *fh, LONG from, LONG to)
{
    ForEachTextLineIn(fh, from, to, kLineBuffer,
                      [&](const char *line, size_t len, PassedLines passed) { return Line(line, len, passed); });
}

void ADocScan(Baza *baza, FileHandle *fh)
{
    SetLibrary(baza, nullptr);
    ADocEntryScan scan;
    scan.baza = baza;
    if (!ScanADocInParts(scan, fh)) {
        Seek(fh, 0, OFFSET_BEGINNING);
        ForEachTextLine(fh, kLineBuffer,
                        [&](const char *line, size_t len, PassedLines passed) { return scan.Line(line, len, passed); });
    }
    if (scan.current)
        scan.current->Lines = scan.count;
}
