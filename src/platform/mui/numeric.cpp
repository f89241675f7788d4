// Numeric: a number kept between a minimum and a maximum. With an object id
// the value is kept in the environment store.
#include "dataspace.h"
#include "internal.h"

#include <algorithm>

namespace {
struct NumericData {
    LONG value = 0, min = 0, max = 100;
};

void ApplyTags(NumericData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case MUIA_Numeric_Min: d->min = LONG(t->ti_Data); break;
        case MUIA_Numeric_Max: d->max = LONG(t->ti_Data); break;
        case MUIA_Numeric_Value:
            d->value = std::clamp(LONG(t->ti_Data), d->min, std::max(d->min, d->max));
            t->ti_Data = IPTR(d->value);
            break;
        }
    }
    d->value = std::clamp(d->value, d->min, std::max(d->min, d->max));
}

IPTR Exchange(IClass *cl, Object *self, Msg msg)
{
    ULONG id = ULONG(xget(self, MUIA_ObjectID));
    if (!id)
        return 0;
    NumericData *d = Instance<NumericData>(cl, self);
    if (msg->MethodID == MUIM_Export) {
        DataspaceOf(msg)->Add(id, JoinNumbers({d->value}));
        return 0;
    }
    const std::string *value = DataspaceOf(msg)->Find(id);
    LONG v;
    if (value && SplitNumbers(*value, &v, 1) == 1)
        SetAttrs(self, MUIA_Numeric_Value, v);
    return 0;
}

IPTR NumericDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj)
            ApplyTags(NewInstance<NumericData>(cl, obj), SetTags(msg));
        return ToIPTR(obj);
    }
    case OM_DISPOSE: DeleteInstance<NumericData>(cl, self); return DoSuperMethodA(cl, self, msg);
    case OM_SET: ApplyTags(Instance<NumericData>(cl, self), SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: {
        NumericData *d = Instance<NumericData>(cl, self);
        switch (GetMsg(msg)->opg_AttrID) {
        case MUIA_Numeric_Value: return Answer(msg, IPTR(d->value));
        case MUIA_Numeric_Min: return Answer(msg, IPTR(d->min));
        case MUIA_Numeric_Max: return Answer(msg, IPTR(d->max));
        default: return DoSuperMethodA(cl, self, msg);
        }
    }
    case MUIM_Export:
    case MUIM_Import: return Exchange(cl, self, msg);
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterNumericClass() { MakeBuiltinClass(MUIC_Numeric, MUIC_Area, sizeof(NumericData), NumericDispatcher); }
