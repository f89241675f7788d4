// Text codes in list lines: layout, clicks and wrapping.
#include "platform/mui/mui.h"
#include "platform/nlist/nlist.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string text(reinterpret_cast<const char *>(data), size);
    text = text.c_str();   // lines end at their first NUL
    LONG width = size ? LONG(data[0] % 100) + 1 : 80;
    auto runs = LayoutLine(text.c_str(), 0, text.size(), width, [](LONG n) { return std::string(size_t(n % 7), 'b'); });
    for (LONG col = -1; col < 120; col += 7)
        CharAtColumn(text.c_str(), runs, 0, text.size(), col);
    StripTextCodes(text.c_str());
    InitMuiClasses();
    Object *list = MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String);
    SetAttrs(list, MUIA_NList_Columns, width);
    DoMethod(list, MUIM_NList_InsertSingleWrap, text.c_str(), MUIV_NList_Insert_Bottom, WRAPCOL0, ALIGN_LEFT);
    SetAttrs(list, MUIA_NList_ClickLine, 0, MUIA_NList_ClickColumn, width / 2);
    MUI_NList_TestPos_Result res;
    DoMethod(list, MUIM_NList_TestPos, MUI_MAXMAX, MUI_MAXMAX, &res);
    SetAttrs(list, MUIA_NList_Columns, width + 13);
    DisposeObject(list);
    return 0;
}
