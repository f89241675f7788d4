#include "base/records.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"
#include "view/index.h"
#include "view/view.h"

#include "platform/dos/paths.h"
#include "util/strings.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class Viewer : public ::testing::Test, protected ViewerDriver {
protected:
    Sandbox box;
    TestApp app;

    void ShowFirst() { SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2); }
    std::string Caption() { return reinterpret_cast<char *>(xget(IndexGUI.IndexTitle, MUIA_Text_Contents)); }
    LONG HistoryCount() { return LONG(xget(ViewGUI.HistoryList, MUIA_NList_Entries)); }
    std::string HistoryLine(LONG i) { return ListLines(ViewGUI.HistoryList).at(size_t(i)); }
    void Save(const std::string &target)
    {
        app.requester.files.push_back({box.Dir(), {target}});
        DoMethod(QMXObject.ViewObj, QMXM_ViewSaveASL);
    }
};
}

TEST_F(Viewer, APlainTextDocumentIsOneWholeFileEntryShownLineByLine)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("a.txt", "first\n\tsecond\nlast"));
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->FileType, TYPE_FTXT);
    EXPECT_EQ(ListLines(IndexGUI.IndexList), std::vector<std::string>{">> Whole file <<"});
    EXPECT_EQ(Caption(), ". . . / . . .");
    EXPECT_TRUE(ListLines(View.TextList).empty()) << "nothing is shown before an entry is picked";
    ShowFirst();
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"first", "\tsecond", "last"}));
    EXPECT_EQ(xget(View.Pages, MUIA_Group_ActivePage), 0u);
    EXPECT_EQ(ShownName(), box.Path("a.txt"));
}

TEST_F(Viewer, FilesNoTypeTakesAreRefusedWithMessage11AndLeaveTheViewerEmpty)
{
    ASSERT_TRUE(app.Ready());
    const std::vector<std::string> bad = {box.Write("empty", ""), box.Write("bin", std::string("\x01\x02\x00", 3)),
                                          box.Path("missing"), box.Dir()};
    for (const std::string &path : bad) {
        app.requester.questions.clear();
        Open(path);
        ASSERT_EQ(app.requester.questions.size(), 1u) << path;
        EXPECT_EQ(app.requester.questions[0].text, "Cannot open file:\n" + path);
        EXPECT_EQ(app.requester.questions[0].buttons, "OK");
        EXPECT_EQ(LONG(xget(IndexGUI.IndexList, MUIA_NList_Entries)), 0);
        EXPECT_TRUE(ListLines(View.TextList).empty());
    }
}

TEST_F(Viewer, TextOfTodayOpensWithoutItsCRsAndInItsOwnEncoding)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("crlf.txt", "dos\r\nline\r\n\r\nlast"));
    ShowFirst();
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"dos", "line", "", "last"}));
    EXPECT_EQ(xget(View.TextList, MUIA_NList_UTF8), 0u) << "plain ASCII reads as the platform's Latin-1";

    std::string utf8 = "Readme \xe2\x80\x94 \xc3\x9c"
                       "bersicht\n";
    Open(box.Write("readme.txt", std::string(100000, 'x') + "\n" + utf8));
    ShowFirst();
    EXPECT_EQ(ListLines(View.TextList).back(), utf8.substr(0, utf8.size() - 1)) << "bytes are kept as they are";
    EXPECT_EQ(xget(View.TextList, MUIA_NList_UTF8), 1u) << "the first text past ASCII decides, a block later too";
    EXPECT_EQ(xget(IndexGUI.IndexList, MUIA_NList_UTF8), 1u);

    Open(box.Write("latin1.txt", "Gr\xfc\xdf"
                                 "e \xe2\x80\n"));
    EXPECT_EQ(xget(View.TextList, MUIA_NList_UTF8), 0u);
}

TEST_F(Viewer, NamesOutsideASCIIOpenAndShowAsTheHostWritesThem)
{
    ASSERT_TRUE(app.Ready());
    std::filesystem::create_directory(box.Path("\xc3\x9c"
                                               "bersicht"));
    std::string path = box.Write("\xc3\x9c"
                                 "bersicht/exec_\xc3\xa4.txt",
                                 "text\n");
    Open(path);
    ASSERT_NE(Shown(), nullptr);
    EXPECT_TRUE(app.requester.questions.empty());
    EXPECT_EQ(ShownName(), path);
    EXPECT_STREQ(Shown()->Name, "exec_\xc3\xa4.txt");
    ShowFirst();
    EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"text"});
}

