#include "icon.h"

#include "../dos/paths.h"
#include "workbench.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <strings.h>
#include <vector>

namespace {
constexpr size_t kMaxFile = 64 * 1024;   // tool types are a few lines
constexpr size_t kMaxLines = 256;

struct FullDiskObject {
    DiskObject pub;
    std::vector<std::string> lines;
    std::vector<STRPTR> pointers;
};
}

DiskObject *ParseToolTypes(const char *text, size_t size)
{
    auto *d = new FullDiskObject;
    size_t start = 0;
    while (start < size && d->lines.size() < kMaxLines) {
        size_t end = start;
        while (end < size && text[end] != '\n')
            ++end;
        std::string line(text + start, end - start);
        line.erase(std::find(line.begin(), line.end(), '\0'), line.end());
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] != '#' && line[first] != ';')
            d->lines.push_back(line.substr(first));
        start = end + 1;
    }
    for (std::string &l : d->lines)
        d->pointers.push_back(l.data());
    d->pointers.push_back(nullptr);
    d->pub.do_ToolTypes = d->pointers.data();
    return &d->pub;
}

DiskObject *GetDiskObjectNew(CONST_STRPTR name)
{
    if (!name)
        return nullptr;
    std::ifstream in(HostPath((std::string(name) + ".info").c_str()), std::ios::binary);
    if (!in)
        return nullptr;
    std::string text(kMaxFile, '\0');
    in.read(text.data(), std::streamsize(kMaxFile));
    text.resize(size_t(in.gcount()));
    return ParseToolTypes(text.data(), text.size());
}

void FreeDiskObject(DiskObject *obj) { delete reinterpret_cast<FullDiskObject *>(obj); }

STRPTR FindToolType(STRPTR *toolTypes, CONST_STRPTR name)
{
    size_t n = std::strlen(name);
    for (STRPTR *t = toolTypes; t && *t; ++t) {
        if (strncasecmp(*t, name, n) != 0)
            continue;
        if ((*t)[n] == '\0')
            return *t + n;
        if ((*t)[n] == '=')
            return *t + n + 1;
    }
    return nullptr;
}

WBArg *MakeWBArgs(const char *const *paths, LONG count)
{
    auto *args = new WBArg[size_t(count > 0 ? count : 1)]();
    for (LONG i = 0; i < count; ++i) {
        const char *file = FilePart(paths[i]);
        std::string dir(paths[i], size_t(file - paths[i]));
        args[i].wa_Lock = Lock(dir.empty() ? "." : dir.c_str(), SHARED_LOCK);
        args[i].wa_Name = strdup(file);
    }
    return args;
}

void FreeWBArgs(WBArg *args, LONG count)
{
    if (!args)
        return;
    for (LONG i = 0; i < count; ++i) {
        UnLock(args[i].wa_Lock);
        free(args[i].wa_Name);
    }
    delete[] args;
}
