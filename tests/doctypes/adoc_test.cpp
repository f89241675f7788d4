#include "app/startup.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "doctypes/adoc.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"
#include "view/index.h"
#include "view/view.h"
#include "view/wordlinks.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
// An autodoc written for these tests, with the shapes real ones have: the
// heading given twice with blanks between, once with one blank, a heading of
// another library, a contents table that makes no entries.
const std::string kDoc = "TABLE OF CONTENTS\n"
                         "\n"
                         "vellum.library/OpenScroll\n"
                         "vellum.library/CloseScroll\n"
                         "\n"
                         "\fvellum.library/OpenScroll                      vellum.library/OpenScroll\n"
                         "\n"
                         "   NAME\n"
                         "\tOpenScroll -- open a scroll\n"
                         "\n"
                         "   SYNOPSIS\n"
                         "\tscroll = OpenScroll(name)\n"
                         "\n"
                         "   EXAMPLE\n"
                         "\ts = OpenScroll(\"a\");\n"
                         "\n"
                         "   SEE ALSO\n"
                         "\tCloseScroll(), dos.library/Open()\n"
                         "\fvellum.library/CloseScroll vellum.library/CloseScroll\n"
                         "\n"
                         "   NAME\n"
                         "\tCloseScroll -- close it\n"
                         "\fgraphics.library/Move\n"
                         "   NAME\n"
                         "\tMove -- another library's\n";

struct Entry {
    std::string name;
    char mark;
    LONG offset, line, lines;
    bool operator==(const Entry &) const = default;
};

std::ostream &operator<<(std::ostream &o, const Entry &e)
{
    return o << "{" << e.name << " '" << e.mark << "' " << e.offset << " " << e.line << " " << e.lines << "}";
}

class Autodoc : public ::testing::Test, protected ViewerDriver {
protected:
    Sandbox box;
    TestApp app;

    std::vector<Entry> Entries()
    {
        std::vector<Entry> out;
        for (Doc *e = FirstEntry(Shown()); e; e = NextEntry(e))
            out.push_back({e->Name, e->Mark, e->Offset, e->Line, e->Lines});
        return out;
    }
    LONG At(const std::string &text, size_t from = 0) { return LONG(kDoc.find(text, from)); }
    void DoubleClick(Object *list, LONG line, LONG column)
    {
        SetAttrs(list, MUIA_NList_ClickLine, line, MUIA_NList_ClickColumn, column);
        SetAttrs(list, MUIA_NList_DoubleClick, line);
    }
};
}

TEST(AutodocRecognition, TheContentsTableWithinTheFirst33Positions)
{
    EXPECT_EQ(FuncTest("TABLE OF CONTENTS", 17), KIND_CONTENTS_TABLE);
    EXPECT_EQ(FuncTest("EXAMPLES", 8), KIND_EXAMPLE) << "a heading is matched as a prefix";
    EXPECT_EQ(FuncTest("SEE_ALSO", 8), KIND_SEE_ALSO);
    EXPECT_EQ(FuncTest("SYNOPIS", 7), KIND_SYNOPSIS);
    EXPECT_EQ(FuncTest("TABLE OF CONTEN", 15), KIND_OTHER) << "never past the text's end";
    EXPECT_EQ(FuncTest("Name", 4), KIND_OTHER);
}

TEST_F(Autodoc, RecognisedAtByte32ButNot33AndBeforeTheHeaderType)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("a.h", std::string(32, ' ') + "TABLE OF CONTENTS\n\nx/y\n"));
    EXPECT_EQ(Shown()->FileType, TYPE_ADOC);
    Open(box.Write("b.doc", std::string(33, ' ') + "TABLE OF CONTENTS\n"));
    EXPECT_EQ(Shown()->FileType, TYPE_FTXT) << "too late: plain text";
}