TEST_F(Viewer, ALineLongerThanTheWorkBufferShowsAsSeveralLines)
{
    ASSERT_TRUE(app.Ready());
    std::string longLine(20000, 'x');
    Open(box.Write("long.txt", longLine + "\nend\n"));
    ShowFirst();
    std::vector<std::string> lines = ListLines(View.TextList);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].size(), 8191u);
    EXPECT_EQ(lines[0] + lines[1] + lines[2], longLine);
    EXPECT_EQ(lines[3], "end");
}

TEST_F(Viewer, ARelativeNameIsFoundBesideTheDocumentShown)
{
    ASSERT_TRUE(app.Ready());
    box.Write("docs/b.txt", "beside\n");
    Open(box.Write("docs/a.txt", "here\n"));
    Open("b.txt");
    ShowFirst();
    EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"beside"});
}

TEST_F(Viewer, ClosingEmptiesEverythingAndTheNameReadsEmpty)
{
    ASSERT_TRUE(app.Ready());
    EXPECT_EQ(ShownName(), "");
    Open(box.Write("a.txt", "x\n"));
    ShowFirst();
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 2);
    EXPECT_NE(Shown(), nullptr) << "mode 2 closes only documents of the base";
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 1);
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_EQ(ShownName(), "");
    EXPECT_TRUE(ListLines(View.TextList).empty());
    EXPECT_EQ(LONG(xget(IndexGUI.IndexList, MUIA_NList_Entries)), 0);
    EXPECT_STREQ(reinterpret_cast<char *>(xget(ViewGUI.NameText, MUIA_Text_Contents)), ">> No file <<");
}

TEST_F(Viewer, TheLoadRequesterOpensTheChosenFileAtItsFirstEntry)
{
    ASSERT_TRUE(app.Ready());
    box.Write("pick.txt", "picked\n");
    app.requester.files.push_back({box.Dir(), {"pick.txt"}});
    SetAttrs(ViewGUI.LoadButton, MUIA_Pressed, FALSE);
    ASSERT_EQ(app.requester.fileRequests.size(), 1u);
    EXPECT_EQ(app.requester.fileRequests[0].pattern, "#?.(doc|h|xml|guide)");
    EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"picked"});
}

TEST_F(Viewer, SavingCopiesByteForByteAndAsksBeforeOverwriting)
{
    ASSERT_TRUE(app.Ready());
    std::string bytes = std::string(300, 'a') + std::string("\0\xff\n", 3) + "tail";
    Open(box.Write("src.txt", bytes));
    ShowFirst();
    Save("copy.txt");
    EXPECT_EQ(ReadAll(box.Path("copy.txt")), bytes);
    EXPECT_TRUE(app.requester.questions.empty());
    box.Write("keep.txt", "precious");
    app.requester.answers.push_back(0);   // Cancel
    Save("keep.txt");
    ASSERT_EQ(app.requester.questions.size(), 1u);
    EXPECT_EQ(app.requester.questions[0].text, "Selected file:\n" + box.Path("keep.txt") + "\n already exist");
    EXPECT_EQ(ReadAll(box.Path("keep.txt")), "precious");
    app.requester.answers.push_back(1);   // Save
    Save("keep.txt");
    EXPECT_EQ(ReadAll(box.Path("keep.txt")), bytes);
    struct stat st;
    EXPECT_NE(stat(HostPath("T:QMX.doc").c_str(), &st), 0) << "the scratch file is gone";
}

