#include "app/startup.h"
#include "base/baseheader.h"
#include "base/records.h"
#include "core/konfig.h"
#include "platform/exec/pool.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"
#include "util/fileinfo.h"
#include "util/names.h"
#include "util/strings.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
// Libraries, catalog and pool, as every part of the program has them.
struct Libs {
    Sandbox box;
    Libs() { EXPECT_EQ(OpenMyLibs(), nullptr); }
    ~Libs() { CloseMyLibs(); }
};
}

TEST(Strings, NewSTRCopiesTheFirstLineOrAGivenLengthAndSharesTheEmptyString)
{
    Libs libs;
    STRPTR s = NewSTR("one\ntwo", -1);
    EXPECT_STREQ(s, "one");
    EXPECT_EQ(NewSTR("\nx", -1), EmptySTR);
    EXPECT_EQ(NewSTR("", -1), EmptySTR);
    EXPECT_EQ(NewSTR(nullptr, 5), EmptySTR);
    STRPTR three = NewSTR("abcdef", 3);
    EXPECT_STREQ(three, "abc");
    size_t before = PoolBytesInUse(MemPool);
    DelSTR(&three);
    EXPECT_EQ(three, nullptr);
    EXPECT_EQ(PoolBytesInUse(MemPool), before - 4) << "a string is freed with its length plus one";
    STRPTR empty = EmptySTR;
    DelSTR(&empty);
    EXPECT_EQ(empty, nullptr);
    DelSTR(&s);
    DelSTR(nullptr);
}

TEST(Strings, AShortenedTextLosesItsMiddleAndNoCharacterIsCut)
{
    EXPECT_EQ(ShortenedInItsMiddle("exec.doc", 8), "exec.doc");
    EXPECT_EQ(ShortenedInItsMiddle("abcdefghijklmnop", 9), "abc\xE2\x80\xA6nop");
    // "ü" is two bytes: the cut falls before or after it, never within
    std::string name = "a\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC"
                       "bbbb";
    std::string cut = ShortenedInItsMiddle(name, 10);
    EXPECT_LE(cut.size(), 11u);
    EXPECT_EQ(cut, "a\xC3\xBC\xE2\x80\xA6"
                   "bbbb");
}

TEST(FileNames, SplittingAndJoining)
{
    Libs libs;
    FileInfo info;
    ClearFileInfo(&info, CLEAR_INIT);
    GetFileFromPath(&info, "Work:SDK/Docs/exec.doc");
    EXPECT_STREQ(info.Dir, "Work:SDK/Docs/");
    EXPECT_STREQ(info.Name, "exec.doc");
    GetFileFromPath(&info, "exec.doc");
    EXPECT_STREQ(info.Dir, "");
    ClearFileInfo(&info, CLEAR_FREE);
    EXPECT_EQ(info.Dir, nullptr);
    STRPTR var = nullptr;
    EXPECT_STREQ(SetFilePath(&var, "Work:SDK", "a.doc"), "Work:SDK/a.doc");
    EXPECT_STREQ(SetFilePath(nullptr, "Work:", "a.doc"), "Work:a.doc");
    EXPECT_STREQ(var, "Work:SDK/a.doc");
    DelSTR(&var);
}

TEST(FindStrName, StartsWithAWholeNameOrContainsAPattern)
{
    EXPECT_EQ(FindStrName("AllocMem", "allocmem", 8, 1), 1);
    EXPECT_EQ(FindStrName("AllocMem -- allocate", "ALLOCMEM", 8, 1), 1);
    EXPECT_EQ(FindStrName("AllocMem(", "AllocMem", 8, 1), 0);
    EXPECT_EQ(FindStrName("AllocMemAligned", "AllocMem", 8, 1), 0);
    EXPECT_EQ(FindStrName("exec/AllocMem", "alloc", 5, 0), 6);
    EXPECT_EQ(FindStrName("Alloc", "alloc", 5, 0), 1) << "a match at the start is 1, never 0";
    EXPECT_EQ(FindStrName("Al", "Alloc", 5, 0), 0);
    EXPECT_EQ(FindStrName("Alloc", "Alloc", 5, 2), 0);
}

