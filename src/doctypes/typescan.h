// A file's type decided and its entries scanned without the types' objects,
// so that any thread may do it (a base is built on several): the same tests
// in the same order as the viewer asks its types, and the same scans.
#pragma once
#include "aguide.h"
#include "base/records.h"
#include "platform/dos/files.h"

struct TypeDecision {
    int Slot = -1;        // the viewer's slot of the type that takes the file; -1: none does
    LONG ScanStart = 0;   // where a guide's scan starts
    GuideHeader Header;   // a guide's header fields
};

// Reads the file's first bytes through fh; name is the file's name (a header
// is known by it). False when no type takes the file.
bool DecideType(FileHandle *fh, CONST_STRPTR name, TypeDecision &decision);
// Appends the file's entries to baza and sets its caption, as the type does.
void ScanAsDecided(Baza *baza, FileHandle *fh, TypeDecision &decision);
