// An entry's lines, read from its document when asked (the base keeps only
// where each entry is), turned into UTF-8 from the document's encoding.
#pragma once
#include "entry_index.h"

#include <string>
#include <unordered_map>
#include <vector>

class EntryReader {
public:
    // The entry's own lines, without line ends: an autodoc entry up to the
    // next, a structure up to its closing brace, a method's element, a
    // node; at most maxLines. False when the file cannot be read.
    bool Lines(const EntryRef &ref, size_t maxLines, std::vector<std::string> &lines);
    // The 0-based line of the file where the entry is defined: an autodoc's
    // heading, a structure's first line, a method's element, a node's
    // command.
    long DefinitionLine(const EntryRef &ref);

private:
    bool IsUTF8(const Baza *doc, struct FileHandle *fh);
    std::unordered_map<const Baza *, bool> utf8_;   // each document's encoding, found once
};
