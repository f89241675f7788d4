#include "output.h"

#include "platform/nlist/textcodes.h"

#include <cstring>

namespace {
std::string TerminalCode(const TextCode &c)
{
    switch (c.kind) {
    case CodeKind::Bold: return "\33[1m";
    case CodeKind::Italic: return "\33[3m";
    case CodeKind::Underline: return "\33[4m";
    case CodeKind::Plain: return "\33[0m";
    case CodeKind::Pen:
    case CodeKind::TextPen: return c.a == 8 ? "\33[34m" : c.a == 2 ? "\33[39m" : "\33[3" + std::to_string(c.a % 8) + "m";
    case CodeKind::Separator: return std::string(40, '-');
    default: return std::string();
    }
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
    bool styled = false;
    for (size_t j = 0; j < end;) {
        if (text[j] != kEsc) {
            out += text[j++];
            continue;
        }
        TextCode c = ReadTextCode(text, end, j);
        j += c.length;
        if (c.kind == CodeKind::Embedded) {
            out += "[" + (label ? label(c.a) : std::string()) + "]";
        } else if (mode == CodeOutput::Terminal) {
            std::string code = TerminalCode(c);
            styled = styled || (!code.empty() && code[0] == '\33');
            out += code;
        } else if (c.kind == CodeKind::Separator) {
            out += std::string(40, '-');
        }
    }
    if (styled)
        out += "\33[0m";
    return out;
}
