#include "markdown.h"

#include "doctypes/adoc.h"
#include "entry_text.h"
#include "guide_text.h"

#include <algorithm>

namespace {
struct Section {
    std::string heading;   // empty for the lines before the first heading
    UBYTE kind = KIND_NONE;
    std::vector<std::string> lines;
};

std::string Trimmed(const std::string &line)
{
    size_t begin = line.find_first_not_of(" \t\f"), end = line.find_last_not_of(" \t\r\f");
    return begin == std::string::npos ? std::string() : line.substr(begin, end - begin + 1);
}

std::vector<Section> Sections(const std::vector<std::string> &lines)
{
    std::vector<Section> sections(1);
    for (const std::string &line : lines) {
        if (IsSectionHeading(line)) {
            std::string heading = Trimmed(line);
            sections.push_back({heading, FuncTest(heading.data(), heading.size()), {}});
        } else {
            sections.back().lines.push_back(line);
        }
    }
    return sections;
}

// Tabs to blanks (stops of 8), the common indentation gone, blank lines at
// either end dropped.
std::vector<std::string> Dedented(const std::vector<std::string> &lines)
{
    std::vector<std::string> out;
    size_t indent = std::string::npos;
    for (const std::string &line : lines) {
        std::string expanded;
        for (char c : line)
            c == '\t' ? expanded.append(8 - expanded.size() % 8, ' ') : expanded.append(1, c);
        size_t first = expanded.find_first_not_of(' ');
        if (first != std::string::npos)
            indent = std::min(indent, first);
        out.push_back(first == std::string::npos ? std::string() : expanded);
    }
    for (std::string &line : out)
        line.erase(0, std::min(indent, line.size()));
    while (!out.empty() && out.back().empty())
        out.pop_back();
    out.erase(out.begin(), std::find_if(out.begin(), out.end(), [](const std::string &l) { return !l.empty(); }));
    return out;
}

std::string Fenced(const std::string &language, const std::vector<std::string> &lines)
{
    std::string out = "```" + language + "\n";
    for (const std::string &line : lines)
        out += line + "\n";
    return out + "```\n";
}

// Lines as Markdown text: each kept as a line of its own, blank lines
// parting paragraphs.
std::string Paragraphs(const std::vector<std::string> &lines)
{
    std::string out;
    for (const std::string &line : lines)
        out += line.empty() ? "\n" : EscapedMarkdown(Trimmed(line)) + "  \n";
    return out;
}

std::string DocumentLine(const EntryRef &ref)
{
    return "\n---\n*" + EscapedMarkdown(ref.doc->Name ? ref.doc->Name : "") + "*\n";
}

std::string AutodocMarkdown(const std::vector<std::string> &lines)
{
    std::string out;
    for (const Section &s : Sections(lines)) {
        std::vector<std::string> body = Dedented(s.lines);
        if (body.empty())
            continue;
        if (s.heading == "NAME")
            out += "**" + EscapedMarkdown(Trimmed(body[0])) + "**\n\n" + Paragraphs({body.begin() + 1, body.end()});
        else if (s.kind == KIND_SYNOPSIS || s.kind == KIND_EXAMPLE)
            out += (s.kind == KIND_EXAMPLE ? "#### EXAMPLE\n" : "") + Fenced("c", body);
        else
            out += (s.heading.empty() ? "" : "#### " + s.heading + "\n") + Paragraphs(body);
        out += "\n";
    }
    return out;
}
}

bool IsSectionHeading(const std::string &line)
{
    std::string text = Trimmed(line);
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'A' && c <= 'Z') || c == '_' || c == ' '; });
}

std::string EscapedMarkdown(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (std::string_view("\\`*_[]<>#|~").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

std::vector<std::string> SynopsisLines(const EntryRef &ref, const std::vector<std::string> &lines)
{
    if (KindOfDocument(ref.doc) != EntryKind::Function)
        return {};
    for (const Section &s : Sections(lines))
        if (s.heading != "NAME" && s.kind == KIND_SYNOPSIS)
            return Dedented(s.lines);
    return {};
}

std::string HoverMarkdown(const EntryRef &ref, const std::vector<std::string> &lines)
{
    switch (KindOfDocument(ref.doc)) {
    case EntryKind::Function: return AutodocMarkdown(lines) + DocumentLine(ref);
    case EntryKind::Structure: return Fenced("c", Dedented(lines)) + DocumentLine(ref);
    case EntryKind::Method: return Fenced("xml", Dedented(lines)) + DocumentLine(ref);
    case EntryKind::Node: return Paragraphs(GuidePlainLines(lines)) + DocumentLine(ref);
    default: return Fenced("text", lines) + DocumentLine(ref);
    }
}

std::string SynopsisMarkdown(const EntryRef &ref, const std::vector<std::string> &lines)
{
    constexpr size_t kShort = 12;
    EntryKind kind = KindOfDocument(ref.doc);
    std::vector<std::string> synopsis = kind == EntryKind::Function ? SynopsisLines(ref, lines)
                                        : kind == EntryKind::Node   ? GuidePlainLines(lines)
                                                                    : Dedented(lines);
    if (synopsis.size() > kShort)
        synopsis.resize(kShort);
    return kind == EntryKind::Node ? Paragraphs(synopsis) : Fenced(kind == EntryKind::Method ? "xml" : "c", synopsis);
}
