#include "base/baza.h"
#include "base/grouped.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"
#include "util/strings.h"
#include "view/index.h"
#include "view/view.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <utility>

namespace {
class BasePanel : public ::testing::Test {
protected:
    Sandbox box;
    TestApp app{true};

    TreeNode *Group(TreeNode *parent, const char *name) { return BazaAdd2Tree(parent, KIND_GROUP, NewSTR(name, -1)); }
    TreeNode *Document(TreeNode *parent, const std::string &file, const std::string &text)
    {
        SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, parent);
        box.Write(file, text);
        EXPECT_EQ(BazaAddFiles({box.Path(file)}, nullptr), 1);
        return Last(parent);
    }
    TreeNode *Last(TreeNode *parent)
    {
        const std::vector<TreeNode *> &list = parent ? parent->tn_Children : *NListtreeRoots(BazaGUI.Tree);
        return list.empty() ? nullptr : list.back();
    }
    TreeNode *Nth(LONG n)
    {
        return reinterpret_cast<TreeNode *>(DoMethod(BazaGUI.Tree, MUIM_NListtree_GetEntry, 0, n, 0));
    }
    std::string Name(const TreeNode *n)
    {
        return NodeKind(n) == KIND_GROUP ? static_cast<const char *>(n->tn_User)
                                         : static_cast<const Baza *>(n->tn_User)->Name;
    }
    std::vector<std::string> Order(TreeNode *parent)
    {
        std::vector<std::string> out;
        for (TreeNode *n : parent ? parent->tn_Children : *NListtreeRoots(BazaGUI.Tree))
            out.push_back(Name(n));
        return out;
    }
    // Two documents at the top of the tree, the first one clicked and so shown.
    std::pair<TreeNode *, TreeNode *> TwoDocumentsFirstShown()
    {
        TreeNode *a = Document(nullptr, "a.txt", "a\n");
        TreeNode *b = Document(nullptr, "b.txt", "b\n");
        Click(a);
        return {a, b};
    }
    void Click(TreeNode *n)
    {
        SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, n);
        SetAttrs(BazaGUI.Tree, MUIA_NListtree_EntryClick, DoMethod(BazaGUI.Tree, MUIM_NListtree_GetNr, n, 0));
    }
    void EdTree(IPTR code) { DoMethod(QMXObject.BazaObj, QMXM_Baza_EdTree, code); }
    TreeNode *Active() { return reinterpret_cast<TreeNode *>(xget(BazaGUI.Tree, MUIA_NListtree_Active)); }
    std::string Shown() { return reinterpret_cast<char *>(xget(QMXObject.ViewObj, QMXA_View_File)); }
    LONG IndexLine() { return LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)); }
    std::string LastQuestion() { return app.requester.questions.empty() ? "" : app.requester.questions.back().text; }
    void Open(const std::string &path) { SetAttrs(QMXObject.ViewObj, QMXA_View_File, path.c_str()); }
};

const char *kAdoc = "TABLE OF CONTENTS\n\fm.library/AllocMem\n   NAME\n\tx\n\fm.library/AllocMemNew\n   NAME\n\ty\n"
                    "\fm.library/FreeMem\n   NAME\n\tz\n";
}

TEST_F(BasePanel, NewNodesGoToTheActiveGroupOrTheRoot)
{
    ASSERT_TRUE(app.Ready());
    BazaAdd(KIND_GROUP, NewSTR("G", -1));
    TreeNode *g = Last(nullptr);
    TreeNode *doc = Document(g, "a.txt", "a\n");
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, doc);
    BazaAdd(KIND_GROUP, NewSTR("H", -1));   // a document active inside G: at the end of G
    EXPECT_EQ(Order(g), (std::vector<std::string>{"a.txt", "H"}));
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, Last(g));
    BazaAdd(KIND_GROUP, NewSTR("Inner", -1));   // groups nest
    EXPECT_EQ(Order(Last(g)), std::vector<std::string>{"Inner"});
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    BazaAdd(KIND_GROUP, NewSTR("Root", -1));
    EXPECT_EQ(Order(nullptr), (std::vector<std::string>{"G", "Root"}));
    EXPECT_TRUE(xget(reinterpret_cast<Object *>(DoMethod(QMXObject.MenuStrip, MUIM_FindUData, MENU_BaseSave)),
                     MUIA_Menuitem_Enabled))
        << "the first node switches the base menu items on";
}

