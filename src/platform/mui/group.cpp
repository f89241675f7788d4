// Group: lays out children in a row or a column, or shows one of them at a
// time (page mode). Children may be added and removed between InitChange and
// ExitChange. Method ids of the program that the group does not know are
// passed on to every child.
#include "group.h"

#include "internal.h"

#include <algorithm>

namespace {
IClass *groupClass = nullptr;

struct GroupData {
    std::vector<Object *> children;
    bool horizontal = false;
    bool pageMode = false;
    LONG activePage = 0;
    LONG spacing = -1;
    int changing = 0;
};

LONG ClampPage(GroupData *d, IPTR value)
{
    LONG last = LONG(d->children.size()) - 1;
    LONG page = d->activePage;
    switch (value) {
    case MUIV_Group_ActivePage_Last: page = last; break;
    case MUIV_Group_ActivePage_Prev: page = page - 1; break;
    case MUIV_Group_ActivePage_Next: page = page + 1; break;
    default: page = LONG(value); break;
    }
    return std::max<LONG>(0, std::min(page, std::max<LONG>(last, 0)));
}

void ApplyTags(Object *self, GroupData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case MUIA_Group_Horiz: d->horizontal = t->ti_Data != 0; break;
        case MUIA_Group_PageMode: d->pageMode = t->ti_Data != 0; break;
        case MUIA_Group_Spacing: d->spacing = LONG(t->ti_Data); break;
        case MUIA_Group_ActivePage:
            d->activePage = ClampPage(d, t->ti_Data);
            t->ti_Data = IPTR(d->activePage);   // notifications see the page reached
            break;
        case MUIA_Group_Child:
            d->children.push_back(reinterpret_cast<Object *>(t->ti_Data));
            SetParent(reinterpret_cast<Object *>(t->ti_Data), self);
            break;
        }
    }
}

// A group made with a missing child is not made at all; the children that
// were made are disposed with it, so a failed build leaks nothing.
bool HasMissingChild(TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk))
        if (t->ti_Tag == MUIA_Group_Child && !t->ti_Data)
            return true;
    return false;
}

void DisposeChildren(TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk))
        if (t->ti_Tag == MUIA_Group_Child)
            DisposeObject(reinterpret_cast<Object *>(t->ti_Data));
}

IPTR GroupNew(IClass *cl, Object *self, Msg msg)
{
    if (HasMissingChild(SetTags(msg))) {
        DisposeChildren(SetTags(msg));
        return 0;
    }
    Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
    if (!obj) {
        DisposeChildren(SetTags(msg));
        return 0;
    }
    GroupData *d = NewInstance<GroupData>(cl, obj);
    TagItem *walk = SetTags(msg);
    ApplyTags(obj, d, walk);
    return ToIPTR(obj);
}

IPTR GroupDispose(IClass *cl, Object *self, Msg msg)
{
    GroupData *d = Instance<GroupData>(cl, self);
    for (auto it = d->children.rbegin(); it != d->children.rend(); ++it)
        DisposeObject(*it);
    DeleteInstance<GroupData>(cl, self);
    return DoSuperMethodA(cl, self, msg);
}

IPTR GroupGet(IClass *cl, Object *self, Msg msg)
{
    GroupData *d = Instance<GroupData>(cl, self);
    switch (GetMsg(msg)->opg_AttrID) {
    case MUIA_Group_ActivePage: return Answer(msg, IPTR(d->activePage));
    case MUIA_Group_Horiz: return Answer(msg, d->horizontal);
    case MUIA_Group_PageMode: return Answer(msg, d->pageMode);
    case MUIA_Group_ChildCount: return Answer(msg, d->children.size());
    default: return DoSuperMethodA(cl, self, msg);
    }
}

IPTR Member(IClass *cl, Object *self, Msg msg, bool add)
{
    GroupData *d = Instance<GroupData>(cl, self);
    Object *child = reinterpret_cast<opMember *>(msg)->opam_Object;
    if (!child)
        return FALSE;
    if (add) {
        d->children.push_back(child);
        SetParent(child, self);
    } else {
        std::erase(d->children, child);
        SetParent(child, nullptr);
    }
    if (!d->changing)
        PeerChanged(self, MUIA_Group_ChildCount);
    return TRUE;
}

// Passes a message to every child; the result is the first non-zero answer
// for a search (FindUData), the last answer otherwise.
IPTR ToChildren(GroupData *d, Msg msg, bool firstHit)
{
    IPTR result = 0;
    for (Object *c : std::vector<Object *>(d->children)) {
        result = DoMethodA(c, msg);
        if (firstHit && result)
            return result;
    }
    return result;
}

IPTR GroupDispatcher(IClass *cl, Object *self, Msg msg)
{
    GroupData *d = Instance<GroupData>(cl, self);
    switch (msg->MethodID) {
    case OM_NEW: return GroupNew(cl, self, msg);
    case OM_DISPOSE: return GroupDispose(cl, self, msg);
    case OM_SET: ApplyTags(self, d, SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: return GroupGet(cl, self, msg);
    case OM_ADDMEMBER: return Member(cl, self, msg, true);
    case OM_REMMEMBER: return Member(cl, self, msg, false);
    case MUIM_Group_InitChange: ++d->changing; return TRUE;
    case MUIM_Group_ExitChange:
        if (d->changing && --d->changing == 0)
            PeerChanged(self, MUIA_Group_ChildCount);
        return TRUE;
    case MUIM_FindUData: {
        IPTR own = DoSuperMethodA(cl, self, msg);
        return own ? own : ToChildren(d, msg, true);
    }
    case MUIM_Export:
    case MUIM_Import: DoSuperMethodA(cl, self, msg); return ToChildren(d, msg, false);
    default:
        if (IsToolkitMethod(msg->MethodID))
            return DoSuperMethodA(cl, self, msg);
        return ToChildren(d, msg, false);
    }
}
}

void RegisterGroupClass() { groupClass = MakeBuiltinClass(MUIC_Group, MUIC_Area, sizeof(GroupData), GroupDispatcher); }

Object *GroupChild(Object *group, ULONG n)
{
    if (!group || !IsInstanceOf(group, groupClass))
        return nullptr;
    GroupData *d = Instance<GroupData>(groupClass, group);
    return n < d->children.size() ? d->children[n] : nullptr;
}

const std::vector<Object *> *GroupChildren(Object *group)
{
    if (!group || !IsInstanceOf(group, groupClass))
        return nullptr;
    return &Instance<GroupData>(groupClass, group)->children;
}
