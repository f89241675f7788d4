#ifndef INTUITION_WINDOW_H
#define INTUITION_WINDOW_H
/*
**  A small sample header written for Vellumscanner: the window
**  structure as a program sees it.
*/

#ifndef EXEC_TYPES_H
#include <exec/types.h>
#endif

struct Window
{
    struct Window  *NextWindow;   /* the next window on the screen */
    WORD            LeftEdge, TopEdge;
    WORD            Width, Height;
    ULONG           Flags;        /* WFLG_ flags */
    UBYTE          *Title;        /* the title in the drag bar */
    struct Screen  *WScreen;      /* the screen the window is on */
    APTR            UserData;     /* the program's own */
};

struct NewWindow
{
    WORD   LeftEdge, TopEdge;
    WORD   Width, Height;
    ULONG  Flags;
    UBYTE *Title;
};

#endif /* INTUITION_WINDOW_H */