TEST_F(BasePanel, AddingFilesStopsAtTheFirstThatFails)
{
    ASSERT_TRUE(app.Ready());
    box.Write("one.txt", "one\n");
    box.Write("bad.bin", std::string("\x01\x02", 2));
    box.Write("three.txt", "three\n");
    app.requester.files.push_back({box.Dir(), {"one.txt", "bad.bin", "three.txt"}});
    EdTree(EdTree_AddFiles);
    ASSERT_TRUE(FinishBaseJob());
    EXPECT_TRUE(app.requester.fileRequests.at(0).multiSelect);
    EXPECT_EQ(Order(nullptr), std::vector<std::string>{"one.txt"});
    EXPECT_EQ(LastQuestion(), "Cannot open file:\n" + box.Path("bad.bin"));
    EXPECT_EQ(konfig.Modified, 1);
}

TEST_F(BasePanel, ARescanAsksOnceForAVanishedDocumentAndGoesOn)
{
    ASSERT_TRUE(app.Ready());
    konfig.Modified = 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaUpdate);
    EXPECT_EQ(konfig.Modified, 0) << "an empty tree: nothing changes";
    Document(nullptr, "gone.txt", "x\n");
    TreeNode *kept = Document(nullptr, "kept.adoc", kAdoc);
    std::filesystem::remove(box.Path("gone.txt"));
    box.Write("kept.adoc", std::string(kAdoc) + "\fm.library/Extra\n   NAME\n\tq\n");
    app.requester.answers.push_back(1);   // Delete
    DoMethod(QMXObject.BazaObj, QMXM_BazaUpdate);
    ASSERT_EQ(app.requester.questions.size(), 1u);
    EXPECT_EQ(app.requester.questions[0].buttons, "Delete|*Cancel") << "Cancel is the default";
    const std::string &text = app.requester.questions[0].text;
    EXPECT_NE(text.find(box.Path("gone.txt")), std::string::npos) << text;
    EXPECT_NE(text.find("Delete removes it from the base only"), std::string::npos) << text;
    EXPECT_NE(text.find('?'), std::string::npos) << "a question, not a report";
    EXPECT_EQ(Order(nullptr), std::vector<std::string>{"kept.adoc"});
    LONG entries = 0;
    for (Doc *e = FirstEntry(static_cast<Baza *>(kept->tn_User)); e; e = NextEntry(e))
        ++entries;
    EXPECT_EQ(entries, 4) << "the document after the deleted one was rescanned";
    EXPECT_EQ(konfig.Modified, 1);
}

TEST_F(BasePanel, DeletingNamesWhatGoesAndCancelLeavesTheTree)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g = Group(nullptr, "G");
    TreeNode *doc = Document(g, "a.txt", "a\n");
    Click(g);
    EdTree(EdTree_Delete);   // answered Cancel
    EXPECT_EQ(LastQuestion(), "Do you want to remove G from base?");
    EXPECT_EQ(app.requester.questions.back().title, GetLoc(59));
    EXPECT_EQ(Order(nullptr), std::vector<std::string>{"G"});
    EXPECT_EQ(Active(), nullptr);
    EXPECT_TRUE(xget(GrupaGUI.DeleteButton, MUIA_Disabled));
    Click(doc);
    EXPECT_EQ(Shown(), box.Path("a.txt"));
    app.requester.answers.push_back(1);
    EdTree(EdTree_Delete);
    EXPECT_EQ(LastQuestion(), "Do you want to remove a.txt from base?");
    EXPECT_TRUE(Order(g).empty());
    EXPECT_EQ(Shown(), "") << "the viewer let go of the document first";
}

