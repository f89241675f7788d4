// Where the files a guide's links name are found, and whether a guide holds
// a node: both asked before the viewer lets go of the page shown.
#include "aguide.h"

#include "core/ids.h"
#include "core/objects.h"
#include "platform/dos/paths.h"
#include "platform/utility/charset.h"
#include "util/fileinfo.h"

#include <sys/stat.h>

namespace {
bool IsFile(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Whether a document type takes the file (a picture that a guide links to is
// none), asked as the viewer asks them, without showing it.
bool SomeTypeReads(const std::string &path)
{
    FileOpen probe{};
    probe.Name = const_cast<STRPTR>(path.c_str());
    probe.Handle = Open(probe.Name, MODE_OLDFILE);
    bool taken = false;
    for (Object *type : Parser)
        taken = taken || (probe.Handle && type && DoMethod(type, QMXM_View_CheckFType, &probe));
    Close(probe.Handle);
    return taken;
}

std::string Joined(const std::string &dir, const std::string &name)
{
    return dir.empty() ? name : (dir.back() == '/' ? dir : dir + "/") + name;
}

// A name under an "include" folder (any case) in dir or in a folder above.
std::string InIncludeFolder(std::string dir, const std::string &name)
{
    for (;;) {
        std::string path = PathInAnyCase(Joined(Joined(dir, "include"), name));
        if (IsFile(path))
            return path;
        size_t slash = dir.find_last_of('/', dir.size() > 1 ? dir.size() - 2 : 0);
        if (dir.size() <= 1 || slash == std::string::npos)
            return "";
        dir.erase(slash + 1);
    }
}
}

// A volume or an assign ("SYS:", "INCLUDE:") means nothing on this host:
// the name is looked for beside the guide without it, and an INCLUDE: name
// also in an include folder beside or above the guide.
std::string GuideFileBeside(const std::string &guide, const std::string &name)
{
    if (name.empty() || name[0] == '/')
        return PathInAnyCase(name);
    std::string dir(guide.c_str(), size_t(PathPart(guide.c_str()) - guide.c_str()));
    size_t colon = name.find(':');
    std::string rest = colon == std::string::npos ? name : name.substr(colon + 1);
    std::string beside = PathInAnyCase(Joined(dir, rest));
    if (colon == std::string::npos || IsFile(beside) || Stricmp(name.substr(0, colon).c_str(), "INCLUDE") != 0)
        return beside;
    std::string included = InIncludeFolder(dir.empty() ? "." : dir, rest);
    return included.empty() ? beside : included;
}

GuideHolds GuideHoldsNode(const std::string &path, const std::string &node, GuideScanned &scanned)
{
    FileHandle *fh = IsFile(path) && SomeTypeReads(path) ? Open(path.c_str(), MODE_OLDFILE) : nullptr;
    if (!fh)
        return GuideHolds::NoFile;
    char head[99];
    LONG got = Read(fh, head, sizeof head);
    GuideHolds answer = GuideHolds::Node;   // another type of document: its own index decides
    if (got > 0 && GuideDatabase(head, size_t(got), scanned.Header.Database, scanned.ScanStart) &&
        (scanned.Record = BazaAlloc(nullptr, nullptr))) {
        scanned.Path = path;
        AGuideScan(scanned.Record, fh, scanned.ScanStart, scanned.Header);
        answer = GuideHolds::NoNode;
        for (Doc *e = FirstEntry(scanned.Record); e; e = NextEntry(e))
            if (e->Mark == ' ' && Stricmp(e->Name, node.c_str()) == 0)
                answer = GuideHolds::Node;
    }
    Close(fh);
    return answer;
}
