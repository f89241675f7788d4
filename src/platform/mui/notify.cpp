// Notify: the root of every toolkit object. It keeps the notifications, the
// user data and object id, the parent link and the renderer's peer, and runs
// the notifications that match each attribute set.
#include "internal.h"

namespace {
IClass *notifyClass = nullptr;
Renderer *renderer = nullptr;

struct MUIP_Notify {
    IPTR MethodID, attr, trigger;
    Object *dest;
    IPTR count;
    IPTR message[1];
};

Object *ResolveDest(Object *self, Object *dest)
{
    switch (ToIPTR(dest)) {
    case MUIV_Notify_Self: return self;
    case MUIV_Notify_Window: return WindowOf(self);
    case MUIV_Notify_Application: return ApplicationOf(self);
    default: return dest;
    }
}

void Fire(Object *self, const NotifyEntry &n, IPTR value)
{
    std::vector<IPTR> message = n.message;
    for (IPTR &cell : message) {
        if (cell == MUIV_TriggerValue)
            cell = value;
        else if (cell == MUIV_NotTriggerValue)
            cell = !value;
    }
    DoMethodA(ResolveDest(self, n.dest), reinterpret_cast<Msg>(message.data()));
}

// Runs every notification that the attributes of a set trigger. A copy is
// walked, since a notification may add notifications to the same object.
void RunNotifications(Object *self, TagItem *tags)
{
    NotifyData *d = NotifyOf(self);
    if (d->notifies.empty() || GetTagData(MUIA_NoNotify, FALSE, tags))
        return;
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        std::vector<NotifyEntry> matching;
        for (const NotifyEntry &n : NotifyOf(self)->notifies)
            if (n.attr == t->ti_Tag && (n.trigger == MUIV_EveryTime || n.trigger == t->ti_Data))
                matching.push_back(n);
        for (const NotifyEntry &n : matching)
            Fire(self, n, t->ti_Data);
    }
}

IPTR AddNotify(Object *self, Msg msg)
{
    auto *m = reinterpret_cast<MUIP_Notify *>(msg);
    NotifyEntry n{m->attr, m->trigger, m->dest, std::vector<IPTR>(m->message, m->message + m->count)};
    if (n.message.empty())
        return FALSE;
    NotifyOf(self)->notifies.push_back(std::move(n));
    return TRUE;
}

IPTR SetOne(Object *self, MUIP_Set *msg, bool quiet)
{
    return quiet ? SetAttrs(self, msg->Attr, msg->Val, MUIA_NoNotify, TRUE) : SetAttrs(self, msg->Attr, msg->Val);
}

IPTR NotifySet(Object *self, Msg msg)
{
    NotifyData *d = NotifyOf(self);
    TagItem *walk = SetTags(msg);
    while (TagItem *t = NextTagItem(&walk)) {
        if (t->ti_Tag == MUIA_UserData)
            d->userData = t->ti_Data;
        else if (t->ti_Tag == MUIA_ObjectID)
            d->objectID = ULONG(t->ti_Data);
        if (d->peer)
            d->peer->Changed(t->ti_Tag);
    }
    RunNotifications(self, SetTags(msg));
    return 0;
}

IPTR NotifyGet(Object *self, Msg msg)
{
    NotifyData *d = NotifyOf(self);
    switch (GetMsg(msg)->opg_AttrID) {
    case MUIA_UserData: return Answer(msg, d->userData);
    case MUIA_ObjectID: return Answer(msg, d->objectID);
    case MUIA_Parent: return Answer(msg, ToIPTR(d->parent));
    case MUIA_WindowObject: return Answer(msg, ToIPTR(WindowOf(self)));
    case MUIA_ApplicationObject: return Answer(msg, ToIPTR(ApplicationOf(self)));
    default: return 0;
    }
}

IPTR NotifyNew(IClass *cl, Object *obj, Msg msg)
{
    Object *self = reinterpret_cast<Object *>(DoSuperMethodA(cl, obj, msg));
    if (!self)
        return 0;
    NotifyData *d = NewInstance<NotifyData>(cl, self);
    d->userData = GetTagData(MUIA_UserData, 0, SetTags(msg));
    d->objectID = ULONG(GetTagData(MUIA_ObjectID, 0, SetTags(msg)));
    return ToIPTR(self);
}

IPTR NotifyDispose(IClass *cl, Object *self, Msg msg)
{
    NotifyData *d = NotifyOf(self);
    if (d->peer)
        d->peer->Detach();
    DeleteInstance<NotifyData>(cl, self);
    return DoSuperMethodA(cl, self, msg);
}