TEST_F(BasePanel, DeletingClosesTheViewerOnlyWhenItsDocumentGoes)
{
    ASSERT_TRUE(app.Ready());
    auto [a, b] = TwoDocumentsFirstShown();
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, b);
    app.requester.answers.push_back(1);
    EdTree(EdTree_Delete);
    EXPECT_EQ(Shown(), box.Path("a.txt")) << "another document's delete leaves it shown";
    Open(box.Path("a.txt"));   // the same file by name: a record of the viewer's own
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, a);
    app.requester.answers.push_back(1);
    EdTree(EdTree_Delete);
    EXPECT_EQ(Shown(), "") << "the file of a node that goes is let go of";
}

TEST_F(BasePanel, TheTreeShowsWhatTheViewerShowsAndTheEditorActsOnIt)
{
    ASSERT_TRUE(app.Ready());
    auto [a, b] = TwoDocumentsFirstShown();
    Click(b);
    SetAttrs(QMXObject.ViewObj, QMXA_View_History, 1);   // Back
    ASSERT_EQ(Shown(), box.Path("a.txt"));
    EXPECT_EQ(Active(), a);
    EXPECT_TRUE(a->tn_Flags & TNF_SELECTED);
    EXPECT_FALSE(b->tn_Flags & TNF_SELECTED);
    Open(box.Write("outside.txt", "o\n"));
    EXPECT_EQ(Active(), nullptr) << "a document outside the base has no node";
    EXPECT_FALSE(b->tn_Flags & TNF_SELECTED);
    EXPECT_TRUE(xget(GrupaGUI.DeleteButton, MUIA_Disabled));
    app.requester.files.push_back({box.Dir(), {"b.txt"}});
    DoMethod(QMXObject.ViewObj, QMXM_ViewOpenASL);   // File/open
    EXPECT_EQ(Active(), b);
    app.requester.answers.push_back(1);
    EdTree(EdTree_Delete);
    EXPECT_EQ(LastQuestion(), "Do you want to remove b.txt from base?");
    EXPECT_EQ(Order(nullptr), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(Shown(), "");
}

TEST_F(BasePanel, TheActiveNodeIsTheSelectionWhoeverMovedItAndDeleteTakesExactlyIt)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *first = Document(nullptr, "first.txt", "one\n");
    TreeNode *second = Document(nullptr, "second.txt", "two\n");
    Click(first);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, "second");   // the quick search moves on
    EXPECT_EQ(Active(), second);
    EXPECT_TRUE(second->tn_Flags & TNF_SELECTED);
    EXPECT_FALSE(first->tn_Flags & TNF_SELECTED) << "the old document no longer shows selected";
    app.requester.answers.push_back(1);
    EdTree(EdTree_Delete);
    EXPECT_EQ(LastQuestion(), "Do you want to remove second.txt from base?");
    EXPECT_EQ(Order(nullptr), std::vector<std::string>{"first.txt"});

    TreeNode *g = Group(nullptr, "G");
    TreeNode *inner = Document(g, "inner.txt", "in\n");
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Select, g, MUIV_NListtree_Select_On, 0, nullptr);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Select, inner, MUIV_NListtree_Select_On, 0, nullptr);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Select, first, MUIV_NListtree_Select_On, 0, nullptr);
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, first);   // inside the selection: it stays
    EdTree(EdTree_Delete);                                  // answered Cancel
    EXPECT_EQ(LastQuestion(), "Do you want to remove first.txt, G from base?") << "a group's contents go with it";
    EXPECT_EQ(Order(nullptr), (std::vector<std::string>{"first.txt", "G"}));
}

