// Text codes in list lines: layout, clicks and wrapping, in either encoding;
// and the encodings themselves, which must turn into each other and back.
#include "platform/mui/mui.h"
#include "platform/nlist/nlist.h"
#include "platform/utility/charset.h"
#include "util/names.h"

#include <cstdlib>
#include <string>

namespace {
void CheckEncodings(const std::string &bytes)
{
    std::string utf8 = Latin1ToUTF8(bytes.data(), bytes.size()), back;
    if (!IsUTF8(utf8.data(), utf8.size()) || !UTF8ToLatin1(utf8.data(), utf8.size(), back) || back != bytes)
        std::abort();   // every Latin-1 text has a UTF-8 form that turns back into it
    if (IsUTF8(bytes.data(), bytes.size()) && HostText(bytes.c_str()) != bytes.c_str())
        std::abort();   // UTF-8 is shown as it is
    OtherEncoding(bytes.data(), bytes.size());
    if (Stricmp(bytes.c_str(), bytes.c_str()) != 0)
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::string bytes(reinterpret_cast<const char *>(data), size);
    CheckEncodings(bytes);
    std::string text = bytes.c_str();   // lines end at their first NUL
    LONG width = size ? LONG(data[0] % 100) + 1 : 80;
    bool utf8 = size && (data[0] & 0x80);
    auto runs = LayoutLine(text.c_str(), 0, text.size(), width, utf8,
                           [](LONG n) { return std::string(size_t(n % 7), 'b'); });
    for (LONG col = -1; col < 120; col += 7)
        CharAtColumn(text.c_str(), runs, 0, text.size(), col, utf8);
    StripTextCodes(text.c_str());
    InitMuiClasses();
    Object *list = MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String, MUIA_NList_UTF8,
                                 utf8);
    SetAttrs(list, MUIA_NList_Columns, width);
    DoMethod(list, MUIM_NList_InsertSingleWrap, text.c_str(), MUIV_NList_Insert_Bottom, WRAPCOL0, ALIGN_LEFT);
    SetAttrs(list, MUIA_NList_ClickLine, 0, MUIA_NList_ClickColumn, width / 2);
    MUI_NList_TestPos_Result res;
    DoMethod(list, MUIM_NList_TestPos, MUI_MAXMAX, MUI_MAXMAX, &res);
    SetAttrs(list, MUIA_NList_Columns, width + 13);
    NListWidestLine(list);
    DisposeObject(list);
    return 0;
}
