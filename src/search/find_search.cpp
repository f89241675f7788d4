// The search panel's history of hits and its searches. A search is a list of
// documents handed to a worker; its first hit comes back here and is
// recorded, shown in its document and selected.
#include "find.h"
#include "find_job.h"

#include "base/records.h"
#include "core/ids.h"
#include "core/locale.h"
#include "core/objects.h"
#include "platform/dos/format.h"
#include "util/strings.h"

#include <cstring>

namespace {
bool IsNewest(const Find *f) { return f && !f->Node.mln_Succ->mln_Succ; }
bool IsOldest(const Find *f) { return f && !f->Node.mln_Pred->mln_Pred; }

// The state of the two tape buttons for the hit shown: back while there is
// an older hit, forward always (a search goes on from the newest).
void ShowButtons(FindData *d)
{
    SetAttrs(FindGUI.PrevBtn, MUIA_Disabled, !d->Current || IsOldest(d->Current));
    SetAttrs(FindGUI.NextBtn, MUIA_Disabled, !d->Current);
}

// A hit is recorded after the current one: the hits ahead of it (left by
// going back) are dropped. In base mode a hit in another document has no
// current hit and goes after all the others.
void AddFind2List(FindData *d, const std::string &path, LONG entryNr, const SearchPosition &at)
{
    Find *f = FindAlloc(path.c_str());
    if (!f)
        return;   // no memory: the hit is not recorded
    if (d->Current)
        FindFreeList(&d->Results, d->Current);
    f->EntryNr = entryNr;
    f->Offset = LONG(at.Offset);
    f->Line = at.Line;
    f->Column = at.Column;
    AddTailMinList(&d->Results, &f->Node);
    d->Current = f;
}

// The current hit shown in its document: in base mode through its tree
// entry, otherwise the viewer opens its file if it shows another; then the
// document type brings the line into view and selects the hit.
void ShowCurrent(FindData *d)
{
    ShowButtons(d);
    Find *hit = d->Current;
    if (!hit)
        return;
    if (d->Mode == 1) {
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_ActiveNr, hit->EntryNr);
    } else {
        auto shown = reinterpret_cast<CONST_STRPTR>(xget(QMXObject.ViewObj, QMXA_View_File));
        if (!shown || std::strcmp(shown, hit->Path) != 0)
            SetAttrs(QMXObject.ViewObj, QMXA_View_File, hit->Path);
    }
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
}

// Shown once a search has run a little while (a search of one document is
// usually over before), so the panel does not flicker at every search.
// Escape stops a search at any time; the stop button wakes with the progress.
void ShowProgress(FindData *d)
{
    IPTR args[] = {IPTR(d->Job->Searched()), IPTR(d->Job->Count())};
    SetAttrs(FindGUI.Progress, MUIA_Text_Contents, VFormat(GetLoc(121), args, 2).c_str());
    SetAttrs(FindGUI.StopBtn, MUIA_Disabled, FALSE);
}

// While a search runs the field and the tape buttons rest.
void ShowRunning(FindData *d, bool running)
{
    SetAttrs(FindGUI.Pattern, MUIA_Disabled, running);
    if (running) {
        SetAttrs(FindGUI.PrevBtn, MUIA_Disabled, TRUE);
        SetAttrs(FindGUI.NextBtn, MUIA_Disabled, TRUE);
        return;
    }
    SetAttrs(FindGUI.Progress, MUIA_Text_Contents, "");
    SetAttrs(FindGUI.StopBtn, MUIA_Disabled, TRUE);
    ShowButtons(d);
}

void Start(FindData *d, Object *self, std::vector<SearchTarget> targets, bool continuing)
{
    FindStop(d);
    d->Continuing = continuing;
    TextPattern pattern(d->Text, std::strlen(d->Text));
    d->Job = new FindJob(self, ++d->Serial, std::move(targets), pattern);
    ShowRunning(d, true);
}

LONG ActiveTreeEntry()
{
    LONG k = LONG(xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr));
    return k < 0 ? 0 : k;
}

