// An entry's lines, read from its document when asked (the base keeps only
// where each entry is), turned into UTF-8 from the document's encoding.
#pragma once
#include "document_files.h"
#include "entry_index.h"

#include <string>
#include <vector>

class EntryReader {
public:
    // The entry's own lines, without line ends: an autodoc entry up to the
    // next, a structure up to its closing brace, a method's element, a
    // node; at most maxLines. False when the file cannot be read.
    // synopsisOnly: an autodoc entry only up to the end of its synopsis.
    bool Lines(const EntryRef &ref, size_t maxLines, std::vector<std::string> &lines, bool synopsisOnly = false);
    // The 0-based line of the file where the entry is defined: an autodoc's
    // heading, a structure's first line, a method's element, a node's
    // command.
    long DefinitionLine(const EntryRef &ref);

private:
    bool ReadLines(const EntryRef &ref, off_t offset, long skip, size_t maxLines, std::vector<std::string> &lines,
                   bool synopsisOnly);

    DocumentFiles files_;
};
