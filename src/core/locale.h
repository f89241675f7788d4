// The texts of the user interface, fetched by number. The built-in English
// texts stand in CatArray; at start the user's catalog replaces those it has.
#pragma once
#include "platform/exec/types.h"

struct Catalog;

struct CatEntry {
    LONG id;
    CONST_STRPTR text;
};

constexpr LONG CAT_COUNT = 138;
extern CatEntry CatArray[CAT_COUNT + 1];   // closed by an entry with a null text
extern Catalog *SoftCat;

// The text of an id; message 0 for an id the table does not have.
CONST_STRPTR GetLoc(LONG id);
// Turns the ids a null-terminated array holds into their texts, in place;
// texts it holds already stay.
void GetLocArray(IPTR *array);
// Takes the catalog's texts into the table (nothing without a catalog).
void InitLocaleArray();
// Restores the built-in texts and the ids of the label arrays (for a new
// start in the same process, as tests do).
void ResetLocaleArray();
void ResetLabelArrays();

// Label arrays: message ids until GetLocArray turns them into texts.
extern IPTR DocLab[3];
extern IPTR SzukajTryb[3];
extern IPTR FuncLab[3];
