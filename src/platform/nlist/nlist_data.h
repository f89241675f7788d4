// What the text list class keeps for each list, shared by its files.
#pragma once
#include "../mui/internal.h"
#include "arena.h"
#include "nlist.h"

#include <map>
#include <set>
#include <vector>

struct NListLine {
    APTR element;
    ULONG entry;   // element number
    ULONG piece;   // 0: the whole element; else 1 + index into pieces
};

struct NListPiece {
    ULONG pos, len;
};

struct NListData {
    std::vector<NListLine> lines;
    std::vector<NListPiece> pieces;
    ULONG elements = 0;
    TextArena arena;
    TextArena piecesArena;   // pieces of over-long lines read with ReadLines
    Hook *construct = nullptr, *destruct = nullptr, *display = nullptr;
    bool stringCopies = false;
    APTR pool = nullptr;
    LONG active = MUIV_NList_Active_Off;
    LONG first = 0, visible = 0;
    LONG columns = 80;
    bool utf8 = false;
    int quiet = 0;
    bool input = true;
    std::set<LONG> selected;
    LONG clickLine = -1, clickColumn = -1;
    std::map<LONG, Object *> images;
    char *columnTexts[8] = {};
};

bool NListTextIsUTF8(const NListData *d, const char *text);
// Reads lines from a hook into a list that keeps copies (MUIM_NList_ReadLines).
IPTR NListReadLines(NListData *d, Hook *read, size_t maxLine);
