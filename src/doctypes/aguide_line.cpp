// Turning a guide's source line into display text: its text attributes into
// the list's codes with a style state carried from line to line, its links
// into embedded buttons, and "{par}" and "{line}" into line breaks.
#include "aguide.h"

#include "platform/utility/charset.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {
enum AttrEffect : UBYTE {
    FX_NONE,
    FX_BOLD,
    FX_UNBOLD,
    FX_ITALIC,
    FX_UNITALIC,
    FX_UNDERLINE,
    FX_UNUNDERLINE,
    FX_PLAIN,
    FX_JUSTIFY,
    FX_PARD,
    FX_PEN,
    FX_CODE,
    FX_TAB,
    FX_PAR,
    FX_LINE,
    FX_SKIP_ARGS,
    FX_BODY
};

struct AttrRow {
    const char *text;
    UBYTE length;
    const char *code;   // the display code written, or null
    AttrEffect effect;
};

// Compared over the whole row text, in this order: "{par}" and "{pari" are
// never confused, and "{fg back}" is tried only after "{fg background}".
// The rows' numbers are the style state's Pen and Justify values. The named
// colours are the screen's pens by their number: 2 text, 3 shine, 4 shadow,
// 5 fill, 6 fill text, 7 background, 8 highlighted text.
const AttrRow GuideAttrs[] = {
    {"{b}", 3, "\33b", FX_BOLD},                               // 0
    {"{ub}", 4, "\33n", FX_UNBOLD},                            // 1
    {"{i}", 3, "\33i", FX_ITALIC},                             // 2
    {"{ui}", 4, "\33n", FX_UNITALIC},                          // 3
    {"{u}", 3, "\33u", FX_UNDERLINE},                          // 4
    {"{uu}", 4, "\33n", FX_UNUNDERLINE},                       // 5
    {"{plain}", 7, "\33n", FX_PLAIN},                          // 6
    {"{jleft}", 7, "\33l", FX_JUSTIFY},                        // 7
    {"{jright}", 8, "\33r", FX_JUSTIFY},                       // 8
    {"{jcenter}", 9, "\33c", FX_JUSTIFY},                      // 9
    {"{pard}", 6, "\33P[2]", FX_PARD},                         // 10
    {"{fg background}", 15, "\33P[7]", FX_PEN},                // 11
    {"{fg back}", 9, "\33P[0]", FX_PEN},                       // 12
    {"{fg detail}", 11, "\33P[7]", FX_PEN},                    // 13
    {"{fg text}", 9, "\33P[2]", FX_PEN},                       // 14
    {"{fg block}", 10, "\33P[1]", FX_PEN},                     // 15
    {"{fg shadow}", 11, "\33P[4]", FX_PEN},                    // 16
    {"{fg shine}", 10, "\33P[3]", FX_PEN},                     // 17
    {"{fg filltext}", 13, "\33P[6]", FX_PEN},                  // 18
    {"{fg fill}", 9, "\33P[5]", FX_PEN},                       // 19
    {"{fg highlighttext}", 18, "\33P[8]", FX_PEN},             // 20
    {"{fg highlight}", 14, "\33P[8]", FX_PEN},                 // 21
    {"{bg background}", 15, nullptr, FX_NONE},                 // 22
    {"{bg back}", 9, nullptr, FX_NONE},                        // 23
    {"{bg detail}", 11, nullptr, FX_NONE},                     // 24
    {"{bg text}", 9, nullptr, FX_NONE},                        // 25
    {"{bg block}", 10, nullptr, FX_NONE},                      // 26
    {"{bg shadow}", 11, nullptr, FX_NONE},                     // 27
    {"{bg shine}", 10, nullptr, FX_NONE},                      // 28
    {"{bg filltext}", 13, nullptr, FX_NONE},                   // 29
    {"{bg fill}", 9, nullptr, FX_NONE},                        // 30
    {"{bg highlighttext}", 18, nullptr, FX_NONE},              // 31
    {"{bg highlight}", 14, nullptr, FX_NONE},                  // 32
    {"{amigaguide}", 12, "\33bAmigaGuide\xae\33n", FX_NONE},   // 33
    {"{wordwrap}", 10, nullptr, FX_NONE},                      // 34
    {"{code}", 6, nullptr, FX_CODE},                           // 35
    {"{cleartabs}", 11, nullptr, FX_NONE},                     // 36
    {"{tab}", 5, nullptr, FX_TAB},                             // 37
    {"{par}", 5, nullptr, FX_PAR},                             // 38
    {"{line}", 6, nullptr, FX_LINE},                           // 39
    {"{pari", 5, nullptr, FX_SKIP_ARGS},                       // 40
    {"{apen", 5, nullptr, FX_SKIP_ARGS},                       // 41
    {"{bpen", 5, nullptr, FX_SKIP_ARGS},                       // 42
    {"{indent", 7, nullptr, FX_SKIP_ARGS},                     // 43
    {"{lindent", 8, nullptr, FX_SKIP_ARGS},                    // 44
    {"{settabs", 8, nullptr, FX_SKIP_ARGS},                    // 45
    {"{body}", 6, nullptr, FX_BODY},                           // 46
    {nullptr, 0, nullptr, FX_NONE},
};
constexpr int kJustifyLeft = 7, kPenText = 14;