TEST_F(BasePanel, ClicksShowGroupsInTheEditorAndDocumentsInTheViewer)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g = Group(nullptr, "Libraries");
    TreeNode *doc = Document(g, "m.adoc", kAdoc);
    Click(g);
    EXPECT_STREQ(reinterpret_cast<char *>(xget(QMXObject.GroupEdObj, QMXA_GroupEd_Name)), "Libraries");
    EXPECT_FALSE(xget(GrupaGUI.SortButton, MUIA_Disabled));
    EXPECT_EQ(Shown(), "");
    Click(doc);
    EXPECT_STREQ(reinterpret_cast<char *>(xget(QMXObject.GroupEdObj, QMXA_GroupEd_Name)), "");
    EXPECT_TRUE(xget(GrupaGUI.SortButton, MUIA_Disabled));
    EXPECT_EQ(Shown(), box.Path("m.adoc"));
    EXPECT_EQ(IndexLine(), 0) << "opened at its first entry";
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
    konfig.NoSelFunc = 1;
    Click(doc);
    EXPECT_EQ(IndexLine(), -1) << "with NoSelFunc no line is selected";
    EXPECT_EQ(LONG(xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr)), 1);
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_ActiveNr, xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr));
    EXPECT_EQ(Active(), nullptr) << "the number kept for no active node selects nothing";
}

TEST_F(BasePanel, DropsMoveNodesButNeverIntoADocument)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g1 = Group(nullptr, "G1");
    TreeNode *g2 = Group(nullptr, "G2");
    TreeNode *a = Document(g1, "a.txt", "a\n");
    TreeNode *b = Document(g1, "b.txt", "b\n");
    TreeNode *c = Document(g2, "c.txt", "c\n");
    konfig.Modified = 0;
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, a);
    EXPECT_EQ(DoMethod(BazaGUI.Tree, MUIM_NListtree_Drop, MUIV_NListtree_DropType_Onto, b), 0u);
    EXPECT_EQ(Order(g1), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(konfig.Modified, 0);
    EXPECT_NE(DoMethod(BazaGUI.Tree, MUIM_NListtree_Drop, MUIV_NListtree_DropType_Onto, g2), 0u);
    EXPECT_EQ(Order(g2), (std::vector<std::string>{"c.txt", "a.txt"}));
    EXPECT_EQ(konfig.Modified, 1);
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, b);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Drop, MUIV_NListtree_DropType_Above, c);
    EXPECT_EQ(Order(g2), (std::vector<std::string>{"b.txt", "c.txt", "a.txt"}));
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, g2);
    EXPECT_EQ(DoMethod(BazaGUI.Tree, MUIM_NListtree_Drop, MUIV_NListtree_DropType_Onto, g2), 0u) << "not into itself";
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, g1);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Drop, MUIV_NListtree_DropType_Below, g2);
    EXPECT_EQ(Order(nullptr), (std::vector<std::string>{"G2", "G1"}));
    EXPECT_EQ(DoMethod(BazaGUI.Tree, MUIM_DragQuery, View.TextList), 0u) << "nothing comes from other objects";

    Click(g2);   // a person then drags G1 without clicking it first: the press selects it
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Select, MUIV_NListtree_Select_All, MUIV_NListtree_Select_Off, 0, nullptr);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Select, g1, MUIV_NListtree_Select_On, 0, nullptr);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Drop, MUIV_NListtree_DropType_Above, g2);
    EXPECT_EQ(Order(nullptr), (std::vector<std::string>{"G1", "G2"}));
    EXPECT_EQ(Active(), g1);
    EXPECT_STREQ(reinterpret_cast<char *>(xget(QMXObject.GroupEdObj, QMXA_GroupEd_Name)), "G1")
        << "the editor shows what was dragged, not the group active before";
}

TEST_F(BasePanel, SortingAlternatesAndRenamingNeedsAGroup)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g = Group(nullptr, "G");
    for (const char *n : {"beta", "Alpha", "gamma"})
        Group(g, n);
    Click(g);
    EdTree(EdTree_Sort);
    EXPECT_EQ(Order(g), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EdTree(EdTree_Sort);
    EXPECT_EQ(Order(g), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
    Click(g);
    EdTree(EdTree_Sort);
    EXPECT_EQ(Order(g), (std::vector<std::string>{"Alpha", "beta", "gamma"})) << "a click resets the order";
    SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_Name, "Renamed");
    EdTree(EdTree_Rename);
    EXPECT_EQ(Name(g), "Renamed");
    EXPECT_STREQ(reinterpret_cast<char *>(xget(QMXObject.GroupEdObj, QMXA_GroupEd_Name)), "");
    TreeNode *doc = Document(g, "d.txt", "d\n");
    Click(doc);
    SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_Name, "Nope");
    EdTree(EdTree_Rename);
    EXPECT_EQ(Name(doc), "d.txt");
    konfig.Modified = 0;
    SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_Name, "");
    EdTree(EdTree_AddGroup);
    EXPECT_EQ(konfig.Modified, 1) << "every operation marks the base, even one that does nothing";
    EdTree(EdTree_Deselect);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_TRUE(xget(GrupaGUI.DeselectButton, MUIA_Disabled));
}