TEST_F(Viewer, ASaveProposesACopyBesideAndNeverWritesOntoTheDocument)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("exec.h", "original\n"));
    ShowFirst();
    DoMethod(QMXObject.ViewObj, QMXM_ViewSaveASL);   // cancelled
    ASSERT_EQ(app.requester.fileRequests.size(), 1u);
    EXPECT_EQ(app.requester.fileRequests[0].file, "exec.copy.h");
    EXPECT_EQ(app.requester.fileRequests[0].drawer, box.Dir() + "/") << "beside the document";
    std::filesystem::create_hard_link(box.Path("exec.h"), box.Path("same.h"));
    for (const char *target : {"exec.h", "same.h"}) {
        app.requester.answers.push_back(1);   // would replace it
        Save(target);
        EXPECT_EQ(app.requester.questions.back().text, "A save cannot replace the document shown:\n" +
                                                           box.Path(target) +
                                                           "\nIt writes a new file; choose another name.");
    }
    EXPECT_EQ(app.requester.questions.size(), 2u) << "refused before the question whether to replace it";
    EXPECT_EQ(ReadAll(box.Path("exec.h")), "original\n");
}

TEST_F(Viewer, ASaveThatCannotWriteLeavesTheTargetAsItWas)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("src.txt", "new text\n"));
    ShowFirst();
    std::string inside = box.Write("dir/inside.txt", "old text");   // the target is a directory
    app.requester.answers.push_back(1);
    Save("dir");
    EXPECT_EQ(ReadAll(inside), "old text");
    EXPECT_TRUE(std::filesystem::is_directory(box.Path("dir")));
    ASSERT_EQ(app.requester.questions.size(), 2u);
    EXPECT_EQ(app.requester.questions[1].text, "Cannot create file:\n" + box.Path("dir"));
    size_t files = 0;
    for (auto &e : std::filesystem::directory_iterator(box.Dir()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1u) << "no half-written copy is left behind";
}

TEST_F(Viewer, TheIndexSelectsByNameIgnoringCaseButWholeNamesOnly)
{
    ASSERT_TRUE(app.Ready());
    Baza *doc = BazaAlloc("", "lib.doc");
    for (const char *name : {"AllocMem", "FreeMem", "\33bSpecial"})
        AddEntry(doc, DocAlloc(name));
    doc->Library = NewSTR("exec.library", -1);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Doc, doc);
    EXPECT_EQ(Caption(), "exec.library");
    SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName, "freemem");
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName, "Alloc");
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0) << "a prefix finds nothing: the first line";
    EXPECT_EQ(DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, 3), 0u);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 1);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Shown, 2);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Shown, 2);
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1)
        << "the same special line picked again returns to the line selected last";
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -1);
    EXPECT_EQ(Caption(), ". . . / . . .");
    BazaFree(doc);
}

TEST_F(Viewer, AWordPickedOutOfALineSelectsItsEntryThroughTheIndexPanel)
{
    ASSERT_TRUE(app.Ready());
    Baza *doc = BazaAlloc("", "lib.doc");
    for (const char *name : {"AllocMem", "FreeMem", "FreeVec"})
        AddEntry(doc, DocAlloc(name));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Doc, doc);
    EXPECT_EQ(DoMethod(QMXObject.IndexObj, QMXM_IndexSelectName, "freevec() frees", 7), IPTR(TRUE));
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 2) << "only the word's own bytes count";
    EXPECT_EQ(DoMethod(QMXObject.IndexObj, QMXM_IndexSelectName, "FreeMemory", 7), IPTR(TRUE));
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1);
    EXPECT_EQ(DoMethod(QMXObject.IndexObj, QMXM_IndexSelectName, "Free", 4), IPTR(FALSE)) << "whole names only";
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1) << "no match leaves the selection";
    DoMethod(QMXObject.IndexObj, QMXM_IndexShowEntry, 0);
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0);
    BazaFree(doc);
}

TEST_F(Viewer, ATypedNameFindsItsEntryInEitherEncodingAndFoldsLatin1Letters)
{
    ASSERT_TRUE(app.Ready());
    Baza *doc = BazaAlloc("", "lib.doc");
    for (const char *name : {"Gr\xfc\xdf"
                             "e",
                             "\xc4rger",
                             "Stra\xc3\x9f"
                             "e"})   // two Latin-1 names, one UTF-8
        AddEntry(doc, DocAlloc(name));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Doc, doc);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName,
             "gr\xc3\xbc\xc3\x9f"
             "e");   // typed on a UTF-8 desktop
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName, "\xe4rger");   // Latin-1, small letter
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName,
             "STRA\xdf"
             "E");
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 2);
    BazaFree(doc);
}

