// The settings and run-wide state of the program, in one record: the window
// mode, the unsaved-base flag, the tab and indentation settings.
#pragma once
#include "platform/mui/mui.h"

// one array for the whole program: the settings tell it from a pattern of their own by its address
inline constexpr char DocFilePattern[] = "#?.(doc|h|xml|guide)";
constexpr const char *BazaFileDir = "PROGDIR:QMX_Data/";

struct Konfig {
    WORD FullGUI;
    WORD NoSelFunc;
    WORD AutoOpen;
    WORD Modified;
    STRPTR ProgName;
    STRPTR BaseDefault;
    STRPTR ProjectFile;
    STRPTR ASLPattern;
    LONG TabSize;
    LONG FunSize;
    LONG TxtSize;
    LONG BazaWeight;
    LONG LeftWeight;
    LONG ADocWeight;
    LONG ListMax;
    Object *LastBase;
    Object *LastEntry;
    Object *LastIndex;
    WORD SortReverse;
};

extern Konfig konfig;

void KonfigLoad();
void KonfigSave();
void KonfigFree();
// Applies the tool types of an icon.
void KonfigToolTypes(STRPTR *toolTypes);
