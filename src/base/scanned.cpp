// Files scanned on other threads put into the base by the GUI thread: a
// document added, or a document's entries replaced by a rescan.
#include "baza.h"
#include "core/objects.h"
#include "core/requesters.h"
#include "scanqueue.h"

namespace {
void TakeName(Baza *baza, const ScannedFile &file)
{
    FileInfo parts = {baza->Dir, baza->Name};
    GetFileFromPath(&parts, file.FullName.c_str());
    baza->Dir = parts.Dir;
    baza->Name = parts.Name;
}
}

Baza *TakeScanned(ScannedFile &file)
{
    Baza *baza = file.Record;
    file.Record = nullptr;
    TakeName(baza, file);
    baza->DocType = Parser[file.Slot];
    baza->InBase = 1;
    ++EntryListGeneration;   // the lists were made where this thread did not count them
    return baza;
}

bool PutRescanned(Baza *baza, ScannedFile &file)
{
    if (file.Outcome == ScannedFile::NOT_LOCKED)
        return false;
    if (!file.FullName.empty())
        TakeName(baza, file);
    if (file.Outcome == ScannedFile::NOT_OPENED)
        return true;   // the entries stay as they were
    DocFreeList(&baza->Entries);
    baza->DocType = nullptr;
    if (file.Outcome == ScannedFile::NO_TYPE) {
        ViewCannotOpen(SetFilePath(nullptr, baza->Dir, baza->Name));
        return true;
    }
    while (MinNode *n = RemHeadMinList(&file.Record->Entries))
        AddTailMinList(&baza->Entries, n);
    std::swap(baza->Library, file.Record->Library);
    baza->DocType = Parser[file.Slot];
    ++EntryListGeneration;
    return true;
}
