#include "objects.h"

QMXObjects QMXObject;
MUI_CustomClass *QMXClass[CL_Count];
Object *Parser[PARSER_COUNT];

void ForgetObject(Object *obj)
{
    for (Object **slot :
         {&QMXObject.BazaObj, &QMXObject.GroupEdObj, &QMXObject.IndexObj, &QMXObject.ViewObj, &QMXObject.FindObj})
        if (*slot == obj)
            *slot = nullptr;
}

void MenuActive(IPTR id, BOOL enabled)
{
    if (Object *item = reinterpret_cast<Object *>(DoMethod(QMXObject.MenuStrip, MUIM_FindUData, id)))
        SetAttrs(item, MUIA_Menuitem_Enabled, enabled);
}
