// The helpers every class of the program uses: making and deleting a custom
// class in its slot, and the superclass's OM_NEW with more tags.
#pragma once
#include "platform/mui/mui.h"

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