TEST_F(Viewer, TheHistoryRecordsPairsOnceDropsTheOldestAndSteps)
{
    ASSERT_TRUE(app.Ready());
    konfig.ListMax = 5;
    std::vector<std::string> docs;
    for (int i = 0; i < 6; ++i) {
        docs.push_back(box.Write("d" + std::to_string(i) + ".txt", "text\n"));
        Open(docs.back());
        ShowFirst();
    }
    EXPECT_EQ(HistoryCount(), 5);
    EXPECT_EQ(HistoryLine(0), "d1.txt/>> Whole file <<") << "the oldest went";
    Open(docs[3]);
    ShowFirst();
    EXPECT_EQ(HistoryCount(), 5) << "a pair already recorded only becomes active";
    EXPECT_EQ(LONG(xget(ViewGUI.HistoryList, MUIA_NList_Active)), 2);
    EXPECT_FALSE(xget(ViewGUI.PrevButton, MUIA_Disabled));
    SetAttrs(ViewGUI.PrevButton, MUIA_Pressed, FALSE);
    SetAttrs(ViewGUI.PrevButton, MUIA_Pressed, FALSE);
    EXPECT_EQ(ShownName(), std::filesystem::canonical(docs[1]).string());
    EXPECT_TRUE(xget(ViewGUI.PrevButton, MUIA_Disabled));
    EXPECT_FALSE(xget(ViewGUI.NextButton, MUIA_Disabled));
    SetAttrs(ViewGUI.HistoryList, MUIA_NList_Active, 4);
    SetAttrs(ViewGUI.HistoryList, MUIA_NList_DoubleClick, 4);
    EXPECT_EQ(ShownName(), std::filesystem::canonical(docs[5]).string());
    EXPECT_TRUE(xget(ViewGUI.NextButton, MUIA_Disabled));
}

TEST_F(Viewer, PagesAndTheExampleTab)
{
    ASSERT_TRUE(app.Ready());
    EXPECT_FALSE(xget(View.ADocTabs, MUIA_ShowMe));
    SetAttrs(QMXObject.ViewObj, QMXA_View_Example, 1, QMXA_View_Page, 2);
    EXPECT_TRUE(xget(View.ADocTabs, MUIA_ShowMe));
    EXPECT_EQ(xget(View.Pages, MUIA_Group_ActivePage), 1u);
    EXPECT_EQ(xget(View.ADocLower, MUIA_Group_ActivePage), 1u) << "the tab row turns the lower page";
    SetAttrs(QMXObject.ViewObj, QMXA_View_Page, 7);
    EXPECT_EQ(xget(View.Pages, MUIA_Group_ActivePage), 1u) << "a page that does not exist changes nothing";
    SetAttrs(QMXObject.ViewObj, QMXA_View_Page, 1);
    EXPECT_EQ(xget(View.ADocLower, MUIA_Group_ActivePage), 0u);
    EXPECT_EQ(DoMethod(QMXObject.ViewObj, QMXM_ViewPageObject, 1), ToIPTR(&View.ADocGroup));
    EXPECT_EQ(DoMethod(QMXObject.ViewObj, QMXM_ViewPageObject, 2), 0u);
}

TEST_F(Viewer, ADocumentOfTheBaseKeepsItsEntriesAndStaysWithTheBase)
{
    ASSERT_TRUE(app.Ready());
    box.Write("base/lib.txt", "text of the library\n");
    Baza *record = BazaAlloc(box.Path("base/").c_str(), "lib.txt");
    record->InBase = 1;
    Doc *stored = DocAlloc("StoredEntry");
    AddEntry(record, stored);
    SetAttrs(QMXObject.ViewObj, QMXA_View_Baza, record);
    EXPECT_EQ(Shown(), record);
    EXPECT_EQ(ListLines(IndexGUI.IndexList), std::vector<std::string>{"StoredEntry"}) << "no rebuild from the file";
    EXPECT_EQ(ShownName(), box.Path("base/lib.txt"));
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 1);
    EXPECT_EQ(Shown(), record) << "closing a file leaves a document of the base";
    Open(box.Write("other.txt", "other\n"));
    EXPECT_EQ(FirstEntry(record), stored) << "the record and its entries belong to the base still";
    BazaFree(record);
}

