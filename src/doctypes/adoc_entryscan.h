// The autodoc entry scan's state from one line to the next, which the scan
// of a whole file and the scan of a large one in parts (adoc_parts.cpp)
// share: a part scanned on its own thread is taken into the whole when the
// state it started from is the state the lines before it left.
#pragma once
#include "base/records.h"
#include "platform/dos/lines.h"

#include <string>

struct ADocEntryScan {
    Baza *baza = nullptr;    // where entries go (and the library, once known)
    std::string reference;   // the first heading line, then the library name
    std::string pending;     // the heading waiting for its entry
    std::string probe;       // a line being tested, kept to save allocations
    long nameAt = -1;        // where the name starts in pending, -1 for none
    bool headingSeen = false, pendingSet = false, libraryKnown = false, lookForText = false;
    bool referenceOpen = false;   // the first heading was no heading: the next one refers to itself
    bool afterContents = false;   // everything up to the contents line is skipped
    Doc *current = nullptr;
    LONG count = 0, lineNo = 0, startLine = 0, entryStart = 0;
    LONG pos = 0;   // the byte offset of the line looked at, then of the next

    // One line as ForEachTextLine hands it on; true asks for the next one.
    bool Line(const char *line, size_t len, PassedLines passed);
    // The lines of the bytes [from, to) of the file, from starting a line.
    void ScanRange(FileHandle *fh, LONG from, LONG to);

private:
    void Heading(char *name, size_t len);
    void EndBlock(const char *line, size_t length, bool atColumn0);
    bool NewHeading(const char *text, size_t length, size_t len, bool newPage);
    char *NameOf(bool newPage);
    bool ContentsGoOn(const char *line, size_t length, bool atColumn0);
};

// Scans a large autodoc in parts, on threads of their own where more than
// one core scans, and takes in the parts that fit the lines before them;
// false (nothing done) when the file is scanned in one piece. scan holds
// the state at the file's end then.
bool ScanADocInParts(ADocEntryScan &scan, FileHandle *fh);
// The bytes a part of a large autodoc has at least (tests set a few, so that
// small files are cut too); 0 goes back to the usual size.
void SetADocPartBytes(LONG bytes);
// The parts taken in from threads by this thread's scans, ever (tests).
ULONG ADocPartsTaken();