struct LinkRow {
    const char *keyword;
    UBYTE compared;
    LinkAction action;
};

// "rxs " is compared over three characters only, so "rxs" comes before
// "rx "; other actions are no links here and stay in the text as written.
const LinkRow LinkCommand[] = {
    {"link ", 5, LINK_LINK},   {"alink ", 6, LINK_ALINK},   {"close", 5, LINK_CLOSE}, {"rxs ", 3, LINK_RXS},
    {"rx ", 3, LINK_RX},       {"system ", 7, LINK_SYSTEM}, {"quit", 4, LINK_QUIT},   {"beep", 4, LINK_BEEP},
    {"guide ", 6, LINK_GUIDE}, {nullptr, 0, LINK_LINK},
};

bool IsEnd(char c) { return c == '\n' || c == '\0'; }

class LineBuilder {
public:
    LineBuilder(const std::string &source, GuideStyle &style, std::vector<GuideLink> &links, GuideSink &sink)
        : src_(source.c_str()), style_(style), links_(links), sink_(sink)
    {
        WriteStyle();
        lineStart_ = out_.size();
    }

    std::string Run()
    {
        while (!IsEnd(*src_)) {
            if (*src_ == '\\') {
                ++src_;   // the next character is written as it is; before the line end, nothing is
                if (IsEnd(*src_))
                    break;
                out_ += *src_++;
            } else if (*src_ == '@' && (Attribute() || Link() || UnknownCommand())) {
                continue;
            } else {
                out_ += *src_++;
            }
        }
        return out_;
    }

private:
    // The style prefix every display line starts with.
    void WriteStyle()
    {
        if (style_.Bold)
            out_ += "\33b";
        if (style_.Italic)
            out_ += "\33i";
        if (style_.Underline)
            out_ += "\33u";
        if (style_.Justify != kJustifyLeft)
            out_ += GuideAttrs[style_.Justify].code;
        if (style_.Pen != kPenText)
            out_ += GuideAttrs[style_.Pen].code;
    }

    void RestateStyles()
    {
        for (auto [on, code] : {std::pair{style_.Bold, "\33b"}, {style_.Italic, "\33i"}, {style_.Underline, "\33u"}})
            if (on)
                out_ += code;
    }

    bool Attribute()
    {
        for (int row = 0; GuideAttrs[row].text; ++row) {
            const AttrRow &a = GuideAttrs[row];
            if (Strnicmp(src_ + 1, a.text, a.length) != 0)
                continue;
            if (a.code)
                out_ += a.code;
            src_ += 1 + a.length;
            Apply(row, a.effect);
            return true;
        }
        return false;
    }

    void Apply(int row, AttrEffect effect)
    {
        switch (effect) {
        case FX_BOLD: style_.Bold = true; break;
        case FX_UNBOLD: Unset(style_.Bold); break;
        case FX_ITALIC: style_.Italic = true; break;
        case FX_UNITALIC: Unset(style_.Italic); break;
        case FX_UNDERLINE: style_.Underline = true; break;
        case FX_UNUNDERLINE: Unset(style_.Underline); break;
        case FX_PLAIN: Plain(); break;
        case FX_JUSTIFY: style_.Justify = row; break;
        case FX_PARD:
            style_.Pen = kPenText;
            style_.Wrap = style_.NodeWrap;
            break;
        case FX_PEN: style_.Pen = row; break;
        case FX_CODE: style_.Wrap = false; break;
        case FX_TAB: out_ += '\t'; break;
        case FX_PAR:
        case FX_LINE: Break(effect == FX_PAR); break;
        case FX_SKIP_ARGS: SkipArguments(); break;
        case FX_BODY:
            Plain();
            style_.Wrap = style_.WordWrap;
            WriteStyle();
            break;
        case FX_NONE: break;
        }
    }

    // "\33n" ends every style: those still on are written again.
    void Unset(bool &flag)
    {
        flag = false;
        RestateStyles();
    }

    void Plain()
    {
        style_.Bold = style_.Italic = style_.Underline = false;
        style_.Justify = kJustifyLeft;
    }

    // Numeric arguments, up to and with the closing brace, not past the line.
    void SkipArguments()
    {
        while (!IsEnd(*src_) && *src_ != '}')
            ++src_;
        if (*src_ == '}')
            ++src_;
    }

