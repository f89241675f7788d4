#include "platform/dos/files.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
Object *TextList()
{
    return MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String, MUIA_NList_DestructHook,
                         MUIV_NList_DestructHook_String);
}

void Add(Object *list, const char *text, bool wrap = false)
{
    if (wrap)
        DoMethod(list, MUIM_NList_InsertSingleWrap, text, MUIV_NList_Insert_Bottom, WRAPCOL0, ALIGN_LEFT);
    else
        DoMethod(list, MUIM_NList_InsertSingle, text, MUIV_NList_Insert_Bottom);
}

LONG ClickChar(Object *list, LONG line, LONG column)
{
    SetAttrs(list, MUIA_NList_ClickLine, line, MUIA_NList_ClickColumn, column);
    MUI_NList_TestPos_Result res;
    DoMethod(list, MUIM_NList_TestPos, MUI_MAXMAX, MUI_MAXMAX, &res);
    return res.char_number;
}
}

TEST(NList, KeepsCopiesAndAnswersTheSpecialPositions)
{
    Object *list = TextList();
    char line[] = "first";
    Add(list, line);
    line[0] = 'X';
    Add(list, "second");
    EXPECT_EQ(ListLines(list), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), -1);
    SetAttrs(list, MUIA_NList_Active, MUIV_NList_Active_Top);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), 0);
    SetAttrs(list, MUIA_NList_Active, 17);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), 1) << "a line past the end means the last";
    EXPECT_STREQ(reinterpret_cast<char *>(DoMethod(list, MUIM_NList_GetEntry, MUIV_NList_GetEntry_Active, nullptr)),
                 "second");
    EXPECT_EQ(DoMethod(list, MUIM_NList_GetEntry, 2, nullptr), 0u);
    DoMethod(list, MUIM_NList_Clear);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), -1);
    SetAttrs(list, MUIA_NList_Active, MUIV_NList_Active_Top);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), -1) << "an empty list has no active line";
    DisposeObject(list);
}

TEST(NList, CallerHooksMakeAndFreeElements)
{
    static int made = 0, freed = 0;
    Hook construct = {[](Hook *, APTR, APTR entry) -> IPTR { return entry ? (++made, ToIPTR(entry)) : 0; }, nullptr};
    Hook destruct = {[](Hook *, APTR, APTR) -> IPTR { return ++freed; }, nullptr};
    Object *list = MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, &construct, MUIA_NList_DestructHook, &destruct);
    DoMethod(list, MUIM_NList_InsertSingle, "a", MUIV_NList_Insert_Bottom);
    DoMethod(list, MUIM_NList_InsertSingle, nullptr, MUIV_NList_Insert_Bottom);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Entries)), 1) << "no element when the hook makes none";
    DoMethod(list, MUIM_NList_InsertSingle, "b", 0);
    DoMethod(list, MUIM_NList_Remove, 1);
    EXPECT_STREQ(reinterpret_cast<char *>(DoMethod(list, MUIM_NList_GetEntry, 0, nullptr)), "b");
    DisposeObject(list);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(freed, 2);
}

TEST(NList, WrappedEntriesSpanLinesAndRewrapWithTheWidth)
{
    Object *list = TextList();
    Add(list, "head");
    SetAttrs(list, MUIA_NList_Columns, 10);
    Add(list, "alpha beta gamma delta", true);
    EXPECT_EQ(ListLines(list), (std::vector<std::string>{"head", "alpha ", "beta ", "gamma ", "delta"}));
    MUI_NList_GetEntryInfo info = {MUIV_NList_GetEntryInfo_Line, 3, 0, nullptr, 0, 0, 0};
    DoMethod(list, MUIM_NList_GetEntryInfo, &info);
    EXPECT_EQ(info.entry_pos, 1);
    EXPECT_NE(info.wrapcol, 0);
    EXPECT_EQ(info.charpos, 11);
    EXPECT_EQ(info.charlen, 6);
    SetAttrs(list, MUIA_NList_Active, 4);
    SetAttrs(list, MUIA_NList_Columns, 40);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Entries)), 2);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), 1) << "the active line stays on its element";
    DoMethod(list, MUIM_NList_UseImage, MUI_MakeObject(MUIO_Button, "contents"), 1, IPTR(-1));
    SetAttrs(list, MUIA_NList_Columns, 20);
    Add(list, "go back to the \33o[1@1].", true);
    EXPECT_EQ(ListLines(list).back(), "\33o[1@1].") << "a button takes its label's room and goes whole";
    DisposeObject(list);
}

