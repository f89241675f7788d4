// The object system: classes with one dispatcher each, objects whose instance
// data lies in one block (each class's part at its own offset), and the calls
// that send methods, set and get attributes. A class passes what it does not
// handle to its superclass; the root class allocates and frees objects.
#pragma once
#include "tags.h"

#include <string>

struct Object;   // opaque; its instance data is found with INST_DATA
struct IClass;

struct MsgHeader {
    IPTR MethodID;
};
using Msg = MsgHeader *;
using Dispatcher = IPTR (*)(IClass *cl, Object *obj, Msg msg);

struct IClass {
    IClass *cl_Super = nullptr;
    Dispatcher cl_Dispatcher = nullptr;
    ULONG cl_InstOffset = 0;   // where this class's part of the instance data starts
    ULONG cl_InstSize = 0;
    std::string cl_ID;   // public name, or empty
    ULONG cl_ObjectCount = 0;
    ULONG cl_SubclassCount = 0;
    APTR cl_UserData = nullptr;
};

constexpr IPTR OM_NEW = 0x101;
constexpr IPTR OM_DISPOSE = 0x102;
constexpr IPTR OM_SET = 0x103;
constexpr IPTR OM_GET = 0x104;
constexpr IPTR OM_ADDMEMBER = 0x109;
constexpr IPTR OM_REMMEMBER = 0x10A;

struct opSet {
    IPTR MethodID;
    TagItem *ops_AttrList;
    APTR ops_GInfo;
};

struct opGet {
    IPTR MethodID;
    IPTR opg_AttrID;
    IPTR *opg_Storage;
};

struct opMember {
    IPTR MethodID;
    Object *opam_Object;
};

// A class from a superclass given by pointer or by public name. instSize bytes
// of zeroed instance data are reserved for it in every object.
IClass *MakeClass(CONST_STRPTR id, CONST_STRPTR superId, IClass *superPtr, ULONG instSize, Dispatcher dispatcher);
// Fails (false) while objects or subclasses of the class exist.
BOOL FreeClass(IClass *cl);
void AddClass(IClass *cl);   // makes it findable by its public name
IClass *FindPublicClass(CONST_STRPTR id);
IClass *RootClass();

Object *NewObjectA(IClass *cl, CONST_STRPTR id, TagItem *tags);
void DisposeObject(Object *obj);
IPTR DoMethodA(Object *obj, Msg msg);   // 0 for a null object
IPTR DoSuperMethodA(IClass *cl, Object *obj, Msg msg);
IPTR CoerceMethodA(IClass *cl, Object *obj, Msg msg);
ULONG SetAttrsA(Object *obj, TagItem *tags);
ULONG GetAttr(IPTR attr, Object *obj, IPTR *storage);

IClass *OCLASS(const Object *obj);
inline APTR INST_DATA(IClass *cl, Object *obj) { return reinterpret_cast<char *>(obj) + cl->cl_InstOffset; }
// True when obj is of class cl or of a subclass of it.
bool IsInstanceOf(const Object *obj, const IClass *cl);

// Variadic forms: tags and method arguments of any pointer or integer type.
template <class... A> Object *NewObject(IClass *cl, CONST_STRPTR id, A... tags)
{
    return WithTags([&](TagItem *t) { return NewObjectA(cl, id, t); }, tags...);
}

template <class... A> ULONG SetAttrs(Object *obj, A... tags)
{
    return WithTags([&](TagItem *t) { return SetAttrsA(obj, t); }, tags...);
}

template <class... A> IPTR DoMethod(Object *obj, IPTR method, A... args)
{
    IPTR cells[] = {method, ToIPTR(args)...};
    return DoMethodA(obj, reinterpret_cast<Msg>(cells));
}

// Reads one attribute and returns it (0 when the object does not know it).
inline IPTR xget(Object *obj, IPTR attr)
{
    IPTR v = 0;
    GetAttr(attr, obj, &v);
    return v;
}

// Hooks: a function with the hook, an object and a message, as list and
// notification call-backs are passed around.
struct Hook {
    IPTR (*h_Entry)(Hook *hook, APTR object, APTR message);
    APTR h_Data;
};
IPTR CallHookPkt(Hook *hook, APTR object, APTR message);