IPTR CallHook(Object *self, MUIP_CallHook *msg) { return CallHookPkt(msg->Hook, self, &msg->Param1); }

IPTR NotifyDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: return NotifyNew(cl, self, msg);
    case OM_DISPOSE: return NotifyDispose(cl, self, msg);
    case OM_SET: return NotifySet(self, msg);
    case OM_GET: return NotifyGet(self, msg);
    case MUIM_Notify: return AddNotify(self, msg);
    case MUIM_Set: return SetOne(self, reinterpret_cast<MUIP_Set *>(msg), false);
    case MUIM_NoNotifySet: return SetOne(self, reinterpret_cast<MUIP_Set *>(msg), true);
    case MUIM_CallHook: return CallHook(self, reinterpret_cast<MUIP_CallHook *>(msg));
    case MUIM_FindUData:
        return NotifyOf(self)->userData == reinterpret_cast<MUIP_FindUData *>(msg)->udata ? ToIPTR(self) : 0;
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterNotifyClass()
{
    notifyClass = MakeBuiltinClass(MUIC_Notify, "rootclass", sizeof(NotifyData), NotifyDispatcher);
}

NotifyData *NotifyOf(Object *obj) { return Instance<NotifyData>(notifyClass, obj); }

void SetParent(Object *child, Object *parent)
{
    if (child)
        NotifyOf(child)->parent = parent;
}

Object *WindowOf(Object *obj)
{
    for (Object *o = obj; o; o = NotifyOf(o)->parent)
        if (NotifyOf(o)->kind == ObjectKind::Window)
            return o;
    return nullptr;
}

Object *ApplicationOf(Object *obj)
{
    for (Object *o = obj; o; o = NotifyOf(o)->parent)
        if (NotifyOf(o)->kind == ObjectKind::Application)
            return o;
    return nullptr;
}

void SetRenderer(Renderer *r) { renderer = r; }
Renderer *CurrentRenderer() { return renderer; }

Peer *GetPeer(Object *obj) { return obj ? NotifyOf(obj)->peer : nullptr; }
void SetPeer(Object *obj, Peer *peer)
{
    if (obj)
        NotifyOf(obj)->peer = peer;
}

void PeerChanged(Object *obj, IPTR attr)
{
    if (Peer *p = GetPeer(obj))
        p->Changed(attr);
}

const char *BuiltinClassName(const Object *obj)
{
    for (IClass *c = OCLASS(obj); c; c = c->cl_Super)
        if (!c->cl_ID.empty() && c->cl_UserData == reinterpret_cast<APTR>(&renderer))
            return c->cl_ID.c_str();
    return "";
}

IClass *MakeBuiltinClass(CONST_STRPTR name, CONST_STRPTR superName, ULONG dataSize, Dispatcher dispatcher)
{
    IClass *cl = MakeClass(name, superName, nullptr, dataSize, dispatcher);
    cl->cl_UserData = reinterpret_cast<APTR>(&renderer);   // marks the toolkit's own classes
    AddClass(cl);
    return cl;
}

void InitMuiClasses()
{
    if (notifyClass)
        return;
    RegisterNotifyClass();
    RegisterFamilyClasses();
    RegisterAreaClass();
    RegisterGroupClass();
    RegisterTextClass();
    RegisterStringClass();
    RegisterCycleClass();
    RegisterNumericClass();
    RegisterRegisterClass();
    RegisterBalanceClass();
    RegisterImageClasses();
    RegisterPopClasses();
    RegisterWindowClass();
    RegisterApplicationClass();
    RegisterNListClasses();
    RegisterNListtreeClass();
}

MUI_CustomClass *MUI_CreateCustomClass(APTR, CONST_STRPTR superName, MUI_CustomClass *superMcc, ULONG dataSize,
                                       Dispatcher dispatcher)
{
    InitMuiClasses();
    IClass *super = superMcc ? superMcc->mcc_Class : FindPublicClass(superName);
    IClass *cl = MakeClass(nullptr, nullptr, super, dataSize, dispatcher);
    if (!cl)
        return nullptr;
    return new MUI_CustomClass{cl, super};
}

BOOL MUI_DeleteCustomClass(MUI_CustomClass *mcc)
{
    if (!mcc || !FreeClass(mcc->mcc_Class))
        return FALSE;
    delete mcc;
    return TRUE;
}

Object *MUI_NewObjectA(CONST_STRPTR className, TagItem *tags)
{
    InitMuiClasses();
    return NewObjectA(nullptr, className, tags);
}

void MUI_DisposeObject(Object *obj) { DisposeObject(obj); }