TEST_F(BasePanel, LinksFindWholeNamesAndTheQuickSearchWalksOn)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g = Group(nullptr, "G");
    Document(g, "first.txt", "x\n");
    TreeNode *m = Document(g, "m.adoc", kAdoc);
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, "allocmem and more", 8);
    EXPECT_EQ(Active(), m);
    EXPECT_EQ(IndexLine(), 0);
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, "first.txt", 9);
    EXPECT_EQ(Name(Active()), "first.txt") << "a document's own name";
    EXPECT_EQ(IndexLine(), -1);
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, "AllocMe", 7);
    EXPECT_EQ(Name(Active()), "first.txt") << "a prefix finds nothing";
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
    std::vector<LONG> lines;
    for (int i = 0; i < 3; ++i) {
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, "mem");
        lines.push_back(IndexLine());
    }
    EXPECT_EQ(lines, (std::vector<LONG>{0, 1, 2}));
    EXPECT_TRUE(app.requester.questions.empty());
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, "mem");
    EXPECT_EQ(LastQuestion(), "No entry mem");
    EXPECT_EQ(DoMethod(QMXObject.BazaObj, QMXM_BazaGetEntry, 0), IPTR(-2));
    EXPECT_EQ(DoMethod(QMXObject.BazaObj, QMXM_BazaGetEntry, 9), 0u);
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    EXPECT_EQ(DoMethod(QMXObject.BazaObj, QMXM_BazaGetEntry, -1), 0u);
}

TEST_F(BasePanel, TheQuickSearchFindsAnExactNameFirstAndWrapsRoundOnce)
{
    ASSERT_TRUE(app.Ready());
    auto adoc = [](const char *library, std::vector<std::string> names) {
        std::string text = "TABLE OF CONTENTS\n";
        for (const std::string &n : names)
            text += std::string("\f") + library + "/" + n + "\n   NAME\n\t" + n + "\n";
        return text;
    };
    TreeNode *g = Group(nullptr, "SDK");
    Document(g, "exec.doc", adoc("exec.library", {"AllocMem", "AllocVec", "FreeVec"}));
    TreeNode *intuition = Document(g, "intuition.doc", adoc("intuition.library", {"OpenWindow", "psdAllocVec"}));
    Document(g, "xad.doc", adoc("xad.library", {"xadAllocVec", "xadFree"}));
    auto walk = [&](const char *text, size_t requests) {
        std::vector<std::string> finds;
        for (size_t n = 0; n < requests; ++n) {
            size_t asked = app.requester.questions.size();
            SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, text);
            finds.push_back(app.requester.questions.size() > asked
                                ? "finished"
                                : Name(Active()) + ":" + std::to_string(IndexLine()));
        }
        return finds;
    };
    Click(intuition);
    EXPECT_EQ(walk("ALLOCVEC", 5),
              (std::vector<std::string>{"exec.doc:1", "intuition.doc:1", "xad.doc:0", "finished", "exec.doc:1"}))
        << "the exact name, then the others, round the end up to where the walk began";
    Click(Nth(3));   // xad.doc, the last document
    EXPECT_EQ(walk("window", 2), (std::vector<std::string>{"intuition.doc:0", "finished"}));
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, intuition);
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
    EXPECT_EQ(walk("mem", 2), (std::vector<std::string>{"exec.doc:0", "finished"})) << "found behind the end";
}

