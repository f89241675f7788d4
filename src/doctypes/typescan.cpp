#include "typescan.h"

#include "adoc.h"
#include "aguide.h"
#include "core/objects.h"
#include "ftxt.h"
#include "hdoc.h"
#include "textpage.h"
#include "xmldoc.h"

namespace {
struct TypeDecision {
    int Slot = -1;        // the viewer's slot of the type that takes the file; -1: none does
    LONG ScanStart = 0;   // where a guide's scan starts
    GuideHeader Header;   // a guide's header fields
};

bool DecideType(FileHandle *fh, CONST_STRPTR name, TypeDecision &decision)
{
    bool (*const tests[PARSER_COUNT])(FileHandle *, CONST_STRPTR, TypeDecision &) = {
        [](FileHandle *f, CONST_STRPTR, TypeDecision &) { return IsADoc(f); },
        [](FileHandle *, CONST_STRPTR n, TypeDecision &) { return IsHeaderName(n); },
        [](FileHandle *f, CONST_STRPTR, TypeDecision &) { return IsXmlDoc(f); },
        [](FileHandle *f, CONST_STRPTR, TypeDecision &d) { return IsGuide(f, d.Header.Database, d.ScanStart); },
        [](FileHandle *f, CONST_STRPTR, TypeDecision &) { return IsText(f); },
    };
    static_assert(PARSER_ADOC == 0 && PARSER_HDOC == 1 && PARSER_XML == 2 && PARSER_AGUIDE == 3 && PARSER_FTXT == 4,
                  "the tests are listed in the order the viewer asks");
    for (int slot = 0; slot < PARSER_COUNT; ++slot)
        if (tests[slot](fh, name, decision)) {
            decision.Slot = slot;
            return true;
        }
    decision.Slot = -1;
    return false;
}

void ScanAsDecided(Baza *baza, FileHandle *fh, TypeDecision &decision)
{
    switch (decision.Slot) {
    case PARSER_ADOC: ADocScan(baza, fh); break;
    case PARSER_HDOC: HDocScan(baza, fh); break;
    case PARSER_XML: XmlDocScan(baza, fh); break;
    case PARSER_AGUIDE: AGuideScan(baza, fh, decision.ScanStart, decision.Header); break;
    case PARSER_FTXT: AddWholeFileEntry(baza); break;
    default: break;
    }
}
}

Baza *ScanDocument(FileHandle *fh, CONST_STRPTR name, CONST_STRPTR library, int *slot)
{
    TypeDecision decision;
    Baza *record = nullptr;
    if (DecideType(fh, name, decision) && (record = BazaAlloc(nullptr, nullptr))) {
        SetLibrary(record, library);
        ScanAsDecided(record, fh, decision);
        *slot = decision.Slot;
    }
    return record;
}
