// The records of documents and their entries: Baza (one document: its file
// name, library caption, document type and entry list), Doc (one entry: name,
// byte offset, first line, line count, mark) and Find (one search hit). All
// come from the memory pool and are returned there one by one.
#pragma once
#include "platform/exec/lists.h"
#include "platform/intuition/classes.h"

struct Baza {
    STRPTR Dir;
    STRPTR Name;
    UWORD InBase;      // 1: the base tree owns the record; 0: the viewer does
    STRPTR Library;    // the caption over the entry list, or null
    Object *DocType;   // the document type that recognised the file (not owned)
    ULONG FileType;    // the code of the type the viewer recognised the file as (TYPE_ADOC...), 0 before
    MinList Entries;   // of Doc, in file order
};

struct Doc {
    MinNode Node;
    STRPTR Name;
    LONG Offset;
    LONG Line;
    LONG Lines;
    char Mark;
    UBYTE Kept;   // 1: made by KeptDocAlloc, freed with the others of its base
};

struct Find {
    MinNode Node;
    STRPTR Path;
    LONG EntryNr;
    LONG Offset;
    LONG Line;
    LONG Column;
};

Baza *BazaAlloc(CONST_STRPTR dir, CONST_STRPTR name);
// Replaces the caption over the entry list (null: none).
void SetLibrary(Baza *baza, CONST_STRPTR caption);
void BazaFree(Baza *baza);
Doc *DocAlloc(CONST_STRPTR name);
void DocFree(Doc *doc);
void DocFreeList(MinList *list);
// The entries of a base file are many and live as long as the base: each is
// cut, with its name behind it, from large blocks that go together when the
// base is emptied, instead of two pool allocations per entry. DocFree leaves
// such an entry to KeptDocsFree.
Doc *KeptDocAlloc(const char *name, LONG length);
void KeptDocsFree();
size_t KeptDocBytes();   // the blocks held, whole; for the memory figures
Find *FindAlloc(CONST_STRPTR path);
void FindFree(Find *find);
// Frees every record after keep; nothing when keep is null.
void FindFreeList(MinList *list, Find *keep);

// Counts every change of an entry list (an entry added, the entries freed),
// so that what is derived from the lists (the lookup's name
// filters) knows when to derive it anew. Each thread counts its own: a list
// scanned on another thread is nobody else's until the GUI thread puts it in
// place, which counts it then.
extern thread_local ULONG EntryListGeneration;

// Appends an entry to a document's list, or puts it first; the first entry,
// the next one.
inline void AddEntry(Baza *baza, Doc *doc)
{
    ++EntryListGeneration;
    AddTailMinList(&baza->Entries, &doc->Node);
}
inline void AddEntryFirst(Baza *baza, Doc *doc)
{
    ++EntryListGeneration;
    AddHeadMinList(&baza->Entries, &doc->Node);
}
inline Doc *FirstEntry(const Baza *baza) { return reinterpret_cast<Doc *>(FirstMinNode(&baza->Entries)); }
inline Doc *NextEntry(const Doc *doc) { return reinterpret_cast<Doc *>(NextMinNode(&doc->Node)); }