TEST_F(BasePanel, AQuickSearchHitIsScrolledIntoTheIndex)
{
    ASSERT_TRUE(app.Ready());
    std::string text = "TABLE OF CONTENTS\n";
    for (int i = 0; i < 40; ++i)
        text += "\fl.library/Function" + std::to_string(i) + "\n   NAME\n\tx\n";
    Document(Group(nullptr, "G"), "l.doc", text);
    SetAttrs(IndexGUI.IndexList, MUIA_NList_Visible, 10);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, "function33");
    ASSERT_EQ(IndexLine(), 33);
    LONG first = LONG(xget(IndexGUI.IndexList, MUIA_NList_First));
    EXPECT_LE(first, 33);
    EXPECT_GT(first + 10, 33);
}

TEST_F(BasePanel, ADoubleClickedWordOutsideTheDocumentOpensItsDocument)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g = Group(nullptr, "G");
    Document(g, "m.adoc", kAdoc);
    Open(box.Write("notes.txt", "see FreeMem here\n"));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    SetAttrs(View.TextList, MUIA_NList_ClickLine, 0, MUIA_NList_ClickColumn, 6);
    SetAttrs(View.TextList, MUIA_NList_DoubleClick, 0);
    EXPECT_EQ(Shown(), box.Path("m.adoc"));
    EXPECT_EQ(IndexLine(), 2);
}

TEST_F(BasePanel, TheEditorIsHiddenAtStartAndFollowsItsMenuItem)
{
    ASSERT_TRUE(app.Ready());
    EXPECT_FALSE(xget(QMXObject.GroupEdObj, MUIA_ShowMe));
    Object *item = reinterpret_cast<Object *>(DoMethod(QMXObject.MenuStrip, MUIM_FindUData, MENU_BaseStructure));
    SetAttrs(item, MUIA_Menuitem_Trigger, TRUE);
    EXPECT_TRUE(xget(QMXObject.GroupEdObj, MUIA_ShowMe));
    SetAttrs(item, MUIA_Menuitem_Trigger, TRUE);
    EXPECT_FALSE(xget(QMXObject.GroupEdObj, MUIA_ShowMe));
}

// What the progress notifications and the field above the tree said, with
// the time each came.
struct Progress {
    std::vector<std::string> seen;
    std::vector<std::chrono::steady_clock::time_point> when;
    Hook hook = {[](Hook *h, APTR, APTR msg) -> IPTR {
                     auto *self = static_cast<Progress *>(h->h_Data);
                     auto *p = reinterpret_cast<const BazaProgressRecord *>(*static_cast<IPTR *>(msg));
                     std::string field = reinterpret_cast<char *>(xget(BazaGUI.BaseName, MUIA_Text_Contents));
                     bool asleep = xget(QMXObject.App, MUIA_Application_Sleep);
                     self->seen.push_back(p ? std::to_string(p->Done) + "/" + std::to_string(p->All) +
                                                  (asleep ? " asleep: " : " awake: ") + field
                                            : std::string("end"));
                     self->when.push_back(std::chrono::steady_clock::now());
                     return 0;
                 },
                 this};
    Progress()
    {
        DoMethod(QMXObject.BazaObj, MUIM_Notify, QMXA_Baza_Progress, MUIV_EveryTime, QMXObject.BazaObj, 3,
                 MUIM_CallHook, &hook, MUIV_TriggerValue);
    }
};