    // "{line}" in a line gives the text before it, an empty line and the
    // rest; "{par}" one more empty line.
    void Break(bool paragraph)
    {
        if (out_.size() > lineStart_)
            sink_.Append(out_, style_.Wrap);
        if (paragraph)
            sink_.Append("", false);
        out_.clear();
        if (!IsEnd(*src_)) {
            sink_.Append("", false);
            WriteStyle();
        }
        lineStart_ = out_.size();
    }

    // "@{" "label" action argument "}" on one line, else no link.
    bool Link()
    {
        if (src_[1] != '{')
            return false;
        const char *p = src_ + 2;
        while (!IsEnd(*p) && *p != '"')
            ++p;
        if (*p != '"')
            return false;
        const char *label = ++p;
        while (!IsEnd(*p) && *p != '"')
            ++p;
        if (*p != '"')
            return false;
        std::string text(label, size_t(p - label));
        for (++p; *p == ' ';)
            ++p;
        const LinkRow *row = LinkCommand;
        while (row->keyword && Strnicmp(p, row->keyword, row->compared) != 0)
            ++row;
        if (!row->keyword)
            return false;
        for (p += row->compared; *p == ' ';)
            ++p;
        const char *arg = p;
        while (!IsEnd(*p) && *p != '}')
            ++p;
        if (*p != '}')
            return false;
        src_ = p + 1;
        MakeButton(row->action, std::string(arg, size_t(p - arg)), text);
        return true;
    }

    // A command this viewer does not draw ("@{maintitle ...}", "@{font ...}")
    // leaves nothing in the text; one not closed on its line stays.
    bool UnknownCommand()
    {
        if (src_[1] != '{' || !std::isalpha(UBYTE(src_[2])))
            return false;
        const char *p = src_ + 2;
        while (!IsEnd(*p) && *p != '}')
            ++p;
        if (*p != '}')
            return false;
        src_ = p + 1;
        return true;
    }

    void MakeButton(LinkAction action, std::string arg, std::string label)
    {
        links_.push_back(GuideLink{action, std::move(arg), std::move(label)});
        LONG n = LONG(links_.size());
        sink_.Button(n, links_.back().Label);
        out_ += "\33o[" + std::to_string(n) + "@" + std::to_string(n) + "]";
    }

    const char *src_;
    GuideStyle &style_;
    std::vector<GuideLink> &links_;
    GuideSink &sink_;
    std::string out_;
    size_t lineStart_ = 0;
};
}

std::string BuildGuideLine(const std::string &line, GuideStyle &style, std::vector<GuideLink> &links, GuideSink &sink)
{
    return LineBuilder(line, style, links, sink).Run();
}

const char *LinkActionName(ULONG action)
{
    static const char *const names[] = {"link", "alink", "close", "rxs", "system", "quit", "beep", "guide", "rx"};
    return action < sizeof names / sizeof names[0] ? names[action] : "";
}

namespace {
// A quoted target: "file/node" or "node" within the quotes, split at the
// last "/", and a line number only after the closing quote.
LinkTarget QuotedTarget(const std::string &target, int form)
{
    size_t close = target.find('"', 1);
    std::string text = target.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    LinkTarget t;
    if (form == 0) {
        t.File = text;
        t.Node = "MAIN";
        return t;
    }
    size_t slash = text.rfind('/');
    t.Node = slash == std::string::npos ? text : text.substr(slash + 1);
    if (slash != std::string::npos)
        t.File = text.substr(0, slash);
    if (close != std::string::npos)
        t.Line = LONG(std::strtol(target.c_str() + close + 1, nullptr, 10));
    return t;
}
}

// Read from the end: a "/" ends the node name (the file is what comes before
// it), the first blank from the end marks a line number.
LinkTarget ParseLinkTarget(const std::string &target, int form)
{
    if (!target.empty() && target[0] == '"')
        return QuotedTarget(target, form);
    LinkTarget t;
    const std::string &text = target;
    if (form == 0) {
        t.File = text.substr(0, !text.empty() && text.back() == '"' ? text.size() - 1 : text.size());
        t.Node = "MAIN";
        return t;
    }
    size_t nodeEnd = text.size(), slash = std::string::npos;
    bool lineSeen = false;
    for (size_t i = text.size(); i-- > 0;) {
        if (text[i] == '/') {
            slash = i;
            break;
        }
        if (text[i] == ' ' && !lineSeen) {
            lineSeen = true;
            t.Line = LONG(std::strtol(text.c_str() + i + 1, nullptr, 10));
            nodeEnd = i;
        } else if (text[i] == '"') {
            nodeEnd = i;
        }
    }
    size_t nodeStart = slash == std::string::npos ? 0 : slash + 1;
    t.Node = text.substr(nodeStart, nodeEnd > nodeStart ? nodeEnd - nodeStart : 0);
    if (slash != std::string::npos)
        t.File = text.substr(0, slash);
    return t;   // no node characters leave the node empty: the index then selects its first line
}
