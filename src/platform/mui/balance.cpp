// Balance: a bar between two children of a group that a person drags to share
// the room between them. The shares are the weights of its two neighbours;
// with an object id they are kept in the environment store.
#include "area.h"
#include "dataspace.h"
#include "group.h"
#include "internal.h"

namespace {
// The children before and after the bar in its group, and whether the group is a row.
bool Neighbours(Object *self, Object **before, Object **after, bool *horizontal)
{
    Object *parent = reinterpret_cast<Object *>(xget(self, MUIA_Parent));
    const std::vector<Object *> *children = GroupChildren(parent);
    if (!children)
        return false;
    for (size_t i = 0; i < children->size(); ++i) {
        if ((*children)[i] != self)
            continue;
        if (i == 0 || i + 1 >= children->size())
            return false;
        *before = (*children)[i - 1];
        *after = (*children)[i + 1];
        *horizontal = xget(parent, MUIA_Group_Horiz) != 0;
        return true;
    }
    return false;
}

IPTR Exchange(Object *self, Msg msg)
{
    ULONG id = ULONG(xget(self, MUIA_ObjectID));
    Object *before, *after;
    bool horizontal;
    if (!id || !Neighbours(self, &before, &after, &horizontal))
        return 0;
    IPTR attr = horizontal ? MUIA_HorizWeight : MUIA_VertWeight;
    if (msg->MethodID == MUIM_Export) {
        DataspaceOf(msg)->Add(id, JoinNumbers({LONG(xget(before, attr)), LONG(xget(after, attr))}));
        return 0;
    }
    const std::string *value = DataspaceOf(msg)->Find(id);
    LONG w[2];
    if (value && SplitNumbers(*value, w, 2) == 2 && w[0] > 0 && w[1] > 0) {
        SetAttrs(before, attr, w[0]);
        SetAttrs(after, attr, w[1]);
        PeerChanged(reinterpret_cast<Object *>(xget(self, MUIA_Parent)), attr);
    }
    return 0;
}

IPTR BalanceDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case MUIM_Export:
    case MUIM_Import: return Exchange(self, msg);
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterBalanceClass()
{
    MakeBuiltinClass(MUIC_Balance, MUIC_Area, 0, BalanceDispatcher);
    // the bar that keeps its place between runs answers to its own name too
    MakeBuiltinClass("BetterBalance.mcc", MUIC_Balance, 0,
                     [](IClass *cl, Object *o, Msg m) { return DoSuperMethodA(cl, o, m); });
}
