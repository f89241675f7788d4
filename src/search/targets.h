// The documents a search reads, in the order the search visits them, taken
// from the records in the GUI thread so that a worker can read the files
// without touching them.
#pragma once
#include "textsearch.h"

#include <string>
#include <vector>

struct Baza;
struct Doc;

struct SearchTarget {
    std::string Path;       // the full file name
    SearchPosition Start;   // where the search of the document begins
    LONG EntryNr;           // the base tree entry number, 0 for a document on its own
};

// The full file name of a document record.
std::string DocumentPath(const Baza *doc);
// Where a search begins at an entry: at its line when it has lines, else at
// the start of the file (a document without entries is read whole).
SearchPosition EntryStart(const Doc *entry);
// The documents of the base tree from entry number first on, in tree order,
// groups skipped, each searched from its first entry.
std::vector<SearchTarget> BaseTargets(LONG first);
