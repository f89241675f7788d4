// Area: everything that takes room in a window. It keeps the flags and
// looks a renderer needs and the button state; pressing and releasing arrive
// as MUIA_Pressed sets, so notifications on them work alike for a person and a
// program.
#include "area.h"

#include "internal.h"

namespace {
IClass *areaClass = nullptr;

struct AreaData {
    AreaState state{false, true, MUIV_Frame_None, 0, MUIV_InputMode_None, MUIV_Font_Normal, 100, 100, nullptr, nullptr};
    std::string shortHelp;
    std::string frameTitle;
    bool pressed = false;
    bool selected = false;
};

void ApplyTags(AreaData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case MUIA_Disabled: d->state.disabled = t->ti_Data != 0; break;
        case MUIA_ShowMe: d->state.showMe = t->ti_Data != 0; break;
        case MUIA_Frame: d->state.frame = t->ti_Data; break;
        case MUIA_Background: d->state.background = t->ti_Data; break;
        case MUIA_InputMode: d->state.inputMode = t->ti_Data; break;
        case MUIA_Font: d->state.font = t->ti_Data; break;
        case MUIA_Weight: d->state.horizWeight = d->state.vertWeight = LONG(t->ti_Data); break;
        case MUIA_HorizWeight: d->state.horizWeight = LONG(t->ti_Data); break;
        case MUIA_VertWeight: d->state.vertWeight = LONG(t->ti_Data); break;
        case MUIA_Pressed: d->pressed = t->ti_Data != 0; break;
        case MUIA_Selected: d->selected = t->ti_Data != 0; break;
        case MUIA_FrameTitle: d->frameTitle = t->ti_Data ? reinterpret_cast<const char *>(t->ti_Data) : ""; break;
        case MUIA_ShortHelp: d->shortHelp = t->ti_Data ? reinterpret_cast<const char *>(t->ti_Data) : ""; break;
        }
    }
}

IPTR AreaGet(IClass *cl, Object *self, Msg msg)
{
    AreaData *d = Instance<AreaData>(cl, self);
    switch (GetMsg(msg)->opg_AttrID) {
    case MUIA_Disabled: return Answer(msg, d->state.disabled);
    case MUIA_ShowMe: return Answer(msg, d->state.showMe);
    case MUIA_Pressed: return Answer(msg, d->pressed);
    case MUIA_Selected: return Answer(msg, d->selected);
    case MUIA_HorizWeight: return Answer(msg, IPTR(d->state.horizWeight));
    case MUIA_VertWeight: return Answer(msg, IPTR(d->state.vertWeight));
    case MUIA_ShortHelp: return Answer(msg, ToIPTR(d->shortHelp.c_str()));
    default: return DoSuperMethodA(cl, self, msg);
    }
}

IPTR AreaDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj) {
            AreaData *d = NewInstance<AreaData>(cl, obj);
            d->state.shortHelp = &d->shortHelp;
            d->state.frameTitle = &d->frameTitle;
            ApplyTags(d, SetTags(msg));
        }
        return ToIPTR(obj);
    }
    case OM_DISPOSE: DeleteInstance<AreaData>(cl, self); return DoSuperMethodA(cl, self, msg);
    case OM_SET: ApplyTags(Instance<AreaData>(cl, self), SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: return AreaGet(cl, self, msg);
    case MUIM_Setup: return TRUE;
    case MUIM_Cleanup:
    case MUIM_AskMinMax:
    case MUIM_Draw: return 0;
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterAreaClass() { areaClass = MakeBuiltinClass(MUIC_Area, MUIC_Notify, sizeof(AreaData), AreaDispatcher); }

const AreaState *AreaStateOf(Object *obj)
{
    if (!obj || !IsInstanceOf(obj, areaClass))
        return nullptr;
    return &Instance<AreaData>(areaClass, obj)->state;
}
