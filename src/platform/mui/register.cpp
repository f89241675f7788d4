// Register: a page group with a row of tabs, one title per page.
#include "internal.h"

#include <string>

namespace {
struct RegisterData {
    std::vector<std::string> titles;
};

IPTR RegisterDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (!obj)
            return 0;
        RegisterData *d = NewInstance<RegisterData>(cl, obj);
        auto *titles = reinterpret_cast<const char *const *>(GetTagData(MUIA_Register_Titles, 0, SetTags(msg)));
        for (int i = 0; titles && titles[i]; ++i)
            d->titles.emplace_back(titles[i]);
        SetAttrs(obj, MUIA_Group_PageMode, TRUE, MUIA_NoNotify, TRUE);
        return ToIPTR(obj);
    }
    case OM_DISPOSE: DeleteInstance<RegisterData>(cl, self); return DoSuperMethodA(cl, self, msg);
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterRegisterClass() { MakeBuiltinClass(MUIC_Register, MUIC_Group, sizeof(RegisterData), RegisterDispatcher); }

const std::vector<std::string> *RegisterTitles(Object *obj)
{
    IClass *cl = FindPublicClass(MUIC_Register);
    if (!obj || !IsInstanceOf(obj, cl))
        return nullptr;
    return &Instance<RegisterData>(cl, obj)->titles;
}
