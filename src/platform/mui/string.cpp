// String: a one-line text field. Return in the field arrives as
// MUIA_String_Acknowledge with the contents. With an object id the contents
// are kept in the environment store.
#include "dataspace.h"
#include "internal.h"

#include <string>

namespace {
struct StringData {
    std::string contents;
    LONG maxLen = 80;
};

void Store(StringData *d, const char *s)
{
    d->contents = s ? s : "";
    if (d->maxLen > 0 && d->contents.size() >= size_t(d->maxLen))
        d->contents.resize(size_t(d->maxLen) - 1);
}

void ApplyTags(StringData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        if (t->ti_Tag == MUIA_String_MaxLen)
            d->maxLen = LONG(t->ti_Data);
        else if (t->ti_Tag == MUIA_String_Contents)
            Store(d, reinterpret_cast<const char *>(t->ti_Data));
    }
}

IPTR StringDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj) {
            StringData *d = NewInstance<StringData>(cl, obj);
            d->maxLen = LONG(GetTagData(MUIA_String_MaxLen, 80, SetTags(msg)));
            ApplyTags(d, SetTags(msg));
        }
        return ToIPTR(obj);
    }
    case OM_DISPOSE: DeleteInstance<StringData>(cl, self); return DoSuperMethodA(cl, self, msg);
    case OM_SET: ApplyTags(Instance<StringData>(cl, self), SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: {
        StringData *d = Instance<StringData>(cl, self);
        switch (GetMsg(msg)->opg_AttrID) {
        case MUIA_String_Contents:
        case MUIA_String_Acknowledge: return Answer(msg, ToIPTR(d->contents.c_str()));
        case MUIA_String_MaxLen: return Answer(msg, IPTR(d->maxLen));
        default: return DoSuperMethodA(cl, self, msg);
        }
    }
    case MUIM_Export: {
        ULONG id = ULONG(xget(self, MUIA_ObjectID));
        if (id)
            DataspaceOf(msg)->Add(id, Instance<StringData>(cl, self)->contents);
        return 0;
    }
    case MUIM_Import: {
        ULONG id = ULONG(xget(self, MUIA_ObjectID));
        const std::string *value = id ? DataspaceOf(msg)->Find(id) : nullptr;
        if (value)
            SetAttrs(self, MUIA_String_Contents, value->c_str());
        return 0;
    }
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterStringClass() { MakeBuiltinClass(MUIC_String, MUIC_Area, sizeof(StringData), StringDispatcher); }
