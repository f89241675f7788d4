// Window: a root object, a title, a menu strip and an id under which its
// place and size are kept. Opening asks the renderer to show it; a person's
// close gadget arrives as MUIA_Window_CloseRequest, dropped files as
// MUIA_AppMessage.
#include "dataspace.h"
#include "internal.h"

#include <string>

namespace {
struct WindowData {
    Object *root = nullptr;
    Object *menustrip = nullptr;
    std::string title;
    ULONG id = 0;
    bool open = false;
    bool appWindow = false;
    Object *defaultObject = nullptr;
    LONG geometry[4] = {-1, -1, -1, -1};   // left, top, width, height; -1 = the renderer decides
};

void Open(Object *self, WindowData *d, bool open)
{
    if (d->open == open)
        return;
    d->open = open;
    if (Renderer *r = CurrentRenderer())
        open ? r->OpenWindow(self) : r->CloseWindow(self);
}

void ApplyTags(Object *self, WindowData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        const char *s = reinterpret_cast<const char *>(t->ti_Data);
        switch (t->ti_Tag) {
        case MUIA_Window_Title: d->title = s ? s : ""; break;
        case MUIA_Window_ID: d->id = ULONG(t->ti_Data); break;
        case MUIA_Window_AppWindow: d->appWindow = t->ti_Data != 0; break;
        case MUIA_Window_DefaultObject: d->defaultObject = reinterpret_cast<Object *>(t->ti_Data); break;
        case MUIA_Window_LeftEdge: d->geometry[0] = LONG(t->ti_Data); break;
        case MUIA_Window_TopEdge: d->geometry[1] = LONG(t->ti_Data); break;
        case MUIA_Window_Width: d->geometry[2] = LONG(t->ti_Data); break;
        case MUIA_Window_Height: d->geometry[3] = LONG(t->ti_Data); break;
        case MUIA_Window_Open: Open(self, d, t->ti_Data != 0); break;
        }
    }
}

IPTR WindowNew(IClass *cl, Object *self, Msg msg)
{
    TagItem *tags = SetTags(msg);
    auto *root = reinterpret_cast<Object *>(GetTagData(MUIA_Window_RootObject, 0, tags));
    auto *strip = reinterpret_cast<Object *>(GetTagData(MUIA_Window_Menustrip, 0, tags));
    Object *obj = root ? reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg)) : nullptr;
    if (!obj) {
        DisposeObject(root);
        DisposeObject(strip);
        return 0;
    }
    WindowData *d = NewInstance<WindowData>(cl, obj);
    NotifyOf(obj)->kind = ObjectKind::Window;
    d->root = root;
    d->menustrip = strip;
    SetParent(root, obj);
    SetParent(strip, obj);
    ApplyTags(obj, d, tags);
    return ToIPTR(obj);
}

IPTR WindowGet(IClass *cl, Object *self, Msg msg)
{
    WindowData *d = Instance<WindowData>(cl, self);
    switch (GetMsg(msg)->opg_AttrID) {
    case MUIA_Window_Open: return Answer(msg, d->open);
    case MUIA_Window_Window: return Answer(msg, d->open ? ToIPTR(self) : 0);
    case MUIA_Window_Title: return Answer(msg, ToIPTR(d->title.c_str()));
    case MUIA_Window_ID: return Answer(msg, d->id);
    case MUIA_Window_RootObject: return Answer(msg, ToIPTR(d->root));
    case MUIA_Window_Menustrip: return Answer(msg, ToIPTR(d->menustrip));
    case MUIA_Window_AppWindow: return Answer(msg, d->appWindow);
    case MUIA_Window_DefaultObject: return Answer(msg, ToIPTR(d->defaultObject));
    case MUIA_Window_LeftEdge: return Answer(msg, IPTR(d->geometry[0]));
    case MUIA_Window_TopEdge: return Answer(msg, IPTR(d->geometry[1]));
    case MUIA_Window_Width: return Answer(msg, IPTR(d->geometry[2]));
    case MUIA_Window_Height: return Answer(msg, IPTR(d->geometry[3]));
    default: return DoSuperMethodA(cl, self, msg);
    }
}

IPTR Exchange(WindowData *d, Object *self, Msg msg)
{
    if (d->id) {
        if (msg->MethodID == MUIM_Export) {
            if (d->geometry[2] > 0)
                DataspaceOf(msg)->Add(d->id,
                                      JoinNumbers({d->geometry[0], d->geometry[1], d->geometry[2], d->geometry[3]}));
        } else if (const std::string *v = DataspaceOf(msg)->Find(d->id)) {
            LONG g[4];
            if (SplitNumbers(*v, g, 4) == 4 && g[2] > 0 && g[3] > 0)
                SetAttrs(self, MUIA_Window_LeftEdge, g[0], MUIA_Window_TopEdge, g[1], MUIA_Window_Width, g[2],
                         MUIA_Window_Height, g[3]);
        }
    }
    return DoMethodA(d->root, msg);
}

IPTR WindowDispatcher(IClass *cl, Object *self, Msg msg)
{
    WindowData *d = msg->MethodID == OM_NEW ? nullptr : Instance<WindowData>(cl, self);
    switch (msg->MethodID) {
    case OM_NEW: return WindowNew(cl, self, msg);
    case OM_DISPOSE:
        Open(self, d, false);
        DisposeObject(d->root);   // the objects inside may still reach the menus as they go
        DisposeObject(d->menustrip);
        DeleteInstance<WindowData>(cl, self);
        return DoSuperMethodA(cl, self, msg);
    case OM_SET: ApplyTags(self, d, SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: return WindowGet(cl, self, msg);
    case MUIM_Export:
    case MUIM_Import: return Exchange(d, self, msg);
    case MUIM_FindUData: {
        if (IPTR own = DoSuperMethodA(cl, self, msg))
            return own;
        IPTR inRoot = DoMethodA(d->root, msg);
        return inRoot ? inRoot : DoMethodA(d->menustrip, msg);
    }
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterWindowClass() { MakeBuiltinClass(MUIC_Window, MUIC_Notify, sizeof(WindowData), WindowDispatcher); }
