// What the server shows of an entry, in Markdown: an autodoc's name line,
// its synopsis fenced as C and its other sections under their headings; a
// structure's lines fenced as C; a method's element lines; a node's plain
// text. Each ends with the document's name.
#pragma once
#include "entry_index.h"

#include <string>
#include <vector>

// lines: the entry's lines in UTF-8, as EntryReader gives them.
std::string HoverMarkdown(const EntryRef &ref, const std::vector<std::string> &lines);
// The part that stands for the whole in a short view (completion): an
// autodoc's synopsis, else the first lines; Markdown.
std::string SynopsisMarkdown(const EntryRef &ref, const std::vector<std::string> &lines);
// An autodoc's synopsis lines, their common indentation removed; empty for
// other kinds.
std::vector<std::string> SynopsisLines(const EntryRef &ref, const std::vector<std::string> &lines);
// Whether an autodoc line is a section heading, as the autodoc page tells
// one: text of capitals, "_" and blanks only.
bool IsSectionHeading(const std::string &line);
// Text with the bytes Markdown would read as markup escaped.
std::string EscapedMarkdown(const std::string &text);
