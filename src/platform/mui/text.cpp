// Text: a line or more of text with text codes, drawn after its pre-parse
// codes ("\33c" centres it).
#include "internal.h"

#include <string>

namespace {
struct TextData {
    std::string contents;
    std::string preParse;
    bool setMin = true;
};

void ApplyTags(TextData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        const char *s = reinterpret_cast<const char *>(t->ti_Data);
        switch (t->ti_Tag) {
        case MUIA_Text_Contents: d->contents = s ? s : ""; break;
        case MUIA_Text_PreParse: d->preParse = s ? s : ""; break;
        case MUIA_Text_SetMin: d->setMin = t->ti_Data != 0; break;
        }
    }
}

IPTR TextDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj)
            ApplyTags(NewInstance<TextData>(cl, obj), SetTags(msg));
        return ToIPTR(obj);
    }
    case OM_DISPOSE: DeleteInstance<TextData>(cl, self); return DoSuperMethodA(cl, self, msg);
    case OM_SET: ApplyTags(Instance<TextData>(cl, self), SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: {
        TextData *d = Instance<TextData>(cl, self);
        switch (GetMsg(msg)->opg_AttrID) {
        case MUIA_Text_Contents: return Answer(msg, ToIPTR(d->contents.c_str()));
        case MUIA_Text_PreParse: return Answer(msg, ToIPTR(d->preParse.c_str()));
        default: return DoSuperMethodA(cl, self, msg);
        }
    }
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterTextClass() { MakeBuiltinClass(MUIC_Text, MUIC_Area, sizeof(TextData), TextDispatcher); }
