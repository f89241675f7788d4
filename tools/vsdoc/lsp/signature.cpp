#include "signature.h"

#include "markdown.h"

#include <algorithm>

namespace {
bool IsNameByte(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string Collapsed(const std::string &text)
{
    std::string out;
    for (char c : text) {
        bool blank = c == ' ' || c == '\t' || c == '\n';
        if (blank && (out.empty() || out.back() == ' ' || out.back() == '('))
            continue;
        if (c == ')' && !out.empty() && out.back() == ' ')
            out.pop_back();
        out += blank ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// The parameters between the parentheses that open at `open`: split at the
// commas outside inner parentheses, blanks around each left out.
std::vector<std::pair<size_t, size_t>> Parameters(const std::string &label, size_t open)
{
    std::vector<std::pair<size_t, size_t>> ranges;
    int depth = 0;
    size_t start = open + 1;
    auto add = [&](size_t end) {
        while (start < end && label[start] == ' ')
            ++start;
        while (end > start && label[end - 1] == ' ')
            --end;
        std::string text = label.substr(start, end - start);
        if (end > start && text != "void" && text != "VOID")
            ranges.emplace_back(start, end);
    };
    for (size_t i = open; i < label.size(); ++i) {
        char c = label[i];
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if ((c == ',' && depth == 1) || (c == ')' && depth == 0)) {
            add(i);
            start = i + 1;
            if (c == ')')
                break;
        }
    }
    return ranges;
}

// Each call of name in the text, from the start of its line to its closing
// parenthesis; a prototype (a type before the name, no "=") first.
bool FromSynopsis(const std::string &name, const std::string &text, Prototype &out)
{
    std::string call;
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        size_t after = at + name.size();
        while (after < text.size() && (text[after] == ' ' || text[after] == '\t'))
            ++after;
        if ((at > 0 && IsNameByte(text[at - 1])) || after >= text.size() || text[after] != '(')
            continue;
        size_t lineStart = text.rfind('\n', at);
        lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
        int depth = 0;
        size_t close = after;
        for (; close < text.size(); ++close)
            if ((depth += text[close] == '(' ? 1 : text[close] == ')' ? -1 : 0) == 0)
                break;
        std::string before = Collapsed(text.substr(lineStart, at - lineStart));
        std::string label = Collapsed(text.substr(lineStart, std::min(close + 1, text.size()) - lineStart));
        bool prototype = !before.empty() && before.find('=') == std::string::npos;
        if (prototype || call.empty())
            call = label;
        if (prototype)
            break;
    }
    if (call.empty())
        return false;
    out.label = call;
    out.parameters = Parameters(call, call.find('(', call.find(name)));
    return true;
}

std::string Attribute(const std::string &line, const char *key)
{
    std::string marker = std::string(" ") + key + "=\"";
    size_t at = line.find(marker);
    if (at == std::string::npos)
        return {};
    at += marker.size();
    size_t end = line.find('"', at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

bool FromMethod(const std::string &name, const std::vector<std::string> &lines, Prototype &out)
{
    if (lines.empty())
        return false;
    std::string label = Attribute(lines[0], "result");
    label += (label.empty() || label.back() == '*' ? "" : " ") + name + "(";
    for (const std::string &line : lines)
        if (line.find("<arg ") != std::string::npos) {
            std::string type = Attribute(line, "type"), arg = Attribute(line, "name");
            label += std::string(label.back() == '(' ? "" : ", ") + type +
                     (type.empty() || type.back() == '*' ? "" : " ") + arg;
        }
    out.label = label + ")";
    out.parameters = Parameters(out.label, out.label.find('('));
    return true;
}
}

bool FindPrototype(const EntryRef &ref, const std::string &name, const std::vector<std::string> &lines, Prototype &out)
{
    EntryKind kind = KindOfDocument(ref.doc);
    if (kind == EntryKind::Method)
        return FromMethod(name, lines, out);
    if (kind != EntryKind::Function)
        return false;
    std::string text;
    for (const std::string &line : SynopsisLines(ref, lines))
        text += line + "\n";
    return FromSynopsis(name, text, out);
}