TEST_F(BasePanel, AddingInTheWindowGoesOnWhileItAnswersAndTellsHowFarItIsNowAndThen)
{
    ASSERT_TRUE(app.Ready());
    Progress progress;
    std::string before = reinterpret_cast<char *>(xget(BazaGUI.BaseName, MUIA_Text_Contents));
    std::string longName = "an_sdk_document_with_a_rather_long_name_0001.txt";
    box.Write(longName, "1\n");
    app.requester.files.push_back({box.Dir(), {longName}});
    EdTree(EdTree_AddFiles);
    ASSERT_TRUE(FinishBaseJob());
    EXPECT_EQ(progress.seen,
              (std::vector<std::string>{"1/1 awake: Reading 1 of 1: an_sdk_doc\xE2\x80\xA6me_0001.txt", "end"}))
        << "the count whole, the name shortened in its middle";
    std::vector<std::string> names;
    for (int i = 0; i < 600; ++i)
        names.push_back(
            box.Write("many/f" + std::to_string(1000 + i) + ".txt", std::string(size_t(i * 50), 'x') + "\n"));
    app.requester.files.push_back({box.Path("many"), {}});
    for (const std::string &name : names)
        app.requester.files.back().files.push_back(name.substr(name.rfind('/') + 1));
    progress.seen.clear();
    progress.when.clear();
    EdTree(EdTree_AddFiles);
    EXPECT_FALSE(xget(QMXObject.App, MUIA_Application_Sleep)) << "the window answers meanwhile";
    if (xget(QMXObject.BazaObj, QMXA_Baza_Running)) {
        EXPECT_TRUE(xget(BazaGUI.Tree, MUIA_Disabled)) << "the tree takes no input while files go into it";
        EXPECT_FALSE(xget(BazaGUI.StopButton, MUIA_Disabled));
    }
    ASSERT_TRUE(FinishBaseJob());
    ASSERT_EQ(Order(nullptr).size(), 601u);
    EXPECT_EQ(Order(nullptr)[1], "f1000.txt");
    EXPECT_EQ(Order(nullptr)[600], "f1599.txt");
    ASSERT_GE(progress.seen.size(), 2u);
    EXPECT_EQ(progress.seen[0], "1/600 awake: Reading 1 of 600: f1000.txt");
    EXPECT_EQ(progress.seen.back(), "end");
    for (size_t i = 1; i + 1 < progress.when.size(); ++i)
        EXPECT_GE(progress.when[i] - progress.when[i - 1], std::chrono::milliseconds(50)) << "at most 20 a second";
    EXPECT_EQ(reinterpret_cast<char *>(xget(BazaGUI.BaseName, MUIA_Text_Contents)), before) << "the field's own text";
    EXPECT_FALSE(xget(BazaGUI.Tree, MUIA_Disabled));
    EXPECT_TRUE(xget(BazaGUI.StopButton, MUIA_Disabled));
    progress.seen.clear();
    DoMethod(QMXObject.BazaObj, QMXM_BazaUpdate);
    ASSERT_GE(progress.seen.size(), 2u);
    EXPECT_EQ(progress.seen[0].substr(0, 13), "1/601 asleep:") << "a rescan for a command is done before it returns";
    EXPECT_EQ(progress.seen.back(), "end");
}

TEST_F(BasePanel, AStoppedRefreshKeepsWhatItRescannedInOrderAndCountsAsChanged)
{
    ASSERT_TRUE(app.Ready());
    std::vector<std::string> names;
    auto write = [&](const char *entries) {
        names.clear();
        for (int i = 0; i < 400; ++i)
            names.push_back(
                box.Write("d" + std::to_string(1000 + i) + ".doc", std::string("TABLE OF CONTENTS\n") + entries));
    };
    auto counts = [&] {
        std::vector<int> out;
        for (TreeNode *n : *NListtreeRoots(BazaGUI.Tree)) {
            int c = 0;
            for (Doc *e = FirstEntry(static_cast<Baza *>(n->tn_User)); e; e = NextEntry(e))
                ++c;
            out.push_back(c);
        }
        return out;
    };
    write("\fd.library/Old\n   NAME\n");
    ASSERT_EQ(BazaAddFiles(names, nullptr), 400);
    write("\fd.library/New\n   NAME\n\fd.library/Newer\n   NAME\n");
    konfig.Modified = 0;
    DoMethod(QMXObject.BazaObj, QMXM_BazaRefresh);
    SetAttrs(BazaGUI.StopButton, MUIA_Pressed, FALSE);
    EXPECT_FALSE(xget(QMXObject.BazaObj, QMXA_Baza_Running));
    EXPECT_EQ(konfig.Modified, 1);
    std::vector<int> after = counts();
    ASSERT_EQ(after.size(), 400u);
    size_t rescanned = size_t(std::find(after.begin(), after.end(), 1) - after.begin());
    EXPECT_TRUE(std::all_of(after.begin() + long(rescanned), after.end(), [](int c) { return c == 1; }))
        << "the documents rescanned come first, the others are as they were";
    EXPECT_FALSE(xget(BazaGUI.Tree, MUIA_Disabled));
    DoMethod(QMXObject.BazaObj, QMXM_BazaRefresh);
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, "Newer", 5);   // other work on the base waits for the end
    EXPECT_FALSE(xget(QMXObject.BazaObj, QMXA_Baza_Running));
    after = counts();
    EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](int c) { return c == 2; })) << "a refresh run to its end";
    write("\fd.library/Old\n   NAME\n");
    DoMethod(QMXObject.BazaObj, QMXM_BazaRefresh);
    ASSERT_TRUE(FinishBaseJob());
    after = counts();
    EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](int c) { return c == 1; })) << "and in the input loop";
}

