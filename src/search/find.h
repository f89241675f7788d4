// The search panel below the viewer: a text found line by line, case
// ignored, in the document shown or through every document of the base,
// with a history of hits to step back and forth through. Files are read by
// a worker thread; the window stays usable and shows the progress, and
// Escape or the stop button cancels.
#pragma once
#include "platform/exec/lists.h"
#include "platform/mui/mui.h"

#include <string>

class FindJob;
struct Find;

struct FindGUIRecord {
    Object *Range;   // 0 the document, 1 the base of files
    Object *Pattern;
    Object *NextBtn;
    Object *PrevBtn;
    Object *Progress;   // "Searched n of m documents" while a search runs
    Object *StopBtn;
};
extern FindGUIRecord FindGUI;

BOOL ClassFind(BOOL create);

struct FindData {
    STRPTR Text;       // the text of the search the history belongs to
    LONG Mode;         // the range when the history began
    MinList Results;   // of Find, oldest first
    Find *Current;     // the hit shown, or null
    FindJob *Job;      // the search running, or null
    ULONG Serial;      // of the latest search started
    BOOL Continuing;   // the running search goes on in the current hit's document first
};

// Modes of FindInit.
constexpr ULONG FIND_INIT = 257;
constexpr ULONG FIND_FREE = 258;

void FindInit(FindData *d, ULONG mode);
// QMXA_Find_Go: 0 a new search, 1 the next hit, 2 the previous one.
void FindGo(FindData *d, Object *self, LONG how);
// The worker's reports.
void FindProgress(FindData *d, ULONG serial);
void FindDone(FindData *d, ULONG serial);
// Cancels the search running, if any; the history stays as it was.
void FindStop(FindData *d);