TEST(AutodocHeadings, NamesOnceOrTwiceOtherLibrariesAndRemarks)
{
    auto test = [](std::string line, const char *ref) -> std::string {
        char *name = FuncTestDir(line.data(), ref);
        return name ? name : "(none)";
    };
    EXPECT_EQ(test("exec.library/AllocMem          exec.library/AllocMem", "exec.library"), "AllocMem");
    EXPECT_EQ(test("exec.library/AllocMem exec.library/AllocMem", "exec.library"), "AllocMem ");
    EXPECT_EQ(test("exec.library/AllocMem", "exec.library"), "AllocMem");
    EXPECT_EQ(test("graphics.library/Move", "exec.library"), "graphics.library/Move");
    EXPECT_EQ(test("exec.librarx/FreeMem", "exec.library"), "FreeMem") << "one differing position is allowed";
    EXPECT_EQ(test("Note: this is a remark", "exec.library"), "(none)");
    EXPECT_EQ(test("FUNCTION", "exec.library"), "(none)") << "no slash";
    EXPECT_EQ(test("1. exec.library/AllocMem", "exec.library"), "(none)") << "a numbered contents line";
    EXPECT_EQ(test("0001 ahi.device/AHI_FreeAudio", "ahi.device"), "(none)");
    EXPECT_EQ(test("68040.library/FPUControl\t\t68040.library/FPUControl", "68040.library"), "FPUControl");
    EXPECT_EQ(test("[driver].audio/AHIsub_Update", "[driver].audio"), "AHIsub_Update");
    EXPECT_EQ(test("1.3/2.0 compatible", "x"), "(none)") << "a dot before the first letter only when one follows";
    EXPECT_EQ(test("1[x].library/y", "x"), "(none)") << "a bracket before a letter only at the start";
    EXPECT_EQ(test("launch-handler    launch-handler", "x"), "(none)") << "without a slash only on a new page";
    EXPECT_EQ(test("a/ b", "a"), "(none)");
    EXPECT_EQ(test("a//b", "a"), "(none)");
    // long runs of letters and digits are taken 16 bytes at a time: what lies in or after them still counts
    EXPECT_EQ(test("0123456789012345/67890123456789", "x"), "(none)") << "digits alone are no name";
    EXPECT_EQ(test("0123456789012345/6789012345678\xe9", "x"), "0123456789012345/6789012345678\xe9")
        << "a Latin-1 letter at the end of a run";
    EXPECT_EQ(test("lib.library/VeryLongFunctionName!", "lib.library"), "(none)") << "a byte that rules it out";
    std::string padded = "lib.library/VeryLongFunctionName";
    padded.reserve(padded.size() + 16);
    EXPECT_STREQ(FuncTestDir(padded.data(), padded.capacity(), "lib.library"), "VeryLongFunctionName")
        << "read past its end where that is allowed, the terminator stops it";
}

TEST_F(Autodoc, TheScanGivesEveryEntryItsNameMarkAndLines)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("v.doc", kDoc));
    ASSERT_NE(Shown(), nullptr);
    EXPECT_STREQ(Shown()->Library, "vellum.library");
    std::vector<Entry> expected = {
        {"OpenScroll", '+', At("   NAME\n"), 8, 11},
        {"CloseScroll ", '+', At("\n   NAME\n\tClose"), 20, 3},
        {"graphics.library/Move", '-', At("   NAME\n\tMove"), 24, 2},
    };
    EXPECT_EQ(Entries(), expected);
    EXPECT_EQ(ListLines(IndexGUI.IndexList),
              (std::vector<std::string>{"OpenScroll", "CloseScroll ", "graphics.library/Move"}));
}

TEST_F(Autodoc, AnEntryShowsItsSectionsOnTheRightLists)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("v.doc", kDoc));
    Pick(0);
    EXPECT_EQ(xget(View.Pages, MUIA_Group_ActivePage), 1u);
    EXPECT_EQ(ListLines(View.HeadList), (std::vector<std::string>{"\33bNAME", "   OpenScroll -- open a scroll", "",
                                                                  "\33bSYNOPSIS", "   scroll = OpenScroll(name)", ""}));
    EXPECT_EQ(ListLines(View.ExampleList), (std::vector<std::string>{"   s = OpenScroll(\"a\");", ""}));
    EXPECT_EQ(ListLines(View.ContentsList), (std::vector<std::string>{"\33bSEE ALSO", "   \338CloseScroll(),\33"
                                                                                      "2 \338dos.library/Open()"}));
    EXPECT_TRUE(xget(View.ADocTabs, MUIA_ShowMe)) << "the entry has an example";
    Pick(1);
    EXPECT_FALSE(xget(View.ADocTabs, MUIA_ShowMe));
    EXPECT_TRUE(xget(IndexGUI.IndexTitle, MUIA_Disabled) == FALSE);
    Pick(2);
    EXPECT_TRUE(xget(IndexGUI.IndexTitle, MUIA_Disabled)) << "an entry of another library greys the caption";
}

TEST_F(Autodoc, AnEntryWithoutNameOrSynopsisGetsTheWholePageAndClosingShowsTheEmptyPage)
{
    ASSERT_TRUE(app.Ready());
    std::string doc = "TABLE OF CONTENTS\n\nvellum.library/--background--\nvellum.library/Open\n\n"
                      "\fvellum.library/--background--\n\n   PURPOSE\n\tScrolls.\n"
                      "\fvellum.library/Open\n\n   NAME\n\tOpen -- open\n";
    Open(box.Write("bg.doc", doc));
    Pick(0);
    auto *headPane = reinterpret_cast<Object *>(xget(View.HeadList, MUIA_Parent));
    EXPECT_FALSE(xget(headPane, MUIA_ShowMe)) << "no empty pane above the contents";
    EXPECT_EQ(ListLines(View.ContentsList), (std::vector<std::string>{"\33bPURPOSE", "   Scrolls."}));
    Pick(1);
    EXPECT_TRUE(xget(headPane, MUIA_ShowMe));
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
    EXPECT_EQ(xget(View.Pages, MUIA_Group_ActivePage), 0u) << "a closed document leaves the empty page, not its panes";
}

