// The toolkit's objects as a renderer sees them: what they tell their peers,
// when they ask for windows, and the requesters.
#include "platform/mui/group.h"
#include "platform/mui/peer.h"
#include "platform/mui/requesters.h"
#include "platform/nlist/nlist.h"
#include "platform/nlist/nlisttree.h"
#include "support/support.h"

#include "platform/mui/commands.h"
#include <gtest/gtest.h>

namespace {
struct RecordingPeer : Peer {
    std::vector<IPTR> changed;
    bool detached = false;
    void Changed(IPTR attr) override { changed.push_back(attr); }
    void Detach() override { detached = true; }
};

struct RecordingRenderer : Renderer {
    std::vector<Object *> opened, closed;
    int processed = 0;
    void OpenWindow(Object *w) override { opened.push_back(w); }
    void CloseWindow(Object *w) override { closed.push_back(w); }
    void ProcessEvents() override { ++processed; }
    void OpenConfigWindow(Object *) override {}
    std::vector<bool> busy;
    void Busy(bool on) override { busy.push_back(on); }
    std::vector<bool> iconified;
    void Iconify(bool hidden) override { iconified.push_back(hidden); }
    RecordingRenderer() { SetRenderer(this); }
    ~RecordingRenderer() override { SetRenderer(nullptr); }
};
}

TEST(Toolkit, PeersHearOfSetsAndOfQuietListsOnlyAtTheEnd)
{
    InitMuiClasses();
    Object *list = MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String);
    RecordingPeer peer;
    SetPeer(list, &peer);
    SetAttrs(list, MUIA_NList_Quiet, TRUE);
    DoMethod(list, MUIM_NList_InsertSingle, "a", MUIV_NList_Insert_Bottom);
    DoMethod(list, MUIM_NList_InsertSingle, "b", MUIV_NList_Insert_Bottom);
    EXPECT_EQ(std::count(peer.changed.begin(), peer.changed.end(), MUIA_NList_Entries), 0);
    SetAttrs(list, MUIA_NList_Quiet, FALSE);
    EXPECT_EQ(std::count(peer.changed.begin(), peer.changed.end(), MUIA_NList_Entries), 1);
    SetAttrs(list, MUIA_Disabled, TRUE);
    EXPECT_EQ(peer.changed.back(), MUIA_Disabled);
    DisposeObject(list);
    EXPECT_TRUE(peer.detached);
}

TEST(Toolkit, WindowsAskTheRendererAndAPopobjectOpensItsOwn)
{
    RecordingRenderer renderer;
    static Object *hookWindow = nullptr;
    Hook windowHook = {[](Hook *, APTR, APTR win) -> IPTR { return ToIPTR(hookWindow = static_cast<Object *>(win)); },
                       nullptr};
    Object *list = MUI_NewObject(MUIC_NList);
    Object *button = MUI_MakeObject(MUIO_PopButton, MUII_PopUp);
    Object *pop = MUI_NewObject(MUIC_Popobject, MUIA_Popstring_String, MUI_NewObject(MUIC_Text), MUIA_Popstring_Button,
                                button, MUIA_Popobject_Object, list, MUIA_Popobject_WindowHook, &windowHook);
    Object *win = MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, pop);
    Object *app = MUI_NewObject(MUIC_Application, SubWindow, win);
    ASSERT_NE(app, nullptr);
    SetAttrs(win, MUIA_Window_Open, TRUE);
    SetAttrs(win, MUIA_Window_Open, TRUE);
    ASSERT_EQ(renderer.opened.size(), 1u) << "opening an open window asks nothing";
    EXPECT_NE(xget(win, MUIA_Window_Window), 0u);
    SetAttrs(button, MUIA_Pressed, FALSE);
    ASSERT_EQ(renderer.opened.size(), 2u);
    EXPECT_EQ(renderer.opened[1], hookWindow);
    EXPECT_TRUE(xget(pop, MUIA_Popstring_IsOpen));
    EXPECT_EQ(reinterpret_cast<Object *>(xget(list, MUIA_WindowObject)), hookWindow);
    DoMethod(pop, MUIM_Popstring_Close, 1);
    EXPECT_FALSE(xget(pop, MUIA_Popstring_IsOpen));
    EXPECT_EQ(renderer.closed.back(), hookWindow);
    ULONG sigs;
    DoMethod(app, MUIM_Application_NewInput, &sigs);
    EXPECT_EQ(renderer.processed, 1);
    MUI_DisposeObject(app);
    EXPECT_EQ(renderer.closed.back(), win) << "a window disposed while open is closed first";
}

