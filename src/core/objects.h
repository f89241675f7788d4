// The program's objects and classes as every panel reaches them: the
// application, its window and the panels in QMXObject, the custom classes in
// their fixed slots of QMXClass, the document types in Parser; and the menu
// items the panels enable.
#pragma once
#include "platform/mui/mui.h"

struct QMXObjects {
    Object *App;
    Object *Win;
    Object *BazaObj;
    Object *GroupEdObj;
    Object *BazaGroup;
    Object *IndexObj;
    Object *ViewObj;
    Object *FindObj;
    Object *MenuStrip;
};
extern QMXObjects QMXObject;

// The custom classes, in their fixed slots.
enum QMXClassSlot {
    CL_GroupEd,
    CL_Find,
    CL_Image,
    CL_Baza,
    CL_BazaTree,
    CL_Index,
    CL_View,
    CL_ADoc,
    CL_FTxt,
    CL_HDoc,
    CL_XmlDoc,
    CL_Empty,
    CL_AGuide,
    CL_Count
};
extern MUI_CustomClass *QMXClass[CL_Count];

// The document types, in the order they are asked. Slots of types this
// program does not have yet stay empty.
enum ParserSlot { PARSER_ADOC, PARSER_HDOC, PARSER_XML, PARSER_AGUIDE, PARSER_FTXT, PARSER_COUNT };
extern Object *Parser[PARSER_COUNT];

// A panel going away takes itself out of QMXObject, so that panels going
// after it do not reach it.
void ForgetObject(Object *obj);

// Enables or disables the menu item with that id; nothing when there is none.
void MenuActive(IPTR id, BOOL enabled);
