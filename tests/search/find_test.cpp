// The search panel driven as a person drives it: a text and Return, the tape
// buttons, the range, the stop button; the worker's reports are taken in by
// the application's input loop as in the window.
#include "base/baza.h"
#include "base/records.h"
#include "core/ids.h"
#include "core/objects.h"
#include "search/find.h"
#include "support/support.h"
#include "util/strings.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {
class SearchPanel : public ::testing::Test {
protected:
    Sandbox box;
    TestApp app{true};

    void AddDocument(const std::string &name, const std::string &text)
    {
        box.Write(name, text);
        ASSERT_EQ(BazaAddFiles({box.Path(name)}, nullptr), 1);
    }
    // Types the text and presses Return, or a tape button, and waits for the search.
    void Search(const char *text)
    {
        SetAttrs(FindGUI.Pattern, MUIA_String_Contents, text);
        SetAttrs(FindGUI.Pattern, MUIA_String_Acknowledge, text);
        Finish();
    }
    void Press(Object *button)
    {
        SetAttrs(button, MUIA_Pressed, FALSE);
        Finish();
    }
    void Finish() { ASSERT_TRUE(FinishSearch()); }
    // The hit shown as "file:line:column", "" for none.
    std::string Hit()
    {
        auto *f = reinterpret_cast<Find *>(xget(QMXObject.FindObj, QMXA_Find_Current));
        if (!f)
            return "";
        std::string path = f->Path;
        return path.substr(path.rfind('/') + 1) + ":" + std::to_string(f->Line) + ":" + std::to_string(f->Column);
    }
    bool Enabled(Object *o) { return !xget(o, MUIA_Disabled); }
    std::string Shown() { return reinterpret_cast<const char *>(xget(QMXObject.ViewObj, QMXA_View_File)); }
};
}

TEST_F(SearchPanel, InTheDocumentEveryHitInTurnThenBackWithoutReading)
{
    ASSERT_TRUE(app.Ready());
    SetAttrs(QMXObject.ViewObj, QMXA_View_File,
             box.Write("t.txt", "AllocMem ALLOCATE\nreallocate allocalloc\n").c_str());
    Search("   alloc");
    EXPECT_EQ(reinterpret_cast<const char *>(xget(FindGUI.Pattern, MUIA_String_Contents)), std::string("alloc"))
        << "leading blanks are dropped and written back";
    EXPECT_EQ(Hit(), "t.txt:1:1");
    EXPECT_FALSE(Enabled(FindGUI.PrevBtn));
    std::vector<std::string> hits;
    for (int i = 0; i < 4; ++i) {
        Press(FindGUI.NextBtn);
        hits.push_back(Hit());
    }
    // a case-insensitive substring, overlapping hits one character apart
    EXPECT_EQ(hits, (std::vector<std::string>{"t.txt:1:10", "t.txt:2:3", "t.txt:2:12", "t.txt:2:17"}));
    Press(FindGUI.NextBtn);
    EXPECT_EQ(Hit(), "t.txt:2:17") << "nothing more: the history stays";
    EXPECT_FALSE(Enabled(FindGUI.NextBtn));
    std::remove(box.Path("t.txt").c_str());
    for (int i = 0; i < 4; ++i)
        Press(FindGUI.PrevBtn);
    EXPECT_EQ(Hit(), "t.txt:1:1");
    EXPECT_FALSE(Enabled(FindGUI.PrevBtn));
    Press(FindGUI.NextBtn);
    EXPECT_EQ(Hit(), "t.txt:1:10") << "stepping forward replays the history without the file";
    EXPECT_TRUE(Enabled(FindGUI.PrevBtn));
}

TEST_F(SearchPanel, ThroughTheBaseEachHitShowsItsDocumentAndGroupsAndLostFilesAreSkipped)
{
    ASSERT_TRUE(app.Ready());
    EXPECT_FALSE(Enabled(FindGUI.Range)) << "no base: the range stays on the document";
    AddDocument("a.txt", "one needle\nneedle two\n");
    BazaAdd(KIND_GROUP, NewSTR("Group", -1));
    AddDocument("b.txt", "needle in b\n");
    AddDocument("c.txt", "hay\n");
    AddDocument("d.txt", "last needle\n");
    ASSERT_TRUE(Enabled(FindGUI.Range));
    std::remove(box.Path("b.txt").c_str());
    SetAttrs(FindGUI.Range, MUIA_Cycle_Active, 1);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_ActiveNr, 0);
    Search("NEEDLE");
    EXPECT_EQ(Hit(), "a.txt:1:5");
    Press(FindGUI.NextBtn);
    EXPECT_EQ(Hit(), "a.txt:2:1");
    Press(FindGUI.NextBtn);
    EXPECT_EQ(Hit(), "d.txt:1:6") << "the group, the vanished file and the file without the text are passed";
    EXPECT_EQ(Shown(), box.Path("d.txt"));
    Press(FindGUI.NextBtn);
    EXPECT_EQ(Hit(), "d.txt:1:6");
    EXPECT_FALSE(Enabled(FindGUI.NextBtn)) << "the end of the tree";
    Press(FindGUI.PrevBtn);
    EXPECT_EQ(Shown(), box.Path("a.txt")) << "stepping back shows the hit's own document";
    SetAttrs(FindGUI.Range, MUIA_Cycle_Active, 0);
    EXPECT_EQ(Hit(), "") << "another range starts over";
    EXPECT_FALSE(Enabled(FindGUI.PrevBtn));
    EXPECT_FALSE(Enabled(FindGUI.NextBtn));
}

TEST_F(SearchPanel, AStoppedSearchLeavesTheHistoryAsItWas)
{
    ASSERT_TRUE(app.Ready());
    std::string big(8u << 20, 'x');
    for (size_t i = 100; i < big.size(); i += 100)
        big[i] = '\n';
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, box.Write("big.txt", "first word\n" + big + "\nword\n").c_str());
    Search("word");
    ASSERT_EQ(Hit(), "big.txt:1:7");
    SetAttrs(FindGUI.NextBtn, MUIA_Pressed, FALSE);
    EXPECT_TRUE(xget(QMXObject.FindObj, QMXA_Find_Running));
    EXPECT_FALSE(Enabled(FindGUI.Pattern)) << "the field rests while the search runs";
    SetAttrs(QMXObject.Win, MUIA_Window_InputEvent, "esc");
    Finish();
    EXPECT_EQ(Hit(), "big.txt:1:7");
    EXPECT_TRUE(Enabled(FindGUI.Pattern));
    EXPECT_TRUE(Enabled(FindGUI.NextBtn));
    Press(FindGUI.NextBtn);
    EXPECT_EQ(Hit(), "big.txt:83889:1") << "run to its end, the same search finds the hit";
    SetAttrs(QMXObject.FindObj, QMXA_Find_Go, 0);   // a new search while one runs takes its place
    SetAttrs(FindGUI.Pattern, MUIA_Disabled, FALSE);
    Search("FIRST");
    EXPECT_EQ(Hit(), "big.txt:1:1");
    EXPECT_FALSE(Enabled(FindGUI.PrevBtn));
}
