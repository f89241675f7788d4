// Menus: a Family of a menu strip, its menus and their items. A person's pick
// arrives as MUIA_Menuitem_Trigger on the item; the item then flips its check
// mark when it toggles, and the application reports its user data as the menu
// action and as a return id.
#include "family.h"
#include "internal.h"

#include <string>

namespace {
IClass *familyClass = nullptr;

struct FamilyData {
    std::vector<Object *> children;
};

struct ItemData {
    std::string title;
    std::string shortcut;
    bool enabled = true, checkit = false, checked = false, toggle = false;
};

void AddChildren(Object *self, FamilyData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk))
        if (t->ti_Tag == MUIA_Family_Child && t->ti_Data) {
            d->children.push_back(reinterpret_cast<Object *>(t->ti_Data));
            SetParent(d->children.back(), self);
        }
}

IPTR FamilyDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj)
            AddChildren(obj, NewInstance<FamilyData>(cl, obj), SetTags(msg));
        return ToIPTR(obj);
    }
    case OM_DISPOSE: {
        for (Object *c : Instance<FamilyData>(cl, self)->children)
            DisposeObject(c);
        DeleteInstance<FamilyData>(cl, self);
        return DoSuperMethodA(cl, self, msg);
    }
    case OM_ADDMEMBER: {
        Object *child = reinterpret_cast<opMember *>(msg)->opam_Object;
        Instance<FamilyData>(cl, self)->children.push_back(child);
        SetParent(child, self);
        return TRUE;
    }
    case MUIM_FindUData: {
        if (IPTR own = DoSuperMethodA(cl, self, msg))
            return own;
        for (Object *c : Instance<FamilyData>(cl, self)->children)
            if (IPTR hit = DoMethodA(c, msg))
                return hit;
        return 0;
    }
    default: return DoSuperMethodA(cl, self, msg);
    }
}

void ApplyItemTags(ItemData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        const char *s = reinterpret_cast<const char *>(t->ti_Data);
        switch (t->ti_Tag) {
        case MUIA_Menuitem_Title:
        case MUIA_Menu_Title: d->title = s == NM_BARLABEL ? "" : (s ? s : ""); break;
        case MUIA_Menuitem_Shortcut: d->shortcut = s ? s : ""; break;
        case MUIA_Menuitem_Enabled: d->enabled = t->ti_Data != 0; break;
        case MUIA_Menuitem_Checkit: d->checkit = t->ti_Data != 0; break;
        case MUIA_Menuitem_Checked: d->checked = t->ti_Data != 0; break;
        case MUIA_Menuitem_Toggle: d->toggle = t->ti_Data != 0; break;
        }
    }
}

void Trigger(Object *self, ItemData *d)
{
    if (!d->enabled)
        return;
    if (d->checkit)
        SetAttrs(self, MUIA_Menuitem_Checked, d->toggle ? !d->checked : TRUE);
    IPTR userData = xget(self, MUIA_UserData);
    Object *app = ApplicationOf(self);
    if (app && userData) {
        SetAttrs(app, MUIA_Application_MenuAction, userData);
        DoMethod(app, MUIM_Application_ReturnID, userData);
    }
}

IPTR ItemGet(IClass *cl, Object *self, Msg msg)
{
    ItemData *d = Instance<ItemData>(cl, self);
    switch (GetMsg(msg)->opg_AttrID) {
    case MUIA_Menuitem_Title:
    case MUIA_Menu_Title: return Answer(msg, ToIPTR(d->title.c_str()));
    case MUIA_Menuitem_Shortcut: return Answer(msg, ToIPTR(d->shortcut.c_str()));
    case MUIA_Menuitem_Enabled: return Answer(msg, d->enabled);
    case MUIA_Menuitem_Checkit: return Answer(msg, d->checkit);
    case MUIA_Menuitem_Checked: return Answer(msg, d->checked);
    case MUIA_Menuitem_Toggle: return Answer(msg, d->toggle);
    default: return DoSuperMethodA(cl, self, msg);
    }
}

// Menus and items share one dispatcher: a menu is an item with children.
IPTR ItemDispatcher(IClass *cl, Object *self, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj)
            ApplyItemTags(NewInstance<ItemData>(cl, obj), SetTags(msg));
        return ToIPTR(obj);
    }
    case OM_DISPOSE: DeleteInstance<ItemData>(cl, self); return DoSuperMethodA(cl, self, msg);
    case OM_SET:
        ApplyItemTags(Instance<ItemData>(cl, self), SetTags(msg));
        if (FindTagItem(MUIA_Menuitem_Trigger, SetTags(msg)))
            Trigger(self, Instance<ItemData>(cl, self));
        return DoSuperMethodA(cl, self, msg);
    case OM_GET: return ItemGet(cl, self, msg);
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterFamilyClasses()
{
    familyClass = MakeBuiltinClass(MUIC_Family, MUIC_Notify, sizeof(FamilyData), FamilyDispatcher);
    MakeBuiltinClass(MUIC_Menustrip, MUIC_Family, 0,
                     [](IClass *cl, Object *o, Msg m) { return DoSuperMethodA(cl, o, m); });
    MakeBuiltinClass(MUIC_Menu, MUIC_Family, sizeof(ItemData), ItemDispatcher);
    MakeBuiltinClass(MUIC_Menuitem, MUIC_Family, sizeof(ItemData), ItemDispatcher);
}

const std::vector<Object *> *FamilyChildren(Object *obj)
{
    if (!obj || !IsInstanceOf(obj, familyClass))
        return nullptr;
    return &Instance<FamilyData>(familyClass, obj)->children;
}
