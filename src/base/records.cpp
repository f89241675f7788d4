#include "records.h"

#include "platform/exec/pool.h"
#include "util/strings.h"

#include <cstring>

namespace {
template <class T> T *AllocRecord() { return static_cast<T *>(AllocPooled(MemPool, sizeof(T))); }
template <class T> void FreeRecord(T *record) { FreePooled(MemPool, record, sizeof(T)); }
}

thread_local ULONG EntryListGeneration = 0;

Baza *BazaAlloc(CONST_STRPTR dir, CONST_STRPTR name)
{
    Baza *b = AllocRecord<Baza>();
    if (!b)
        return nullptr;
    NewMinList(&b->Entries);
    b->Dir = NewSTR(dir, -1);
    b->Name = NewSTR(name, -1);
    if (!b->Dir || !b->Name) {
        BazaFree(b);
        return nullptr;
    }
    return b;
}

void BazaFree(Baza *baza)
{
    if (!baza || PoolGoesWhole(MemPool))
        return;   // at the end a base's ten thousands of entries go with the pool, unwalked
    DelSTR(&baza->Dir);
    DelSTR(&baza->Name);
    DelSTR(&baza->Library);
    baza->DocType = nullptr;
    DocFreeList(&baza->Entries);
    FreeRecord(baza);
}

void SetLibrary(Baza *baza, CONST_STRPTR caption)
{
    DelSTR(&baza->Library);
    baza->Library = caption ? NewSTR(caption, LONG(std::strlen(caption))) : nullptr;
}

Doc *DocAlloc(CONST_STRPTR name)
{
    Doc *d = AllocRecord<Doc>();
    if (!d)
        return nullptr;
    d->Mark = ' ';
    if (name && !(d->Name = NewSTR(name, LONG(std::strlen(name))))) {
        FreeRecord(d);
        return nullptr;
    }
    return d;
}

void DocFree(Doc *doc)
{
    if (!doc || doc->Kept)
        return;
    DelSTR(&doc->Name);
    FreeRecord(doc);
}

void DocFreeList(MinList *list)
{
    if (FirstMinNode(list))
        ++EntryListGeneration;
    while (MinNode *n = RemHeadMinList(list))
        DocFree(reinterpret_cast<Doc *>(n));
}

Find *FindAlloc(CONST_STRPTR path)
{
    Find *f = AllocRecord<Find>();
    if (!f)
        return nullptr;
    if (path && !(f->Path = NewSTR(path, LONG(std::strlen(path))))) {
        FreeRecord(f);
        return nullptr;
    }
    return f;
}

void FindFree(Find *find)
{
    if (!find)
        return;
    DelSTR(&find->Path);
    FreeRecord(find);
}

void FindFreeList(MinList *list, Find *keep)
{
    if (!keep)
        return;
    while (MinNode *n = RemTailMinList(list)) {
        if (n == &keep->Node) {
            AddTailMinList(list, n);
            return;
        }
        FindFree(reinterpret_cast<Find *>(n));
    }
}
