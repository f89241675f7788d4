// Cycle: one choice out of a null-terminated array of labels.
#include "internal.h"

#include <algorithm>

namespace {
struct CycleData {
    const char *const *entries = nullptr;
    LONG count = 0;
    LONG active = 0;
};

void ApplyTags(CycleData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        if (t->ti_Tag == MUIA_Cycle_Entries) {
            d->entries = reinterpret_cast<const char *const *>(t->ti_Data);
            d->count = 0;
            while (d->entries && d->entries[d->count])
                ++d->count;
        } else if (t->ti_Tag == MUIA_Cycle_Active) {
            LONG v = LONG(t->ti_Data);
            d->active = v < 0 ? 0 : (v >= d->count ? std::max<LONG>(d->count - 1, 0) : v);
            t->ti_Data = IPTR(d->active);
        }
    }
}

IPTR CycleDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj)
            ApplyTags(NewInstance<CycleData>(cl, obj), SetTags(msg));
        return ToIPTR(obj);
    }
    case OM_DISPOSE: DeleteInstance<CycleData>(cl, self); return DoSuperMethodA(cl, self, msg);
    case OM_SET: ApplyTags(Instance<CycleData>(cl, self), SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: {
        CycleData *d = Instance<CycleData>(cl, self);
        switch (GetMsg(msg)->opg_AttrID) {
        case MUIA_Cycle_Active: return Answer(msg, IPTR(d->active));
        case MUIA_Cycle_Entries: return Answer(msg, ToIPTR(d->entries));
        default: return DoSuperMethodA(cl, self, msg);
        }
    }
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterCycleClass() { MakeBuiltinClass(MUIC_Cycle, MUIC_Area, sizeof(CycleData), CycleDispatcher); }
