#include "output.h"

#include "platform/nlist/textcodes.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace {
std::string TerminalCode(const TextCode &c)
{
    switch (c.kind) {
    case CodeKind::Bold: return "\33[1m";
    case CodeKind::Italic: return "\33[3m";
    case CodeKind::Underline: return "\33[4m";
    case CodeKind::Plain: return "\33[0m";
    case CodeKind::Pen:
    case CodeKind::TextPen:
        return c.a == 8 ? "\33[34m" : c.a == 2 ? "\33[39m" : "\33[3" + std::to_string(c.a % 8) + "m";
    default: return std::string();
    }
}

// Whether any text (or a button) follows at, other codes aside.
bool TextFollows(const char *text, size_t at, size_t end)
{
    while (at < end) {
        if (text[at] != kEsc)
            return true;
        TextCode c = ReadTextCode(text, end, at);
        if (c.kind == CodeKind::Embedded)
            return true;
        at += std::max<size_t>(1, c.length);
    }
    return false;
}

// The window draws a separator as a rule across the list, a title above it
// on the same row; printed, the rule takes a line of its own, apart from
// the text before and after it.
void Rule(std::string &out, bool textBefore, bool textAfter)
{
    if (textBefore)
        out += '\n';
    out += std::string(40, '-');
    if (textAfter)
        out += '\n';
}
}

std::string RenderLine(const char *text, CodeOutput mode, const std::function<std::string(LONG)> &label)
{
    size_t end = std::strlen(text);
    while (end > 0 && (text[end - 1] == '\n' || text[end - 1] == '\r'))
        --end;
    if (mode == CodeOutput::Raw)
        return std::string(text, end);
    std::string out;
    bool styled = false, shown = false;   // shown: text went out on the current line
    for (size_t j = 0; j < end;) {
        if (text[j] != kEsc) {
            out += text[j++];
            shown = true;
            continue;
        }
        TextCode c = ReadTextCode(text, end, j);
        j += c.length;
        if (c.kind == CodeKind::Embedded) {
            out += "[" + (label ? label(c.a) : std::string()) + "]";
            shown = true;
        } else if (c.kind == CodeKind::Separator) {
            bool after = TextFollows(text, j, end);
            Rule(out, shown, after);
            shown = false;
        } else if (mode == CodeOutput::Terminal) {
            std::string code = TerminalCode(c);
            styled = styled || (!code.empty() && code[0] == '\33');
            out += code;
        }
    }
    if (styled)
        out += "\33[0m";
    return out;
}

namespace {
// One conversion for each encoding a document may have: Latin-1 and UTF-8.
// An encoding that is the terminal's own needs none (kNone).
const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
iconv_t toTerminal[2] = {kNone, kNone};

std::string Canonical(std::string name)
{
    for (char &c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
    return name == "ISO88591" || name == "LATIN1" ? "ISO88591" : name;
}
}

// The terminal's character set is the locale's; the program's own locale is
// left as it is (its compares fold Latin-1 through their own table).
void UseTerminalCharset()
{
    locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (!user)
        return;
    std::string codeset = nl_langinfo_l(CODESET, user);
    freelocale(user);
    const char *from[2] = {"ISO-8859-1", "UTF-8"};
    for (int utf8 = 0; utf8 < 2; ++utf8)
        if (Canonical(codeset) != Canonical(from[utf8]))
            toTerminal[utf8] = iconv_open((codeset + "//TRANSLIT").c_str(), from[utf8]);
}

bool TerminalRecodes(bool utf8Document) { return toTerminal[utf8Document] != kNone; }

// A byte the terminal cannot take becomes "?", and the rest goes on.
std::string ForTerminal(std::string_view text, bool utf8Document)
{
    iconv_t cd = toTerminal[utf8Document];
    if (cd == kNone)
        return std::string(text);
    std::string out(text.size() * 2 + 16, '\0');
    char *in = const_cast<char *>(text.data());
    size_t inLeft = text.size(), done = 0;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        char *to = out.data() + done;
        size_t outLeft = out.size() - done;
        size_t rc = iconv(cd, &in, &inLeft, &to, &outLeft);
        done = size_t(to - out.data());
        if (rc != size_t(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (outLeft == 0)
            out.resize(out.size() * 2);
        out[done++] = '?';   // a sequence the document's encoding does not have
        ++in;
        --inLeft;
    }
    out.resize(done);
    return out;
}