TEST(Toolkit, GadgetsKeepTheirValuesInRange)
{
    InitMuiClasses();
    Object *str = MUI_NewObject(MUIC_String, MUIA_String_MaxLen, 5, MUIA_String_Contents, "abcdefgh");
    EXPECT_STREQ(reinterpret_cast<char *>(xget(str, MUIA_String_Contents)), "abcd");
    SetAttrs(str, MUIA_String_Contents, nullptr);
    EXPECT_STREQ(reinterpret_cast<char *>(xget(str, MUIA_String_Contents)), "");
    Object *num = MUI_NewObject(MUIC_Numeric, MUIA_Numeric_Min, 0, MUIA_Numeric_Max, 0x7FFFFFFF);
    SetAttrs(num, MUIA_Numeric_Value, -1);
    EXPECT_EQ(xget(num, MUIA_Numeric_Value), 0u);
    const char *entries[] = {"Document", "Base of files", nullptr};
    Object *cycle = MUI_NewObject(MUIC_Cycle, MUIA_Cycle_Entries, entries);
    SetAttrs(cycle, MUIA_Cycle_Active, 9);
    EXPECT_EQ(xget(cycle, MUIA_Cycle_Active), 1u);
    for (Object *o : {str, num, cycle})
        DisposeObject(o);
}

TEST(Toolkit, NListJumpsRemovesAndLooksUpElementsByNumber)
{
    InitMuiClasses();
    Object *list = MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String);
    SetAttrs(list, MUIA_NList_Columns, 10);
    for (const char *t : {"zero", "one", "two"})
        DoMethod(list, MUIM_NList_InsertSingle, t, MUIV_NList_Insert_Bottom);
    DoMethod(list, MUIM_NList_InsertSingleWrap, "wrapped into pieces", 1, WRAPCOL0, ALIGN_LEFT);
    EXPECT_EQ(ListLines(list), (std::vector<std::string>{"zero", "wrapped ", "into ", "pieces", "one", "two"}));
    MUI_NList_GetEntryInfo info = {2, 0, 0, nullptr, 0, 0, 0};
    DoMethod(list, MUIM_NList_GetEntryInfo, &info);
    EXPECT_EQ(info.line, 4) << "element 2 starts on line 4";
    SetAttrs(list, MUIA_NList_Active, 5, MUIA_NList_Visible, 2);
    DoMethod(list, MUIM_NList_Jump, MUIV_NList_Jump_Active);
    EXPECT_EQ(LONG(xget(list, MUIA_NList_First)), 4);
    DoMethod(list, MUIM_NList_Remove, 2);   // a piece: the whole element goes
    EXPECT_EQ(ListLines(list), (std::vector<std::string>{"zero", "one", "two"}));
    EXPECT_EQ(LONG(xget(list, MUIA_NList_Active)), 2) << "the active line follows its element";
    EXPECT_EQ(DoMethod(list, MUIM_NList_Remove, 9), 0u);
    DoMethod(list, MUIM_NList_UseImage, MUI_NewObject(MUIC_Text, MUIA_Text_Contents, "\33bNext"), 3, 0);
    EXPECT_EQ(NListButtonLabel(list, 3), "Next");
    DisposeObject(list);
}

TEST(Toolkit, RequestersWithoutADialogAnswerTheLastButton)
{
    RequesterBackend *old = CurrentRequesterBackend();
    SetRequesterBackend(nullptr);
    EXPECT_EQ(MUI_Request(nullptr, nullptr, 0, "t", "Save|Cancel", "%s", "x"), 0);
    FileRequester *req = MUI_AllocAslRequestTags(ASL_FileRequest, ASLFR_InitialFile, "a.doc");
    EXPECT_FALSE(MUI_AslRequestTags(req));
    EXPECT_STREQ(req->fr_File, "a.doc");
    MUI_FreeAslRequest(req);
    SetRequesterBackend(old);
}

TEST(Toolkit, AMultiSelectFileRequesterListsEveryFileAndAsksForARedraw)
{
    ScriptedRequester scripted;
    scripted.files.push_back({"/docs", {"a.doc", "b.doc"}});
    static int refreshes = 0;
    Hook refresh = {[](Hook *, APTR msg, APTR) -> IPTR {
                        return refreshes += static_cast<IntuiMessage *>(msg)->Class == IDCMP_REFRESHWINDOW;
                    },
                    nullptr};
    FileRequester *req = MUI_AllocAslRequestTags(ASL_FileRequest, ASLFR_TitleText, "Select", ASLFR_InitialPattern,
                                                 "#?.doc", ASLFR_Flags1, FRF_DOMULTISELECT | FRF_DOPATTERNS,
                                                 ASLFR_IntuiMsgFunc, &refresh);
    ASSERT_TRUE(MUI_AslRequestTags(req));
    EXPECT_TRUE(scripted.fileRequests[0].multiSelect);
    EXPECT_EQ(scripted.fileRequests[0].pattern, "#?.doc");
    EXPECT_STREQ(req->fr_Drawer, "/docs");
    ASSERT_EQ(req->fr_NumArgs, 2);
    EXPECT_STREQ(req->fr_ArgList[1].wa_Name, "b.doc");
    EXPECT_EQ(refreshes, 1);
    MUI_FreeAslRequest(req);
}

