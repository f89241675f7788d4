// Popstring: a field with a button that opens a pop-up. Popobject: a
// Popstring whose pop-up shows an object (a list) in a small window of its
// own; the window hook runs each time that window opens.
#include "internal.h"

namespace {
IClass *popstringClass = nullptr;

struct PopData {
    Object *popWindow = nullptr;   // made on first opening
    Object *popObject = nullptr;
    Hook *windowHook = nullptr;
    bool isOpen = false;
};

IPTR PopNew(IClass *cl, Object *self, Msg msg)
{
    TagItem *tags = SetTags(msg);
    auto *string = reinterpret_cast<Object *>(GetTagData(MUIA_Popstring_String, 0, tags));
    auto *button = reinterpret_cast<Object *>(GetTagData(MUIA_Popstring_Button, 0, tags));
    auto *object = reinterpret_cast<Object *>(GetTagData(MUIA_Popobject_Object, 0, tags));
    IPTR cells[] = {MUIA_Group_Horiz, TRUE,           MUIA_Group_Spacing, 1,           MUIA_Group_Child, ToIPTR(string),
                    MUIA_Group_Child, ToIPTR(button), TAG_MORE,           ToIPTR(tags)};
    opSet sup = {OM_NEW, reinterpret_cast<TagItem *>(cells), nullptr};
    Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, reinterpret_cast<Msg>(&sup)));
    if (!obj) {
        DisposeObject(object);
        return 0;
    }
    PopData *d = NewInstance<PopData>(cl, obj);
    d->popObject = object;
    d->windowHook = reinterpret_cast<Hook *>(GetTagData(MUIA_Popobject_WindowHook, 0, tags));
    DoMethod(button, MUIM_Notify, MUIA_Pressed, FALSE, obj, 1, MUIM_Popstring_Open);
    return ToIPTR(obj);
}

IPTR PopOpen(PopData *d, Object *self)
{
    if (!d->popObject || d->isOpen)
        return 0;
    if (!d->popWindow) {
        d->popWindow = MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, d->popObject);
        if (!d->popWindow)
            return 0;
        SetParent(d->popWindow, self);
    }
    CallHookPkt(d->windowHook, d->popObject, d->popWindow);
    d->isOpen = true;
    SetAttrs(d->popWindow, MUIA_Window_Open, TRUE);
    return TRUE;
}

IPTR PopClose(PopData *d)
{
    if (!d->isOpen)
        return 0;
    d->isOpen = false;
    SetAttrs(d->popWindow, MUIA_Window_Open, FALSE);
    return TRUE;
}

IPTR PopDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: return PopNew(cl, self, msg);
    case OM_DISPOSE: {
        PopData *d = Instance<PopData>(cl, self);
        if (d->popWindow)
            DisposeObject(d->popWindow);   // disposes the pop-up object with it
        else
            DisposeObject(d->popObject);
        DeleteInstance<PopData>(cl, self);
        return DoSuperMethodA(cl, self, msg);
    }
    case OM_GET:
        if (GetMsg(msg)->opg_AttrID == MUIA_Popstring_IsOpen)
            return Answer(msg, Instance<PopData>(cl, self)->isOpen);
        if (GetMsg(msg)->opg_AttrID == MUIA_Popobject_Object)
            return Answer(msg, ToIPTR(Instance<PopData>(cl, self)->popObject));
        return DoSuperMethodA(cl, self, msg);
    case MUIM_Popstring_Open: return PopOpen(Instance<PopData>(cl, self), self);
    case MUIM_Popstring_Close: return PopClose(Instance<PopData>(cl, self));
    case MUIM_FindUData: {
        IPTR own = DoSuperMethodA(cl, self, msg);
        return own ? own : DoMethodA(Instance<PopData>(cl, self)->popObject, msg);
    }
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterPopClasses()
{
    popstringClass = MakeBuiltinClass(MUIC_Popstring, MUIC_Group, sizeof(PopData), PopDispatcher);
    MakeBuiltinClass(MUIC_Popobject, MUIC_Popstring, 0,
                     [](IClass *cl, Object *self, Msg msg) { return DoSuperMethodA(cl, self, msg); });
}
