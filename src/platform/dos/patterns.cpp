#include "patterns.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {
// Matching is a backtracking walk; a budget of steps keeps a hostile pattern
// from taking forever (it then simply does not match).
constexpr long kStepBudget = 200000;

int Lower(char c) { return tolower(static_cast<unsigned char>(c)); }

// The end of the single pattern element starting at p (a character, a class, a
// group, or a prefix operator with its operand).
const char *ElementEnd(const char *p)
{
    switch (*p) {
    case '\0': return p;
    case '\'': return p[1] ? p + 2 : p + 1;
    case '#':
    case '~': return ElementEnd(p + 1);
    case '[': {
        const char *q = p + 1;
        while (*q && *q != ']')
            q += (*q == '\'' && q[1]) ? 2 : 1;
        return *q ? q + 1 : q;
    }
    case '(': {
        int depth = 0;
        for (const char *q = p; *q; ++q) {
            if (*q == '\'' && q[1]) {
                ++q;
                continue;
            }
            if (*q == '(')
                ++depth;
            else if (*q == ')' && --depth == 0)
                return q + 1;
        }
        return p + std::strlen(p);
    }
    default: return p + 1;
    }
}

struct Matcher {
    long steps = 0;
    int depth = 0;

    bool Match(const char *p, const char *pend, const char *s);
    bool MatchClass(const char *p, const char *end, char c);
    bool MatchGroup(const char *p, const char *e, const char *rest, const char *pend, const char *s);
    bool MatchAlternative(const char *a, const char *aend, const char *rest, const char *pend, const char *s);
};

bool Matcher::MatchClass(const char *p, const char *end, char c)
{
    bool negate = p < end && (*p == '~' || *p == '^');
    if (negate)
        ++p;
    bool found = false;
    for (; p < end; ++p) {
        char lo = *p == '\'' && p + 1 < end ? *++p : *p;
        char hi = lo;
        if (p + 2 < end && p[1] == '-') {
            hi = p[2];
            p += 2;
        }
        if (Lower(c) >= Lower(lo) && Lower(c) <= Lower(hi))
            found = true;
    }
    return found != negate;
}

// Tries each "|"-separated alternative of a group, each followed by the rest.
bool Matcher::MatchGroup(const char *p, const char *e, const char *rest, const char *pend, const char *s)
{
    const char *innerEnd = (e > p + 1 && e[-1] == ')') ? e - 1 : e;
    const char *alt = p + 1;
    for (const char *q = alt;;) {
        if (q >= innerEnd || *q == '|') {
            if (MatchAlternative(alt, q < innerEnd ? q : innerEnd, rest, pend, s))
                return true;
            if (q >= innerEnd || steps > kStepBudget)
                return false;
            alt = q = q + 1;
            continue;
        }
        q = ElementEnd(q);
    }
}

// An alternative of a group followed by the rest: concatenate by matching the
// alternative against every prefix of s that the rest can follow.
bool Matcher::MatchAlternative(const char *a, const char *aend, const char *rest, const char *pend, const char *s)
{
    size_t len = std::strlen(s);
    for (size_t cut = 0; cut <= len; ++cut) {
        std::string head(s, cut);
        if (Match(a, aend, head.c_str()) && Match(rest, pend, s + cut))
            return true;
        if (steps > kStepBudget)
            return false;
    }
    return false;
}

bool Matcher::Match(const char *p, const char *pend, const char *s)
{
    if (++steps > kStepBudget || depth > 200)
        return false;
    struct Depth {
        int &d;
        Depth(int &x) : d(x) { ++d; }
        ~Depth() { --d; }
    } guard(depth);
    if (p >= pend)
        return *s == '\0';
    const char *e = ElementEnd(p);
    if (e > pend)
        e = pend;
    switch (*p) {
    case '%': return Match(e, pend, s);
    case '*': return Match(e, pend, s) || (*s && Match(p, pend, s + 1));
    case '?': return *s && Match(e, pend, s + 1);
    case '\'': return p + 1 < e && *s && Lower(*s) == Lower(p[1]) && Match(e, pend, s + 1);
    case '[': return *s && MatchClass(p + 1, e - 1, *s) && Match(e, pend, s + 1);
    case '(': return MatchGroup(p, e, e, pend, s);
    case '#': {
        // zero repetitions, or one repetition that consumes something and then more
        if (Match(e, pend, s))
            return true;
        size_t len = std::strlen(s);
        for (size_t cut = 1; cut <= len; ++cut) {
            std::string head(s, cut);
            if (Match(p + 1, e, head.c_str()) && Match(p, pend, s + cut))
                return true;
            if (steps > kStepBudget)
                return false;
        }
        return false;
    }
    case '~': {
        size_t len = std::strlen(s);
        for (size_t cut = 0; cut <= len; ++cut) {
            std::string head(s, cut);
            if (!Match(p + 1, e, head.c_str()) && Match(e, pend, s + cut))
                return true;
            if (steps > kStepBudget)
                return false;
        }
        return false;
    }
    default: return *s && Lower(*s) == Lower(*p) && Match(e, pend, s + 1);
    }
}
}

LONG ParsePatternNoCase(CONST_STRPTR source, STRPTR buffer, LONG size)
{
    size_t len = std::strlen(source);
    if (LONG(len) + 1 > size)
        return -1;
    std::memcpy(buffer, source, len + 1);
    return std::strpbrk(source, "?#*([~%'") ? 1 : 0;
}

BOOL MatchPatternNoCase(CONST_STRPTR parsed, CONST_STRPTR text)
{
    Matcher m;
    return m.Match(parsed, parsed + std::strlen(parsed), text);
}