TEST_F(Viewer, ASearchHitSelectsItsLineAndColumn)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("hits.txt", "zero\none\ntwo hit here\n"));
    ShowFirst();
    Find *hit = FindAlloc(box.Path("hits.txt").c_str());
    hit->Line = 3;
    hit->Column = 4;
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(LONG(xget(View.TextList, MUIA_NList_Active)), 2);
    LONG selected = 0;
    DoMethod(View.TextList, MUIM_NList_Select, MUIV_NList_Select_Active, MUIV_NList_Select_Ask, &selected);
    EXPECT_EQ(selected, 1);
    hit->Line = 0;
    SetAttrs(View.TextList, MUIA_NList_Active, 0);
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(LONG(xget(View.TextList, MUIA_NList_Active)), 0) << "a hit without a line selects nothing";
    FindFree(hit);
}

TEST_F(Viewer, WithoutAScratchDirectoryNothingIsSaved)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("src.txt", "text\n"));
    ShowFirst();
    AssignPath("T", box.Path("no/such/dir"));
    Save("copy.txt");
    ASSERT_EQ(app.requester.questions.size(), 1u);
    EXPECT_EQ(app.requester.questions[0].text, "Cannot create file:\nT:QMX.doc");
    EXPECT_FALSE(std::filesystem::exists(box.Path("copy.txt")));
    app.requester.files.clear();
    SetAttrs(ViewGUI.LoadButton, MUIA_Pressed, FALSE);   // cancelled: nothing changes
    EXPECT_EQ(ShownName(), box.Path("src.txt"));
}

TEST_F(Viewer, TheCaptionIsGreyForAnAutodocEntryOfAnotherLibrary)
{
    ASSERT_TRUE(app.Ready());
    Baza *doc = BazaAlloc("", "x.doc");
    Doc *own = DocAlloc("Own"), *other = DocAlloc("Other");
    own->Mark = '+';
    other->Mark = '-';
    AddEntry(doc, own);
    AddEntry(doc, other);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Doc, doc);
    doc->FileType = TYPE_ADOC;
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 1);
    EXPECT_TRUE(xget(IndexGUI.IndexTitle, MUIA_Disabled));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
    EXPECT_FALSE(xget(IndexGUI.IndexTitle, MUIA_Disabled));
    doc->FileType = TYPE_FTXT;
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 1);
    EXPECT_FALSE(xget(IndexGUI.IndexTitle, MUIA_Disabled)) << "only autodocs grey the caption";
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -1);
    BazaFree(doc);
}

TEST_F(Viewer, TheHistoryStepsForwardAndAPickClosesThePopUp)
{
    ASSERT_TRUE(app.Ready());
    std::string a = box.Write("a.txt", "a\n"), b = box.Write("b.txt", "b\n");
    for (const std::string &path : {a, b}) {
        Open(path);
        ShowFirst();
    }
    SetAttrs(ViewGUI.PrevButton, MUIA_Pressed, FALSE);
    EXPECT_EQ(ShownName(), std::filesystem::canonical(a).string());
    SetAttrs(ViewGUI.NextButton, MUIA_Pressed, FALSE);
    EXPECT_EQ(ShownName(), std::filesystem::canonical(b).string());
    SetAttrs(ViewGUI.PopButton, MUIA_Pressed, FALSE);
    EXPECT_TRUE(xget(ViewGUI.HistoryPop, MUIA_Popstring_IsOpen));
    SetAttrs(ViewGUI.HistoryList, MUIA_NList_Active, 0);
    SetAttrs(ViewGUI.HistoryList, MUIA_NList_DoubleClick, 0);
    EXPECT_FALSE(xget(ViewGUI.HistoryPop, MUIA_Popstring_IsOpen));
    EXPECT_EQ(ShownName(), std::filesystem::canonical(a).string());
    EXPECT_EQ(HistoryLine(0), "a.txt/>> Whole file <<");
}
