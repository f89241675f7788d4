// What the document targets share: the bytes written to a scratch file of
// the target's own, opened in the viewer, and its first entries shown, each
// with a search hit placed somewhere in it.
#pragma once
#include "base/records.h"
#include "core/ids.h"
#include "core/objects.h"
#include "vsdoc/session.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

// after(n) runs once entry n is shown; then(path) once the viewer closed the file.
inline void OpenAndShowEntries(const char *target, const char *suffix, const std::string &text,
                               void (*after)(LONG) = nullptr, void (*then)(const char *) = nullptr)
{
    static Session *session = new Session(target);
    static std::string path = [&] {
        std::string name = std::string("/tmp/") + target + "-XXXXXX" + suffix;
        close(mkstemps(name.data(), int(std::string(suffix).size())));
        return name;
    }();
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    if (session->Ready() && session->Open(path.c_str())) {
        for (LONG i = 0; i < 64 && DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, i); ++i) {
            SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, i);
            if (after)
                after(i);
            Find *hit = FindAlloc(nullptr);
            hit->Line = LONG(text.size() % 97);
            hit->Column = LONG(text.size() % 13);
            DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
            FindFree(hit);
        }
    }
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
    if (session->Ready() && then)
        then(path.c_str());
}

// Whether two records of one file hold the same type, caption and entries.
inline bool SameEntries(const Baza *a, const Baza *b)
{
    if (a->DocType != b->DocType || (a->Library == nullptr) != (b->Library == nullptr) ||
        (a->Library && std::strcmp(a->Library, b->Library) != 0))
        return false;
    const Doc *x = FirstEntry(a), *y = FirstEntry(b);
    for (; x && y; x = NextEntry(x), y = NextEntry(y))
        if (std::strcmp(x->Name, y->Name) != 0 || x->Offset != y->Offset || x->Line != y->Line ||
            x->Lines != y->Lines || x->Mark != y->Mark)
            return false;
    return !x && !y;
}
