#include "objects.h"

QMXObjects QMXObject;
MUI_CustomClass *QMXClass[CL_Count];

void ForgetObject(Object *obj)
{
    for (Object **slot : {&QMXObject.BazaObj, &QMXObject.GroupEdObj, &QMXObject.IndexObj, &QMXObject.ViewObj,
                          &QMXObject.FindObj})
        if (*slot == obj)
            *slot = nullptr;
}
