// Making and deleting the program's classes, in their fixed order, and the
// helpers every class uses.
#pragma once
#include "platform/mui/mui.h"

// TRUE creates every class (stopping at the first failure, then FALSE);
// FALSE deletes them all and returns TRUE.
BOOL MakeQMXClass(BOOL create);

// Creates (flag 1) or deletes (flag 0) one custom class kept in *slot;
// returns the class, null on failure or after deleting.
MUI_CustomClass *ClassCreate(MUI_CustomClass **slot, LONG flag, CONST_STRPTR superName, ULONG dataSize,
                             Dispatcher dispatcher);

// Makes (make TRUE) or deletes the class of one slot of QMXClass with its
// Create function; TRUE unless making failed.
BOOL ClassSlot(int slot, MUI_CustomClass *(*create)(LONG), BOOL make);

// The superclass's OM_NEW with the given tags followed by the caller's own.
Object *DoSuperNewA(IClass *cl, Object *obj, TagItem *tags);
template <class... A> Object *DoSuperNew(IClass *cl, Object *obj, TagItem *callerTags, A... tags)
{
    IPTR cells[] = {ToIPTR(tags)..., TAG_MORE, ToIPTR(callerTags)};
    return DoSuperNewA(cl, obj, reinterpret_cast<TagItem *>(cells));
}

// One class per registration function, each with the Create, Initialize and
// Deinitialize pattern.
BOOL ClassIndex(BOOL create);
BOOL ClassView(BOOL create);
BOOL ClassImage(BOOL create);
BOOL ClassBaza(BOOL create);
BOOL ClassGroup(BOOL create);
BOOL ClassFind(BOOL create);