TEST(Toolkit, TheRendererHearsOfTheFirstSleepAndTheLastWake)
{
    RecordingRenderer renderer;
    Object *app = MUI_NewObject(MUIC_Application);
    SetAttrs(app, MUIA_Application_Sleep, TRUE);
    SetAttrs(app, MUIA_Application_Sleep, TRUE);   // nested: a requester during long work
    SetAttrs(app, MUIA_Application_Sleep, FALSE);
    EXPECT_EQ(renderer.busy, std::vector<bool>{true});
    EXPECT_TRUE(xget(app, MUIA_Application_Sleep));
    SetAttrs(app, MUIA_Application_Sleep, FALSE);
    SetAttrs(app, MUIA_Application_Sleep, FALSE);   // one wake too many changes nothing
    EXPECT_EQ(renderer.busy, (std::vector<bool>{true, false}));
    MUI_DisposeObject(app);
}

TEST(Toolkit, ThePortsHideAndShowReachTheRendererAndQuitTheLoop)
{
    RecordingRenderer renderer;
    Object *app = MUI_NewObject(MUIC_Application, MUIA_Application_Base, "T", MUIA_Application_UseRexx, FALSE);
    ApplicationInfo info;
    EXPECT_EQ(RunPortCommand(app, nullptr, info, "hide").rc, 0);
    EXPECT_EQ(RunPortCommand(app, nullptr, info, "SHOW").rc, 0);
    EXPECT_EQ(renderer.iconified, (std::vector<bool>{true, false}));
    EXPECT_EQ(RunPortCommand(app, nullptr, info, "HIDE now").rc, 10) << "HIDE takes no argument";
    EXPECT_EQ(renderer.iconified.size(), 2u);
    EXPECT_EQ(RunPortCommand(app, nullptr, info, "QUIT").rc, 0);
    EXPECT_EQ(DoMethod(app, MUIM_Application_NewInput, nullptr), MUIV_Application_ReturnID_Quit);
    MUI_DisposeObject(app);
}

TEST(Toolkit, TreeNodesByNumberFollowEveryChange)
{
    InitMuiClasses();
    Object *tree = MUI_NewObject(MUIC_NListtree);
    auto insert = [&](const char *name, MUI_NListtree_TreeNode *parent) {
        return reinterpret_cast<MUI_NListtree_TreeNode *>(DoMethod(tree, MUIM_NListtree_Insert, name, nullptr, parent,
                                                                   MUIV_NListtree_Insert_PrevNode_Tail, TNF_LIST));
    };
    auto names = [&] {
        std::string out;
        for (LONG i = 0;
             auto *n = reinterpret_cast<MUI_NListtree_TreeNode *>(DoMethod(tree, MUIM_NListtree_GetEntry, 0, i, 0));
             ++i)
            out += std::string(n->tn_Name) + " ";
        return out;
    };
    MUI_NListtree_TreeNode *b = insert("b", nullptr), *a = insert("a", nullptr);
    insert("b1", b);
    EXPECT_EQ(names(), "b b1 a ");
    insert("a1", a);
    EXPECT_EQ(names(), "b b1 a a1 ") << "a node inserted after the numbers were asked for";
    SetAttrs(tree, MUIA_NListtree_DropType, MUIV_NListtree_DropType_Above, MUIA_NListtree_DropTarget, b);
    SetAttrs(tree, MUIA_NListtree_Active, a);
    DoMethod(tree, MUIM_DragDrop, tree, 0, 0);
    EXPECT_EQ(names(), "a a1 b b1 ") << "moved";
    DoMethod(tree, MUIM_NListtree_Remove, 0, a, 0);
    EXPECT_EQ(names(), "b b1 ") << "removed";
    MUI_NListtree_TreeNode *b2 = insert("b2", b), *c = insert("c", nullptr);
    insert("b3", b);
    insert("d", nullptr);
    for (auto *n : {b2, c})
        DoMethod(tree, MUIM_NListtree_Select, n, MUIV_NListtree_Select_On, 0, nullptr);
    DoMethod(tree, MUIM_NListtree_Remove, 0, MUIV_NListtree_Remove_TreeNode_Selected, 0);
    EXPECT_EQ(names(), "b b1 b3 d ") << "the selected nodes of two lists go, the others keep their order";
    DisposeObject(tree);
}
