// Image: one of the built-in images (pop-up arrow, file, tape buttons), used
// as a button. Rectangle: an empty area that takes up room.
#include "internal.h"

namespace {
IPTR ImageDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj)
            *Instance<IPTR>(cl, obj) = GetTagData(MUIA_Image_Spec, 0, SetTags(msg));
        return ToIPTR(obj);
    }
    case OM_GET:
        if (GetMsg(msg)->opg_AttrID == MUIA_Image_Spec)
            return Answer(msg, *Instance<IPTR>(cl, self));
        return DoSuperMethodA(cl, self, msg);
    default: return DoSuperMethodA(cl, self, msg);
    }
}

IPTR RectangleDispatcher(IClass *cl, Object *self, Msg msg) { return DoSuperMethodA(cl, self, msg); }
}

void RegisterImageClasses()
{
    MakeBuiltinClass(MUIC_Image, MUIC_Area, sizeof(IPTR), ImageDispatcher);
    MakeBuiltinClass(MUIC_Rectangle, MUIC_Area, 0, RectangleDispatcher);
}
