// The about window: the logo beside the credits, and an OK button.
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "logo.h"
#include "platform/nlist/nlist.h"
#include "version.h"
#include "window.h"

namespace {
const char *const AboutLines[] = {
    "\33c\33b>>> Vellumscanner <<<",
    nullptr,   // the program's description, put in at run time
    "\33cversion " VS_VERSION " (" VS_DATE ")",
    "\33c(c) 2010-2026 The Vellumscanner authors",
    "\33c----------------------------------------",
    "\33b\33cReads the reference documentation of",
    "\33cAmigaOS 4, AROS and MorphOS:",
    "\33cautodocs, AmigaGuide, C headers,",
    "\33cXML interfaces and plain text",
    "\33c----------------------------------------",
    "\33b\33cWritten by:",
    "\33cThe Vellumscanner developers",
    "\33b\33cWindow:",
    "\33cQt 6, through a MUI-like toolkit of its own",
    "\33b\33cLogo:",
    "\33cdrawn by the program's own logo tool",
    "\33b\33cTranslations:",
    "\33cdeutsch: The Vellumscanner developers",
};

Object *AboutList()
{
    Object *list = MUI_NewObject(MUIC_NList, MUIA_Frame, MUIV_Frame_ReadList, MUIA_NList_Input, FALSE,
                                 MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String, MUIA_NList_DestructHook,
                                 MUIV_NList_DestructHook_String);
    for (const char *line : AboutLines) {
        std::string text = line ? line : std::string("\33c") + GetLoc(119);
        DoMethod(list, MUIM_NList_InsertSingle, text.c_str(), MUIV_NList_Insert_Bottom);
    }
    return MUI_NewObject(MUIC_NListview, MUIA_NListview_NList, list);
}

// The logo group, when the image class can be had.
Object *LogoGroup()
{
    if (!ClassImage(TRUE))
        return nullptr;
    Object *logo = NewObject(QMXClass[CL_Image]->mcc_Class, nullptr, QMXA_Image_Data, LogoData(), QMXA_Image_Background,
                             0xFFDADADAu);
    if (!logo)
        return nullptr;
    return MUI_NewObject(MUIC_Group, Child, logo, Child, MUI_NewObject(MUIC_Rectangle));
}
}

Object *MakeGUI_AboutApp()
{
    if (Object *box = MUI_NewObject("Aboutbox.mcc", MUIA_Window_ID, MAKE_ID('A', 'B', 'U', 'T')))
        return box;
    Object *upper;
    if (Object *logo = LogoGroup())
        upper = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Frame, MUIV_Frame_Text, MUIA_Background,
                              MUII_TextBack, Child, logo, Child, AboutList());
    else
        upper = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Frame, MUIV_Frame_Text, MUIA_Background,
                              MUII_TextBack, Child, AboutList());
    WinAboutOK = MUI_NewObject(MUIC_Text, MUIA_Text_Contents, GetLoc(63), MUIA_Text_PreParse, "\33c", MUIA_Frame,
                               MUIV_Frame_Button, MUIA_InputMode, MUIV_InputMode_RelVerify, MUIA_CycleChain, TRUE);
    Object *lower = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, Child, MUI_NewObject(MUIC_Rectangle), Child,
                                  WinAboutOK, Child, MUI_NewObject(MUIC_Rectangle));
    Object *root = MUI_NewObject(MUIC_Group, MUIA_Group_Spacing, 0, Child, upper, Child, lower);
    return MUI_NewObject(MUIC_Window, MUIA_Window_Title, GetLoc(2), MUIA_Window_ID, MAKE_ID('A', 'B', 'U', 'T'),
                         WindowContents, root);
}