TEST(Records, AllocationDefaultsAndTheSearchHistoryCut)
{
    Libs libs;
    Baza *b = BazaAlloc(nullptr, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Dir, EmptySTR);
    EXPECT_EQ(b->Name, EmptySTR);
    Doc *d = DocAlloc(nullptr);
    EXPECT_EQ(d->Name, nullptr);
    EXPECT_EQ(d->Mark, ' ');
    AddEntry(b, d);
    BazaFree(b);

    MinList hits;
    NewMinList(&hits);
    Find *f[3];
    for (Find *&x : f)
        AddTailMinList(&hits, &(x = FindAlloc("path"))->Node);
    FindFreeList(&hits, nullptr);
    FindFreeList(&hits, f[2]);
    EXPECT_EQ(RemTailMinList(&hits), &f[2]->Node);
    AddTailMinList(&hits, &f[2]->Node);
    FindFreeList(&hits, f[0]);
    EXPECT_EQ(RemHeadMinList(&hits), &f[0]->Node);
    EXPECT_TRUE(IsMinListEmpty(&hits));
    FindFree(f[0]);
}

TEST(BaseHeader, OnlyAFileStartingWithTheHeaderIsABase)
{
    Libs libs;
    std::string base = libs.box.Write("a.qmx", std::string(PlikBaseHeader) + PlikVersionHeader + "lQMX:");
    std::string shortFile = libs.box.Write("s.qmx", "::Vellumscanner::");
    EXPECT_EQ(IsBaseHeader(base.c_str()), 1);
    EXPECT_EQ(IsBaseHeader(shortFile.c_str()), 0);
    EXPECT_EQ(IsBaseHeader(libs.box.Dir().c_str()), 0);
    EXPECT_EQ(IsBaseHeader(libs.box.Path("none").c_str()), 0);
}

TEST(SelectTextLine, TheLineHoldingTheCharacterOfAWrappedEntryBecomesActive)
{
    InitMuiClasses();
    Object *list = MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String);
    SetAttrs(list, MUIA_NList_Columns, 10);
    DoMethod(list, MUIM_NList_InsertSingle, "head", MUIV_NList_Insert_Bottom);
    DoMethod(list, MUIM_NList_InsertSingleWrap, "alpha beta gamma delta", MUIV_NList_Insert_Bottom, WRAPCOL0,
             ALIGN_LEFT);
    SelectTextLine(list, 1, 13);   // in "gamma "
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), 3);
    LONG state = 0;
    DoMethod(list, MUIM_NList_Select, MUIV_NList_Select_Active, MUIV_NList_Select_Ask, &state);
    EXPECT_EQ(state, 1);
    SelectTextLine(list, 0, 2);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), 0) << "an entry that is not wrapped is its own line";
    DisposeObject(list);
}

TEST(FileNames, StoringPartsAndWritingAText)
{
    Libs libs;
    FileInfo info;
    ClearFileInfo(&info, CLEAR_INIT);
    StoreFileInfo(&info, "Work:SDK/\nignored", "exec.doc");
    EXPECT_STREQ(info.Dir, "Work:SDK/") << "texts are taken up to their first line end";
    EXPECT_STREQ(info.Name, "exec.doc");
    ClearFileInfo(&info, CLEAR_FREE);
    std::string path = libs.box.Path("w.txt");
    FileOpen file;
    ClearFileOpen(&file, CLEAR_INIT);
    file.Name = NewSTR(path.c_str(), LONG(path.size()));
    file.Handle = Open(file.Name, MODE_NEWFILE);
    EXPECT_EQ(FWriteSTR(file.Handle, "no newline"), 1);
    ClearFileOpen(&file, CLEAR_CLOSE);
    EXPECT_EQ(file.Handle, nullptr);
    EXPECT_NE(file.Name, nullptr) << "closing keeps the name";
    ClearFileOpen(&file, CLEAR_FREE);
    EXPECT_EQ(file.Name, nullptr);
    EXPECT_EQ(ReadAll(path), "no newline");
}