TEST_F(Autodoc, IndentationTabsAndCapitalLinesFollowTheSettings)
{
    ASSERT_TRUE(app.Ready());
    konfig.FunSize = 2;
    konfig.TxtSize = 3;
    konfig.TabSize = 4;
    Open(box.Write("i.doc",
                   "TABLE OF CONTENTS\n\fa.library/F\n\n   FUNCTION\n\tfirst\n\t    deeper\n  less\n\tTRUE\n\tx\ty\n"));
    Pick(0);
    EXPECT_EQ(ListLines(View.ContentsList), (std::vector<std::string>{"\33b  FUNCTION", "   first", "       deeper",
                                                                      "   less", "\33b  TRUE", "   x    y"}));
}

TEST_F(Autodoc, ASearchHitOnAnyLineFindsItsRow)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("v.doc", kDoc));
    Find *hit = FindAlloc(nullptr);
    hit->Line = 18;   // the last line of the first entry, after its example
    hit->Column = 5;
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0);
    EXPECT_EQ(LONG(xget(View.ContentsList, MUIA_NList_Active)), 1);
    hit->Line = 15;   // in the example
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(LONG(xget(View.ExampleList, MUIA_NList_Active)), 0);
    EXPECT_EQ(xget(View.ADocLower, MUIA_Group_ActivePage), 1u) << "the example tab comes to the front";
    hit->Line = 9;
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(LONG(xget(View.HeadList, MUIA_NList_Active)), 1);
    FindFree(hit);
}

TEST_F(Autodoc, SavingWritesAFreshTableOfContents)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("v.doc", kDoc));
    Pick(0);
    app.requester.files.push_back({box.Dir(), {"toc.doc"}});
    DoMethod(QMXObject.ViewObj, QMXM_ViewSaveASL);
    EXPECT_EQ(app.requester.fileRequests.at(0).file, "v_toc.txt") << "a name of its own, not the document's";
    EXPECT_EQ(ReadAll(box.Path("toc.doc")), "TABLE OF CONTENTS\n\nvellum.library/OpenScroll\n"
                                            "vellum.library/CloseScroll \ngraphics.library/Move\n\n\f");
}

TEST(WordLinks, TheLastWordOfTheRunUnderTheClick)
{
    auto link = [](const char *text, WORD pos) -> std::string {
        CONST_STRPTR word;
        WORD length;
        return GetLink(text, pos, &word, &length) ? std::string(word, size_t(length)) : "(none)";
    };
    EXPECT_EQ(link("see AllocMem(), now", 13), "AllocMem") << "on the comma";
    EXPECT_EQ(link("exec.library/AllocMem", 1), "AllocMem");
    EXPECT_EQ(link("--> ---", 2), "(none)");
    EXPECT_EQ(link("word  next", 4), "word") << "a blank just after a word";
    EXPECT_EQ(link("word  next", 5), "(none)") << "a blank after a blank";
    EXPECT_EQ(link(" x", 0), "(none)");
    EXPECT_EQ(link("\33bFUNCTION", 4), "FUNCTION");
    EXPECT_EQ(link("   \338CloseScroll(),\33"
                   "2 x",
                   6),
              "CloseScroll");
    EXPECT_EQ(link("a\33b", 2), "(none)") << "the code letter alone is no word";
}

TEST_F(Autodoc, ADoubleClickedWordSelectsTheEntryThatDefinesIt)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("v.doc", kDoc));
    Pick(0);
    DoubleClick(View.ContentsList, 1, 5);   // on "CloseScroll(),"
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1) << "the name with its trailing blank matches";
    EXPECT_EQ(ListLines(View.HeadList).at(1), "   CloseScroll -- close it");
    Pick(0);
    DoubleClick(View.ContentsList, 1, 20);   // on "dos.library/Open()": not in this document, no base
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0);
}

TEST_F(Autodoc, WordsAreLinksInTheUpperListAndTheExampleToo)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("w.doc", "TABLE OF CONTENTS\n\fw.library/RefreshWindow\n   SYNOPSIS\n\tRefreshWindow(Window)\n"
                            "   EXAMPLE\n\tRefreshWindow(w);\n\fw.library/Window\n   NAME\n\tWindow -- the structure\n"
                            "   EXAMPLE\n\tRefreshWindow (w);\n"));
    Pick(0);
    DoubleClick(View.HeadList, 1, 20);   // "Window)" in the synopsis
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1);
    DoubleClick(View.ExampleList, 0, 5);   // "RefreshWindow" in the example
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0);
}

