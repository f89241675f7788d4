#include "classes.h"

#include <cstdlib>
#include <map>

namespace {
constexpr ULONG kAlign = 16;
ULONG AlignUp(ULONG n) { return (n + kAlign - 1) & ~(kAlign - 1); }

// Each object is preceded by a header naming its class.
struct alignas(16) ObjectHeader {
    IClass *oclass;
};

ObjectHeader *Header(const Object *obj)
{
    return reinterpret_cast<ObjectHeader *>(const_cast<char *>(reinterpret_cast<const char *>(obj))) - 1;
}

// The built-in classes live as long as the process: the table is never torn
// down, so they stay reachable to the end.
std::map<std::string, IClass *> &PublicClasses()
{
    static auto *table = new std::map<std::string, IClass *>;
    return *table;
}

// The root class: OM_NEW is sent with the true class in place of the object,
// so the root knows how much instance data the whole chain needs.
IPTR RootDispatcher(IClass *, Object *obj, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        IClass *trueClass = reinterpret_cast<IClass *>(obj);
        size_t size = sizeof(ObjectHeader) + trueClass->cl_InstOffset + trueClass->cl_InstSize;
        auto *header = static_cast<ObjectHeader *>(std::calloc(1, size));
        if (!header)
            return 0;
        header->oclass = trueClass;
        for (IClass *c = trueClass; c; c = c->cl_Super)
            ++c->cl_ObjectCount;
        return ToIPTR(reinterpret_cast<Object *>(header + 1));
    }
    case OM_DISPOSE: {
        ObjectHeader *header = Header(obj);
        for (IClass *c = header->oclass; c; c = c->cl_Super)
            --c->cl_ObjectCount;
        std::free(header);
        return 0;
    }
    default: return 0;
    }
}
}

IClass *RootClass()
{
    static IClass root = [] {
        IClass c;
        c.cl_Dispatcher = RootDispatcher;
        c.cl_ID = "rootclass";
        return c;
    }();
    return &root;
}

IClass *FindPublicClass(CONST_STRPTR id)
{
    if (!id)
        return nullptr;
    if (std::string(id) == "rootclass")
        return RootClass();
    auto it = PublicClasses().find(id);
    return it == PublicClasses().end() ? nullptr : it->second;
}

IClass *MakeClass(CONST_STRPTR id, CONST_STRPTR superId, IClass *superPtr, ULONG instSize, Dispatcher dispatcher)
{
    IClass *super = superPtr ? superPtr : FindPublicClass(superId);
    if (!super || !dispatcher)
        return nullptr;
    auto *cl = new IClass;
    cl->cl_Super = super;
    cl->cl_Dispatcher = dispatcher;
    cl->cl_InstOffset = AlignUp(super->cl_InstOffset + super->cl_InstSize);
    cl->cl_InstSize = AlignUp(instSize);
    cl->cl_ID = id ? id : "";
    ++super->cl_SubclassCount;
    return cl;
}

void AddClass(IClass *cl)
{
    if (cl && !cl->cl_ID.empty())
        PublicClasses()[cl->cl_ID] = cl;
}

BOOL FreeClass(IClass *cl)
{
    if (!cl || cl->cl_ObjectCount || cl->cl_SubclassCount)
        return FALSE;
    auto it = PublicClasses().find(cl->cl_ID);
    if (it != PublicClasses().end() && it->second == cl)
        PublicClasses().erase(it);
    --cl->cl_Super->cl_SubclassCount;
    delete cl;
    return TRUE;
}

Object *NewObjectA(IClass *cl, CONST_STRPTR id, TagItem *tags)
{
    if (!cl)
        cl = FindPublicClass(id);
    if (!cl)
        return nullptr;
    opSet msg = {OM_NEW, tags, nullptr};
    return reinterpret_cast<Object *>(
        cl->cl_Dispatcher(cl, reinterpret_cast<Object *>(cl), reinterpret_cast<Msg>(&msg)));
}

void DisposeObject(Object *obj)
{
    if (!obj)
        return;
    IPTR msg = OM_DISPOSE;
    DoMethodA(obj, reinterpret_cast<Msg>(&msg));
}

IClass *OCLASS(const Object *obj) { return obj ? Header(obj)->oclass : nullptr; }

bool IsInstanceOf(const Object *obj, const IClass *cl)
{
    for (IClass *c = OCLASS(obj); c; c = c->cl_Super)
        if (c == cl)
            return true;
    return false;
}

IPTR DoMethodA(Object *obj, Msg msg)
{
    if (!obj)
        return 0;
    IClass *cl = OCLASS(obj);
    return cl->cl_Dispatcher(cl, obj, msg);
}

IPTR DoSuperMethodA(IClass *cl, Object *obj, Msg msg)
{
    if (!cl || !obj)
        return 0;
    IClass *super = cl->cl_Super;
    return super->cl_Dispatcher(super, obj, msg);
}

IPTR CoerceMethodA(IClass *cl, Object *obj, Msg msg)
{
    if (!cl || !obj)
        return 0;
    return cl->cl_Dispatcher(cl, obj, msg);
}

ULONG SetAttrsA(Object *obj, TagItem *tags)
{
    opSet msg = {OM_SET, tags, nullptr};
    return ULONG(DoMethodA(obj, reinterpret_cast<Msg>(&msg)));
}

ULONG GetAttr(IPTR attr, Object *obj, IPTR *storage)
{
    opGet msg = {OM_GET, attr, storage};
    return ULONG(DoMethodA(obj, reinterpret_cast<Msg>(&msg)));
}

IPTR CallHookPkt(Hook *hook, APTR object, APTR message)
{
    return hook && hook->h_Entry ? hook->h_Entry(hook, object, message) : 0;
}
