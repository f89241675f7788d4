#include "patterns.h"

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

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

namespace {
constexpr size_t kMaxGlobs = 32;
constexpr int kMaxDepth = 8;   // groups in groups; deeper ones a dialog need not show
using Globs = std::vector<std::string>;

bool Alternatives(std::string_view p, Globs &out, int depth);

// Every glob of a sequence times every one of what follows it.
bool Times(Globs &left, const Globs &right)
{
    if (right.size() == 1) {
        for (std::string &a : left)
            a += right.front();
        return true;
    }
    Globs out;
    for (const std::string &a : left)
        for (const std::string &b : right)
            out.push_back(a + b);
    left = std::move(out);
    return left.size() <= kMaxGlobs;
}

size_t Closing(std::string_view p, size_t open)
{
    int depth = 0;
    for (size_t i = open; i < p.size(); ++i) {
        if (p[i] == '\'')
            ++i;
        else if (p[i] == '(')
            ++depth;
        else if (p[i] == ')' && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

bool Sequence(std::string_view p, Globs &out, int depth)
{
    out = {""};
    for (size_t i = 0; i < p.size(); ++i) {
        char c = p[i];
        Globs piece;
        if (c == '#' && i + 1 < p.size() && p[i + 1] == '?') {
            piece = {"*"};
            ++i;
        } else if (c == '(') {
            size_t close = Closing(p, i);
            if (close == std::string_view::npos || !Alternatives(p.substr(i + 1, close - i - 1), piece, depth + 1))
                return false;
            i = close;
        } else if (c == '[') {
            size_t close = p.find(']', i);
            if (close == std::string_view::npos)
                return false;
            piece = {std::string(p.substr(i, close - i + 1))};
            i = close;
        } else if (c == '\'' && i + 1 < p.size() && !std::strchr("*?[ ", p[i + 1])) {
            piece = {std::string(1, p[++i])};
        } else if (std::strchr("#~%|)' ", c)) {
            return false;
        } else {
            piece = {std::string(1, c)};
        }
        if (!Times(out, piece))
            return false;
    }
    return true;
}

// The alternatives "a|b|c" at the outer level of p, each a sequence.
bool Alternatives(std::string_view p, Globs &out, int depth)
{
    out.clear();
    if (depth > kMaxDepth)
        return false;
    size_t start = 0;
    for (size_t i = 0; i <= p.size(); ++i) {
        if (i < p.size() && p[i] == '\'') {
            ++i;
            continue;
        }
        if (i < p.size() && p[i] == '(') {
            i = Closing(p, i);
            if (i == std::string_view::npos)
                return false;
            continue;
        }
        if (i < p.size() && p[i] != '|')
            continue;
        Globs one;
        if (!Sequence(p.substr(start, i - start), one, depth))
            return false;
        out.insert(out.end(), one.begin(), one.end());
        start = i + 1;
    }
    return out.size() <= kMaxGlobs;
}
}

std::vector<std::string> PatternAsGlobs(CONST_STRPTR pattern)
{
    Globs out;
    if (!pattern || !*pattern || !Alternatives(pattern, out, 0))
        return {};
    for (const std::string &g : out)
        if (g.empty())
            return {};
    return out;
}