TEST(NList, AClickedColumnBecomesACharacterWithCodesAndTabsCounted)
{
    Object *list = TextList();
    Add(list, "\33bAllocMem\33n(size)");
    Add(list, "\tx");
    Add(list, "\33cmid");
    EXPECT_EQ(ClickChar(list, 0, 0), 2) << "the bold code takes no room";
    EXPECT_EQ(ClickChar(list, 0, 8), 12) << "past the second code";
    EXPECT_EQ(ClickChar(list, 0, 200), 18) << "beyond the text: its end";
    EXPECT_EQ(ClickChar(list, 1, 5), 0) << "inside the tab";
    EXPECT_EQ(ClickChar(list, 1, 8), 1);
    SetAttrs(list, MUIA_NList_Columns, 11);
    EXPECT_EQ(ClickChar(list, 2, 4), 2) << "a centred line starts further right";
    SetAttrs(list, MUIA_NList_ClickLine, -1);
    MUI_NList_TestPos_Result res;
    DoMethod(list, MUIM_NList_TestPos, MUI_MAXMAX, MUI_MAXMAX, &res);
    EXPECT_EQ(res.entry, -1);
    DisposeObject(list);
}

TEST(TextCodes, LayoutCarriesStylesIntoWrappedPieces)
{
    const char *text = "\33bbold \338blue\33n plain";
    auto runs = LayoutLine(text, 7, 10, 80, false, nullptr);
    ASSERT_FALSE(runs.empty());
    EXPECT_TRUE(runs[0].style.bold) << "bold started before the piece";
    EXPECT_EQ(runs[0].style.pen, 8);
    EXPECT_EQ(StripTextCodes("\33P[3]a\33o[1@2]b\33Ec"), "abc");
    TextCode c = ReadTextCode("\33o[12@34]", 9, 0);
    EXPECT_EQ(c.kind, CodeKind::Embedded);
    EXPECT_EQ(c.a, 12);
    EXPECT_EQ(c.b, 34);
    EXPECT_EQ(c.length, 9u);
    EXPECT_EQ(ReadTextCode("\33P[7", 4, 0).length, 4u) << "an unclosed code ends with the text";
}

TEST(NList, ReadingLinesCutsThemWhereFGetsWould)
{
    Sandbox box;
    std::string text;
    uint32_t seed = 7;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int line = 0; line < 400; ++line) {
        size_t len = next() % 5 ? next() % 120 : 8185 + next() % 20;   // now and then around the limit
        for (size_t i = 0; i < len; ++i)
            text += char('a' + next() % 26);
        if (line % 97 != 96)
            text += '\n';
    }
    text += std::string(8191 * 2, 'z');   // exactly two pieces and no line end
    std::string path = box.Write("lines.txt", text);

    std::vector<std::string> expected;
    FileHandle *fh = Open(path.c_str(), MODE_OLDFILE);
    char buf[8192];
    while (FGets(fh, buf, sizeof buf)) {
        std::string l = buf;
        if (!l.empty() && l.back() == '\n')
            l.pop_back();
        expected.push_back(l);
    }
    Seek(fh, 0, OFFSET_BEGINNING);
    Object *list = TextList();
    Hook reader = {[](Hook *h, APTR b, APTR n) -> IPTR {
                       return IPTR(Read(static_cast<FileHandle *>(h->h_Data), b, LONG(reinterpret_cast<IPTR>(n))));
                   },
                   fh};
    EXPECT_EQ(DoMethod(list, MUIM_NList_ReadLines, &reader, 8192), expected.size());
    EXPECT_EQ(ListLines(list), expected);
    Close(fh);
    DisposeObject(list);
}

TEST(NList, ACRLineEndSplitByTheReadersBlocksStillGoes)
{
    constexpr size_t kChunk = 1 << 17;   // what the list asks its reader for at a time
    std::string text;
    while (text.size() + 40 < kChunk)
        text += "a CR-LF line\r\n";
    text += std::string(kChunk - 1 - text.size(), 'f') + "\r";   // its newline comes with the next block
    text += "\nlast\r\n";
    static std::string source;
    static size_t at;
    source = text;
    at = 0;
    Hook reader = {[](Hook *, APTR b, APTR n) -> IPTR {
                       size_t take = std::min(source.size() - at, size_t(reinterpret_cast<IPTR>(n)));
                       std::memcpy(b, source.data() + at, take);
                       at += take;
                       return IPTR(take);
                   },
                   nullptr};
    Object *list = TextList();
    DoMethod(list, MUIM_NList_ReadLines, &reader, 8192);
    std::vector<std::string> lines = ListLines(list);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "a CR-LF line");
    EXPECT_EQ(lines[lines.size() - 2].back(), 'f') << "no CR kept where the blocks met";
    EXPECT_EQ(lines.back(), "last");
    DisposeObject(list);
}

TEST(NList, TheWidestLineCountsTabsCharactersAndNoCodes)
{
    Object *list = TextList();
    Add(list, "plain");
    Add(list, "\tx");   // a tab runs to column 8
    EXPECT_EQ(NListWidestLine(list), 9);
    Add(list, "\33bbold\33n and more");   // codes take no room
    EXPECT_EQ(NListWidestLine(list), 13);
    std::string umlauts;
    for (int i = 0; i < 10; ++i)
        umlauts += "\xc3\xa4";
    Add(list, umlauts.c_str());
    EXPECT_EQ(NListWidestLine(list), 20) << "Latin-1: a byte a column";
    SetAttrs(list, MUIA_NList_UTF8, TRUE);
    EXPECT_EQ(NListWidestLine(list), 13) << "UTF-8: a character a column";
    DisposeObject(list);
}