TEST_F(BasePanel, AStructureNameLeadsFromAnAutodocOrAHeaderToItsDefinition)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g = Group(nullptr, "SDK");
    Document(g, "lists.doc",
             "TABLE OF CONTENTS\n\flists.library/AddHead\n   NAME\n\tAddHead -- add\n"
             "   FUNCTION\n\tputs a struct Node first\n");
    Document(g, "lists.h", "struct List {\n  struct Node *lh_Head;\n};\n");
    Document(g, "nodes.h", "/* nodes */\nstruct MinNode {\n};\nstruct Node {\n};\n");
    auto definitionShown = [&] {
        return Shown() == box.Path("nodes.h") && IndexLine() == 2 && xget(View.TextList, MUIA_NList_First) == 3;
    };
    Click(Nth(1));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
    std::vector<std::string> lines = ListLines(View.ContentsList);
    size_t row = std::find_if(lines.begin(), lines.end(), [](auto &l) { return l.find("struct Node") != l.npos; }) -
                 lines.begin();
    ASSERT_LT(row, lines.size());
    SetAttrs(View.ContentsList, MUIA_NList_ClickLine, LONG(row), MUIA_NList_ClickColumn,
             LONG(lines[row].find("Node")) + 1);
    SetAttrs(View.ContentsList, MUIA_NList_DoubleClick, LONG(row));
    EXPECT_TRUE(definitionShown()) << "from the autodoc";
    Click(Nth(2));
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 1);
    SetAttrs(View.TextList, MUIA_NList_ClickLine, 1, MUIA_NList_ClickColumn, 10);
    SetAttrs(View.TextList, MUIA_NList_DoubleClick, 1);
    EXPECT_TRUE(definitionShown()) << "from another header";
}

TEST_F(BasePanel, TheLookupSkipsOnlyDocumentsThatCannotHoldTheWord)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g = Group(nullptr, "G");
    Document(g, "first.txt", "x\n");
    TreeNode *xml = Document(g, "u.xml", "<?xml?>\n<method name=\"\xc3\x84pfel\"/>\n<method name=\"Node extra\"/>\n");
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, "\xc3\xa4pfel", 6);
    EXPECT_EQ(Active(), xml) << "a UTF-8 letter in another case";
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, "node", 4);
    EXPECT_EQ(Active(), xml) << "a name ends at its blank";
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, "Zebra", 5);
    EXPECT_EQ(Active(), nullptr);
    box.Write("u.xml", "<?xml?>\n<method name=\"Zebra\"/>\n");
    DoMethod(QMXObject.BazaObj, QMXM_BazaUpdate);
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, "zebra", 5);
    EXPECT_EQ(Active(), xml) << "the names of a document read anew";
}

TEST_F(BasePanel, AGuideOfTheBaseShowsItsOwnHeaderFields)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *g = Group(nullptr, "Guides");
    TreeNode *a = Document(g, "a.guide", "@database a\n@author Alice\n@node MAIN\nx\n");
    Document(g, "b.guide", "@database b\n@author Bob\n@node MAIN\ny\n");   // indexed last
    Click(a);
    EXPECT_EQ(IndexLine(), 2) << "a guide opens from the tree on its main node";
    EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"x"});
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"\33b @DATABASE\33n\ta", "\33b @AUTHOR\33n\tAlice"}));
}
