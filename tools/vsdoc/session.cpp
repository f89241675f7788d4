#include "session.h"

#include "base/baza.h"
#include "base/records.h"
#include "core/ids.h"
#include "core/locale.h"
#include "core/objects.h"
#include "platform/exec/pool.h"

#include <cstdio>

LONG StderrRequester::Request(const std::string &, const std::string &buttons, const std::string &text)
{
    if (buttons == GetLoc(64))
        return 1;   // "Save|Cancel": vsdoc was told to write
    std::fprintf(stderr, "%s\n", text.c_str());
    return 0;
}

void StderrRequester::Notice(const std::string &text) { std::fprintf(stderr, "%s\n", text.c_str()); }

Session::Session(const char *program) : program_((SetRequesterBackend(&requester_), program)) {}

Session::~Session()
{
    PoolWillGoWhole(MemPool);   // vsdoc ends with the session: its records go at once
    SetRequesterBackend(nullptr);
}

bool Session::Open(const char *file)
{
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, file);
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    return doc && doc->DocType;
}

void Session::FreeRecord::operator()(Baza *baza) const { BazaFree(baza); }

Baza *Session::Index(const char *file)
{
    indexed_.reset(BazaAlloc(nullptr, nullptr));
    if (!indexed_)
        return nullptr;
    return BazaIndexFile(file, indexed_.get(), nullptr, 0) ? indexed_.get() : nullptr;
}
