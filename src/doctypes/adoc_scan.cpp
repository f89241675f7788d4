// Cutting an autodoc into entries. Real autodocs are irregular: headings
// given once or twice on a line, headings of other libraries, numbered
// contents lines, section words at column 0. The rules below give every one
// of them a definite place.
#include "adoc.h"

#include "util/strings.h"

#include <cstring>
#include <string>

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

// Where a heading repeats itself at the end of its line ("name  name" run
// together), the first copy ends; end when nothing repeats.
size_t RepeatedTail(const char *line, size_t end)
{
    for (size_t l = 3; 2 * l <= end; ++l) {
        const char *tail = line + end - l;
        if (UBYTE(tail[-1]) <= 32) {
            if (2 * l + 1 <= end && std::memcmp(tail, tail - 1 - l, l) == 0)
                return end - l;
        } else if (std::memcmp(tail, tail - l, l) == 0) {
            return end - l;
        }
    }
    return end;
}

// The heading's library part against the reference: one differing position
// is allowed, as real autodocs misspell their own library now and then.
bool SameLibrary(const char *line, size_t slash, const char *reference)
{
    size_t refLength = std::strlen(reference);
    int differences = 0;
    for (size_t i = 0; i < slash && differences < 2; ++i)
        differences += i >= refLength || line[i] != reference[i];
    return differences < 2;
}

struct HeadingScan {
    long slash = -1;
    bool letter = false;
    long cut = -1;
    size_t end = 0;
};

// Checks the bytes of a heading line; false when a byte rules it out.
bool ScanHeading(const char *line, HeadingScan &h)
{
    size_t i = 0;
    for (; UBYTE(line[i]) >= 32; ++i) {
        UBYTE c = UBYTE(line[i]), next = UBYTE(line[i + 1]);
        int p = i ? UBYTE(line[i - 1]) : -1;
        switch (c) {
        case ' ':
            if (!h.letter)
                return false;
            if (p >= 0 && p <= 32)
                continue;
            if (h.slash < 0)
                return false;
            if (next == ' ')
                h.cut = long(i);
            continue;
        case '(': case '.': case '[': case '{':
            if (next == ' ')
                return false;
            [[fallthrough]];
        case ')': case ']': case '}':
            if (p == ' ')
                return false;
            [[fallthrough]];
        case '#': case '*': case '-': case '?': case '_':
            if (!h.letter)
                return false;
            continue;
        case '/':
            if (next <= 32 || p == '/')
                return false;
            if (h.slash < 0 && i > 0)
                h.slash = long(i);
            continue;
        default:
            if (c >= '0' && c <= '9')
                continue;
            if (IsLetter(c)) {
                h.letter = true;
                continue;
            }
            return false;
        }
    }
    h.end = i;
    return h.slash >= 0 && h.letter;
}

// The scan's state from one line to the next.
struct Scan {
    Baza *baza;
    std::string reference;    // the first heading line, then the library name
    std::string pending;      // the heading waiting for its entry
    long nameAt = -1;         // where the name starts in pending, -1 for none
    bool headingSeen = false, pendingSet = false, libraryKnown = false, lookForText = false;
    Doc *current = nullptr;
    LONG count = 0, lineNo = 0, startLine = 0, entryStart = 0;

    void Heading(const char *text, size_t length, LONG pos, size_t len);
    void EndBlock(const char *line, size_t length, LONG pos);
    bool NewHeading(const char *text, size_t length, LONG pos, size_t len);
};

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

void Scan::Heading(const char *text, size_t length, LONG pos, size_t len)
{
    pending.assign(text, length);
    char *name = FuncTestDir(pending.data(), reference.c_str());
    nameAt = name ? long(name - pending.data()) : -1;
    pendingSet = true;
    entryStart = pos + LONG(len);
    startLine = lineNo + 1;
    count = 0;
    lookForText = true;
}

bool Scan::NewHeading(const char *text, size_t length, LONG pos, size_t len)
{
    if (!headingSeen) {
        headingSeen = true;
        reference.assign(text, length);
        Heading(text, length, pos, len);
        return true;
    }
    std::string probe(text, length);
    if (!FuncTestDir(probe.data(), reference.c_str()))
        return false;
    if (current)
        current->Lines = count - 1;
    Heading(text, length, pos, len);
    return true;
}

void Scan::EndBlock(const char *line, size_t length, LONG pos)
{
    if (!pendingSet)
        return;
    if (!libraryKnown) {
        if (!HasTextAfterFirst(line, length))
            return;
        libraryKnown = true;
        std::string heading = pending.c_str();   // up to the cut
        reference = heading.substr(0, heading.find('/'));
        DelSTR(&baza->Library);
        baza->Library = NewSTR(reference.c_str(), LONG(reference.size()));
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
}

UBYTE FuncTest(const char *text, size_t length)
{
    for (const SectionHeading *h = FuncName; h->length; ++h)
        if (length >= h->length && std::memcmp(text, h->text, h->length) == 0)
            return h->kind;
    return KIND_OTHER;
}

char *FuncTestDir(char *line, const char *reference)
{
    HeadingScan h;
    if (!ScanHeading(line, h))
        return nullptr;
    size_t end = h.cut >= 0 ? size_t(h.cut) : RepeatedTail(line, h.end);
    line[end] = '\0';
    if (!SameLibrary(line, size_t(h.slash), reference))
        return line;
    return line + h.slash + 1;
}

void ADocScan(Baza *baza, FileHandle *fh)
{
    constexpr ULONG kLine = 8192;
    DelSTR(&baza->Library);
    Seek(fh, 0, OFFSET_BEGINNING);
    Scan scan;
    scan.baza = baza;
    ULONG len;
    const char *line;
    while ((line = FReadLine(fh, kLine, &len))) {
        ++scan.lineNo;
        if (FuncTest(line, len) == KIND_CONTENTS_TABLE)
            break;
    }
    if (!line)
        return;
    LONG pos = Seek(fh, 0, OFFSET_CURRENT);
    while ((line = FReadLine(fh, kLine, &len))) {
        ++scan.lineNo;
        ++scan.count;
        const char *text = line;
        size_t textLength = len;
        if (textLength && text[0] == 12)
            ++text, --textLength;
        bool endsBlock = !textLength || UBYTE(text[0]) <= 32;
        if (!endsBlock) {
            size_t withoutLast = textLength - 1;   // the line's last byte, its newline, goes
            // a heading stops at its first NUL, as the line text it is
            withoutLast = strnlen(text, withoutLast);
            endsBlock = !scan.NewHeading(text, withoutLast, pos, len);
        }
        if (endsBlock)
            scan.EndBlock(line, len, pos);
        pos += LONG(len);
    }
    if (scan.current)
        scan.current->Lines = scan.count;
}