// A new search: in the document shown from the selected entry, or through
// the base from the active tree entry (itself searched first).
void NewSearch(FindData *d, Object *self)
{
    FindInit(d, FIND_FREE);
    if (!*d->Text)
        return;
    if (d->Mode == 1) {
        Start(d, self, BaseTargets(ActiveTreeEntry()), false);
        return;
    }
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    if (!doc)
        return;
    auto *entry = reinterpret_cast<Doc *>(DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, -1));
    Start(d, self, {{DocumentPath(doc), EntryStart(entry), 0}}, false);
}

// From the newest hit the search goes on one character after it in its
// document, and in base mode on through the tree after the active entry;
// from an older hit the next one is shown again without reading a file.
void Next(FindData *d, Object *self)
{
    Find *hit = d->Current;
    if (!hit)
        return;
    if (IsNewest(hit)) {
        std::vector<SearchTarget> targets = {{hit->Path, {hit->Offset, hit->Line, hit->Column}, hit->EntryNr}};
        if (d->Mode == 1)
            for (SearchTarget &t : BaseTargets(LONG(xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr)) + 1))
                targets.push_back(std::move(t));
        Start(d, self, std::move(targets), true);
        return;
    }
    d->Current = reinterpret_cast<Find *>(hit->Node.mln_Succ);
    ShowCurrent(d);
}

void Previous(FindData *d)
{
    if (!d->Current || IsOldest(d->Current))
        return;
    d->Current = reinterpret_cast<Find *>(d->Current->Node.mln_Pred);
    ShowCurrent(d);
}
}

void FindInit(FindData *d, ULONG mode)
{
    if (mode == FIND_FREE) {
        FindStop(d);
        while (MinNode *n = RemHeadMinList(&d->Results))
            FindFree(reinterpret_cast<Find *>(n));
    }
    NewMinList(&d->Results);
    d->Current = nullptr;
    auto typed = reinterpret_cast<CONST_STRPTR>(xget(FindGUI.Pattern, MUIA_String_Contents));
    typed = typed ? typed : "";
    CONST_STRPTR text = WithoutLeadingBlanks(typed);
    DelSTR(&d->Text);
    d->Text = NewSTR(text, LONG(std::strlen(text)));
    if (text != typed)
        SetAttrs(FindGUI.Pattern, MUIA_String_Contents, d->Text);
    d->Mode = LONG(xget(FindGUI.Range, MUIA_Cycle_Active));
    SetAttrs(FindGUI.PrevBtn, MUIA_Disabled, TRUE);
    SetAttrs(FindGUI.NextBtn, MUIA_Disabled, TRUE);
}

void FindGo(FindData *d, Object *self, LONG how)
{
    if (how == 0)
        NewSearch(d, self);
    else if (d->Job)
        return;   // the buttons rest while a search runs
    else if (how == 1)
        Next(d, self);
    else if (how == 2)
        Previous(d);
}

void FindProgress(FindData *d, ULONG serial)
{
    if (d->Job && d->Job->Serial() == serial)
        ShowProgress(d);
}

// The end of a search. A hit in another document than the current hit's is
// recorded after all others; a search that found nothing leaves the history
// as it was, with nothing ahead.
void FindDone(FindData *d, ULONG serial)
{
    if (!d->Job || d->Job->Serial() != serial)
        return;   // a search cancelled meanwhile
    SearchPosition where;
    const SearchTarget *target = d->Job->Hit(where);
    bool sameDocument = d->Continuing && target && target->Path == d->Current->Path &&
                        target->EntryNr == d->Current->EntryNr;
    if (target) {
        if (!sameDocument)
            d->Current = nullptr;
        AddFind2List(d, target->Path, target->EntryNr, where);
    }
    delete d->Job;
    d->Job = nullptr;
    ShowRunning(d, false);
    if (target)
        ShowCurrent(d);
    else
        SetAttrs(FindGUI.NextBtn, MUIA_Disabled, TRUE);
}

void FindStop(FindData *d)
{
    if (!d->Job)
        return;
    delete d->Job;
    d->Job = nullptr;
    ShowRunning(d, false);
}
