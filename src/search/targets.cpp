#include "targets.h"

#include "base/records.h"
#include "core/ids.h"
#include "core/objects.h"
#include "util/fileinfo.h"

std::string DocumentPath(const Baza *doc) { return SetFilePath(nullptr, doc->Dir, doc->Name); }

SearchPosition EntryStart(const Doc *entry)
{
    SearchPosition start;
    if (entry && entry->Lines != 0) {
        start.Offset = entry->Offset;
        start.Line = entry->Line;
    }
    return start;
}

std::vector<SearchTarget> BaseTargets(LONG first)
{
    std::vector<SearchTarget> targets;
    for (LONG k = first < 0 ? 0 : first;; ++k) {
        IPTR entry = DoMethod(QMXObject.BazaObj, QMXM_BazaGetEntry, k);
        if (!entry)
            return targets;
        if (entry == IPTR(-2))
            continue;   // a group
        auto *doc = reinterpret_cast<const Baza *>(entry);
        targets.push_back({DocumentPath(doc), EntryStart(FirstEntry(doc)), k});
    }
}
