// Ready-made objects: image buttons and menu strips built from NewMenu tables.
#include "internal.h"

#include <cstring>

namespace {
Object *PopButton(IPTR image)
{
    return MUI_NewObject(MUIC_Image, MUIA_Image_Spec, image, MUIA_Frame, MUIV_Frame_ImageButton, MUIA_InputMode,
                         MUIV_InputMode_RelVerify, MUIA_Image_FreeVert, TRUE, MUIA_CycleChain, TRUE);
}

// With the command-key check a label "X\0label" carries its shortcut X.
void SplitLabel(const NewMenu *nm, bool keyCheck, const char **label, const char **key)
{
    *label = nm->nm_Label;
    *key = nm->nm_CommKey;
    if (keyCheck && nm->nm_Label != NM_BARLABEL && nm->nm_Label && nm->nm_Label[0] && nm->nm_Label[1] == '\0') {
        *key = nm->nm_Label;
        *label = nm->nm_Label + 2;
    }
}

Object *MakeItem(const NewMenu *nm, bool keyCheck, const char *className)
{
    const char *label, *key;
    SplitLabel(nm, keyCheck, &label, &key);
    bool disabled = (nm->nm_Flags & NM_ITEMDISABLED) != 0;
    return MUI_NewObject(className, MUIA_Menuitem_Title, label, MUIA_Menuitem_Shortcut, key, MUIA_Menuitem_Enabled,
                         !disabled, MUIA_Menuitem_Checkit, (nm->nm_Flags & CHECKIT) != 0, MUIA_Menuitem_Checked,
                         (nm->nm_Flags & CHECKED) != 0, MUIA_Menuitem_Toggle, (nm->nm_Flags & MENUTOGGLE) != 0,
                         MUIA_UserData, nm->nm_UserData);
}

Object *MenustripFromTable(const NewMenu *table, bool keyCheck)
{
    Object *strip = MUI_NewObject(MUIC_Menustrip);
    Object *menu = nullptr, *item = nullptr;
    for (const NewMenu *nm = table; strip && nm->nm_Type != NM_END; ++nm) {
        Object *made = MakeItem(nm, keyCheck, nm->nm_Type == NM_TITLE ? MUIC_Menu : MUIC_Menuitem);
        Object *parent = nm->nm_Type == NM_TITLE ? strip : nm->nm_Type == NM_ITEM ? menu : item;
        if (!made || !parent) {
            DisposeObject(made);
            DisposeObject(strip);
            return nullptr;
        }
        DoMethod(parent, OM_ADDMEMBER, made);
        if (nm->nm_Type == NM_TITLE)
            menu = made;
        else if (nm->nm_Type == NM_ITEM)
            item = made;
    }
    return strip;
}
}

Object *MUI_MakeObjectA(IPTR type, const IPTR *params)
{
    InitMuiClasses();
    switch (type) {
    case MUIO_PopButton: return PopButton(params[0]);
    case MUIO_Button: return MUI_NewObject(MUIC_Text, MUIA_Text_Contents, params[0]);
    case MUIO_MenustripNM:
        return MenustripFromTable(reinterpret_cast<const NewMenu *>(params[0]),
                                  (params[1] & MUIO_MenustripNM_CommandKeyCheck) != 0);
    default: return nullptr;
    }
}
