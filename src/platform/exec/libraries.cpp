#include "libraries.h"

#include <cstring>

namespace {
Library kLibraries[] = {
    {"intuition.library", 50, 0}, {"locale.library", 50, 0},        {"muimaster.library", 20, 0},
    {"utility.library", 50, 0},   {"asl.library", 50, 0},           {"icon.library", 50, 0},
    {"graphics.library", 50, 0},  {"cybergraphics.library", 50, 0},
};
bool withdrawn[sizeof kLibraries / sizeof kLibraries[0]] = {};
}

Library *OpenLibrary(CONST_STRPTR name, ULONG version)
{
    for (size_t i = 0; i < sizeof kLibraries / sizeof kLibraries[0]; ++i) {
        Library &lib = kLibraries[i];
        if (std::strcmp(lib.lib_Name, name) != 0 || withdrawn[i] || lib.lib_Version < version)
            continue;
        ++lib.lib_OpenCnt;
        return &lib;
    }
    return nullptr;
}

void CloseLibrary(Library *lib)
{
    if (lib && lib->lib_OpenCnt)
        --lib->lib_OpenCnt;
}

void SetLibraryAvailable(CONST_STRPTR name, bool available)
{
    for (size_t i = 0; i < sizeof kLibraries / sizeof kLibraries[0]; ++i)
        if (std::strcmp(kLibraries[i].lib_Name, name) == 0)
            withdrawn[i] = !available;
}