TEST_F(Autodoc, AFunctionNameAtStartSelectsItsEntryIgnoringCase)
{
    ASSERT_TRUE(app.Ready());
    std::string doc = box.Write("v.doc", kDoc);
    IPTR args[ARG_COUNT] = {ToIPTR(doc.c_str()), ToIPTR("graphics.library/MOVE")};
    KonfigArgs(args);
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 2);
    args[ARG_FUNC_NAME] = ToIPTR("Open");
    KonfigArgs(args);
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0) << "a prefix is no name: the first entry";
}

TEST_F(Autodoc, DamagedAutodocsOpenOrAreRefusedWithoutACrash)
{
    ASSERT_TRUE(app.Ready());
    const std::vector<std::string> docs = {
        kDoc.substr(0, At("\tCloseScroll -- close")),                     // cut in the middle of an entry
        "TABLE OF CONTENTS\n\fa.library/A\nb.library/B\nc.library/C\n",   // headings without an indented line
        "TABLE OF CONTENTS\n",
        "TABLE OF CONTENTS\n\fx.library/Long\n   NAME\n" + std::string(20000, 'x') + "\n",
        "TABLE OF CONTENTS\n\f\xe4.library/\xf6\xfc\n   \x80\xff\xa0text\n",
        "TABLE OF CONTENTS\n\f\f\f\f\n\f\n",
    };
    for (const std::string &doc : docs) {
        Open(box.Write("d.doc", doc));
        ASSERT_NE(Shown(), nullptr);
        for (LONG i = 0; DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, i); ++i)
            Pick(i);
    }
    std::string good = box.Write("g.doc", kDoc);
    Open(good);
    Doc *entry = FirstEntry(Shown());
    entry->Offset = 1 << 20;   // the file changed since its entries were read
    Pick(0);
    EXPECT_TRUE(ListLines(View.HeadList).empty());
}

TEST_F(Autodoc, AFirstHeadingTheTestRejectsStillMakesAnEntry)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("q.doc", "TABLE OF CONTENTS\nNot a heading: really\n   text\n\fz.library/Next\n   more\n"));
    ASSERT_NE(Shown(), nullptr);
    std::vector<Entry> entries = Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "< ? ? ? >");
    EXPECT_EQ(entries[0].mark, ' ');
    EXPECT_STREQ(Shown()->Library, "Not a heading: really") << "the library is the first heading without a slash";
    EXPECT_EQ(entries[1].name, "z.library/Next");
    EXPECT_EQ(entries[1].mark, '-');
}

TEST_F(Autodoc, TheDisplayIndexGrowsWithSpareRoom)
{
    ASSERT_TRUE(app.Ready());
    DisplayIndex index{};
    EXPECT_EQ(DisplayIndexAlloc(&index, 100), 1124);
    UBYTE *first = index.Kinds;
    EXPECT_EQ(DisplayIndexAlloc(&index, 1124), 1124);
    EXPECT_EQ(index.Kinds, first);
    EXPECT_EQ(DisplayIndexAlloc(&index, 1125), 2149);
    DisplayIndexFree(&index);
}

TEST_F(Autodoc, WithoutADisplayIndexAnEntryIsStillShown)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("v.doc", kDoc));
    DisplayIndex &index = static_cast<ADocData *>(INST_DATA(QMXClass[CL_ADoc]->mcc_Class, Parser[PARSER_ADOC]))->Index;
    DisplayIndexFree(&index);
    Pick(1);
    ASSERT_NE(index.Size, 0) << "showing an entry makes the index it needs";
    DisplayIndexFree(&index);
    Find *hit = FindAlloc(nullptr);
    hit->Line = 21;
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);   // no index: nothing selected, nothing broken
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1);
    FindFree(hit);
}

TEST_F(Autodoc, ALowerCaseWordFindsItsEntryInTheDocumentFirst)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("w.doc", "TABLE OF CONTENTS\n\fw.library/AllocMem\n   SEE ALSO\n\tallocmem, freemem, Alloc\n"
                            "\fw.library/FreeMem\n   NAME\n\tFreeMem\n"));
    Pick(0);
    DoubleClick(View.ContentsList, 1, 15);   // "freemem,"
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1);
    Pick(0);
    DoubleClick(View.ContentsList, 1, 24);   // "Alloc": a prefix only
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0);
    EXPECT_EQ(ListLines(ViewGUI.HistoryList), (std::vector<std::string>{"w.doc/AllocMem", "w.doc/FreeMem"}));
    EXPECT_EQ(LONG(xget(ViewGUI.HistoryList, MUIA_NList_Active)), 0) << "the entry shown again is the active element";
}
