#include "charset.h"

#include <cstdint>
#include <cstring>

namespace {
bool Continuation(UBYTE c) { return (c & 0xC0) == 0x80; }

// The second byte of a UTF-8 letter from À to Þ, folded to its small letter's.
UBYTE LowerUTF8Tail(UBYTE c) { return c >= 0x80 && c <= 0x9E && c != 0x97 ? UBYTE(c + 0x20) : c; }

// The difference of the bytes at k, case folded: through the Latin-1 table,
// but where both sides hold the UTF-8 lead byte of the Latin-1 letters just
// before (names on the host, typed text), as the UTF-8 letter it ends, so
// "Ärger" equals "ärger" in either encoding.
int FoldedDifference(const UBYTE *p, const UBYTE *q, size_t k)
{
    bool utf8 = k > 0 && p[k - 1] == 0xC3 && q[k - 1] == 0xC3 && Continuation(p[k]) && Continuation(q[k]);
    return utf8 ? int(LowerUTF8Tail(p[k])) - int(LowerUTF8Tail(q[k])) : int(ToLower(p[k])) - int(ToLower(q[k]));
}
}

// Equal bytes, by far the most, pass without a look-up.
LONG Strnicmp(CONST_STRPTR a, CONST_STRPTR b, size_t n)
{
    auto *p = reinterpret_cast<const UBYTE *>(a), *q = reinterpret_cast<const UBYTE *>(b);
    for (size_t k = 0; k < n; ++k) {
        if (p[k] == q[k]) {
            if (!p[k])
                return 0;
            continue;
        }
        if (int d = FoldedDifference(p, q, k))
            return d;
    }
    return 0;
}

// Equal runs go by eight bytes at a time.
bool SameIgnoringCase(const char *a, const char *b, size_t n)
{
    auto *p = reinterpret_cast<const UBYTE *>(a), *q = reinterpret_cast<const UBYTE *>(b);
    for (size_t k = 0; k < n;) {
        if (k + 8 <= n) {
            uint64_t x, y;
            std::memcpy(&x, p + k, 8);
            std::memcpy(&y, q + k, 8);
            if (x == y) {
                k += 8;
                continue;
            }
            k += size_t(__builtin_ctzll(x ^ y)) / 8;   // the first byte that differs (little-endian)
        } else if (p[k] == q[k]) {
            ++k;
            continue;
        }
        if (FoldedDifference(p, q, k))
            return false;
        ++k;
    }
    return true;
}

LONG Stricmp(CONST_STRPTR a, CONST_STRPTR b) { return Strnicmp(a, b, SIZE_MAX); }

size_t UTF8SequenceLength(const UBYTE *p, const UBYTE *end)
{
    UBYTE c = p[0];
    if (c < 0x80)
        return 1;
    size_t len = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (len == 0 || size_t(end - p) < len)
        return 0;
    for (size_t i = 1; i < len; ++i)
        if (!Continuation(p[i]))
            return 0;
    // the second byte's range rules out over-long forms, surrogates and values past U+10FFFF
    if ((c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] > 0x9F) || (c == 0xF0 && p[1] < 0x90) ||
        (c == 0xF4 && p[1] > 0x8F))
        return 0;
    return len;
}

size_t WithoutCutSequence(const char *text, size_t length)
{
    auto *p = reinterpret_cast<const UBYTE *>(text);
    for (size_t back = 1; back <= 3 && back <= length; ++back) {
        UBYTE c = p[length - back];
        if (Continuation(c))
            continue;
        size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
        return need > back ? length - back : length;
    }
    return length;
}

bool IsUTF8(const char *text, size_t length)
{
    auto *p = reinterpret_cast<const UBYTE *>(text), *end = p + length;
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        size_t len = UTF8SequenceLength(p, end);
        if (!len)
            return false;
        p += len;
    }
    return true;
}

std::string Latin1ToUTF8(const char *text, size_t length)
{
    std::string out;
    out.reserve(length + length / 8);
    for (size_t i = 0; i < length; ++i) {
        UBYTE c = UBYTE(text[i]);
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string HostText(const char *text)
{
    size_t length = text ? std::strlen(text) : 0;
    return IsUTF8(text, length) ? std::string(text, length) : Latin1ToUTF8(text, length);
}

bool UTF8ToLatin1(const char *text, size_t length, std::string &out)
{
    out.clear();
    auto *p = reinterpret_cast<const UBYTE *>(text), *end = p + length;
    while (p < end) {
        size_t len = UTF8SequenceLength(p, end);
        if (len == 1)
            out += char(*p);
        else if (len == 2 && p[0] <= 0xC3)
            out += char((p[0] & 0x1F) << 6 | (p[1] & 0x3F));
        else
            return false;
        p += len;
    }
    return true;
}
