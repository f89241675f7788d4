#include "classes.h"

#include "objects.h"
#include "platform/intuition/classes.h"

MUI_CustomClass *ClassCreate(MUI_CustomClass **slot, LONG flag, CONST_STRPTR superName, ULONG dataSize,
                             Dispatcher dispatcher)
{
    if (flag) {
        if (!*slot)
            *slot = MUI_CreateCustomClass(nullptr, superName, nullptr, dataSize, dispatcher);
        return *slot;
    }
    if (*slot && MUI_DeleteCustomClass(*slot))
        *slot = nullptr;
    return *slot;
}

BOOL ClassSlot(int slot, MUI_CustomClass *(*create)(LONG), BOOL make)
{
    QMXClass[slot] = create(make);
    return make ? QMXClass[slot] != nullptr : TRUE;
}

Object *DoSuperNewA(IClass *cl, Object *obj, TagItem *tags)
{
    opSet msg = {OM_NEW, tags, nullptr};
    return reinterpret_cast<Object *>(DoSuperMethodA(cl, obj, reinterpret_cast<Msg>(&msg)));
}
