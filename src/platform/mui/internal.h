// Shared by the built-in classes: instance data with C++ members (constructed
// after the superclass made the object, destroyed before it frees it), the
// Notify part every object has, and class registration.
#pragma once
#include "mui.h"
#include "peer.h"

#include <new>
#include <vector>

template <class D> D *NewInstance(IClass *cl, Object *obj) { return new (INST_DATA(cl, obj)) D(); }
template <class D> D *Instance(IClass *cl, Object *obj) { return static_cast<D *>(INST_DATA(cl, obj)); }
template <class D> void DeleteInstance(IClass *cl, Object *obj) { Instance<D>(cl, obj)->~D(); }

inline TagItem *SetTags(Msg msg) { return reinterpret_cast<opSet *>(msg)->ops_AttrList; }
inline opGet *GetMsg(Msg msg) { return reinterpret_cast<opGet *>(msg); }
// Answers an OM_GET with a value.
inline IPTR Answer(Msg msg, IPTR value)
{
    *GetMsg(msg)->opg_Storage = value;
    return TRUE;
}

enum class ObjectKind : UBYTE { Plain, Window, Application };

struct NotifyEntry {
    IPTR attr;
    IPTR trigger;
    Object *dest;   // or one of the MUIV_Notify_ values
    std::vector<IPTR> message;
};

struct NotifyData {
    std::vector<NotifyEntry> notifies;
    Object *parent = nullptr;
    IPTR userData = 0;
    ULONG objectID = 0;
    Peer *peer = nullptr;
    ObjectKind kind = ObjectKind::Plain;
};

NotifyData *NotifyOf(Object *obj);
void SetParent(Object *child, Object *parent);
Object *WindowOf(Object *obj);
Object *ApplicationOf(Object *obj);

// Registers a built-in class under its public name.
IClass *MakeBuiltinClass(CONST_STRPTR name, CONST_STRPTR superName, ULONG dataSize, Dispatcher dispatcher);

// Method ids of the toolkit itself, as opposed to a program's own: a Group
// passes the program's ids it does not know on to its children.
inline bool IsToolkitMethod(IPTR id)
{
    return id < 0x80000000u || (id & 0xFFFF0000u) == 0x80420000u || (id & 0xFFFF0000u) == 0x9d510000u;
}

// One class's registration function per built-in class.
void RegisterNotifyClass();
void RegisterFamilyClasses();
void RegisterAreaClass();
void RegisterGroupClass();
void RegisterTextClass();
void RegisterStringClass();
void RegisterCycleClass();
void RegisterNumericClass();
void RegisterRegisterClass();
void RegisterBalanceClass();
void RegisterImageClasses();
void RegisterPopClasses();
void RegisterWindowClass();
void RegisterApplicationClass();
void RegisterNListClasses();
void RegisterNListtreeClass();
