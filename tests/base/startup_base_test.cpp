#include "app/startup.h"
#include "base/baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "platform/dos/paths.h"
#include "platform/exec/signals.h"
#include "platform/icon/workbench.h"
#include "platform/mui/envstore.h"
#include "support/support.h"
#include "util/strings.h"
#include "view/view.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
const char *kDoc = "TABLE OF CONTENTS\n\fq.library/One\n   NAME\n\tone\n\fq.library/Two\n   NAME\n\ttwo\n";

// A base of one group holding one autodoc, written with vsdoc's own code path.
std::string MakeBase(Sandbox &box)
{
    std::string doc = box.Write("docs/q.doc", kDoc);
    {
        TestApp app(true);
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, box.Path("b.qmx").c_str());
        SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR("G", -1)));
        EXPECT_EQ(BazaAddFiles({box.Path("docs/q.doc")}, nullptr), 1);
        DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
        konfig.Modified = 0;
    }
    return box.Path("b.qmx");
}

// The base file opened in the running program, by the base object's own open method.
void OpenBase(const std::string &path)
{
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, path.c_str());
    DoMethod(QMXObject.BazaObj, QMXM_BazaOpen);
}

std::string Shown() { return reinterpret_cast<char *>(xget(QMXObject.ViewObj, QMXA_View_File)); }
}

TEST(BaseStartUp, ABaseNamedAtStartOpensInTheFullWindow)
{
    Sandbox box;
    std::string base = MakeBase(box);
    TestApp app(true);
    IPTR args[ARG_COUNT] = {ToIPTR(base.c_str()), 0};
    KonfigArgs(args);
    EXPECT_EQ(LONG(xget(BazaGUI.Tree, MUIA_NListtree_Entries)), 2);
    EXPECT_STREQ(reinterpret_cast<char *>(xget(BazaGUI.BaseName, MUIA_Text_Contents)), "b.qmx");
}

TEST(BaseStartUp, ABaseFromTheDesktopOpensAsABaseWithToolTypesFromTheDataFolder)
{
    Sandbox box;
    std::string base = MakeBase(box);
    // an installed program: no tool types beside it, its own in the data folder
    box.Write("usr/share/vellumscanner/vellumscanner.info", "View.ListMax=9\n");
    std::string self = box.Path("usr/bin/vellumscanner");
    const char *paths[] = {self.c_str(), base.c_str()};
    WBStartup start = {2, MakeWBArgs(paths, 2)};
    std::filesystem::create_directories(box.Path("usr/bin"));
    std::string programDir = AssignedPath("PROGDIR");
    AssignPath("PROGDIR", box.Path("usr/bin"));
    ASSERT_EQ(OpenMyLibs(), nullptr);
    KonfigInit(nullptr, 0, nullptr, &start);
    EXPECT_EQ(konfig.ListMax, 9);
    EXPECT_EQ(konfig.FullGUI, 1);
    KonfigFree();
    CloseMyLibs();
    FreeWBArgs(start.sm_ArgList, start.sm_NumArgs);
    AssignPath("PROGDIR", programDir);
    TestApp app(true);
    konfig.ProjectFile = NewSTR(base.c_str(), -1);
    konfig.FullGUI = 1;
    IPTR args[ARG_COUNT] = {0, 0};
    KonfigArgs(args);
    EXPECT_EQ(LONG(xget(BazaGUI.Tree, MUIA_NListtree_Entries)), 2) << "the base's tree, not a document";
    DelSTR(&konfig.ProjectFile);
}

TEST(BaseStartUp, TheLastBaseReopensAtTheSameEntryAndLine)
{
    Sandbox box;
    std::string base = MakeBase(box);
    {
        TestApp app(true);
        OpenBase(base);
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_ActiveNr, 1);
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 1);
    }   // the state is saved as the program ends
    {
        TestApp again(true);
        DoMethod(QMXObject.App, MUIM_Application_Load, MUIV_Application_Load_ENV);
        konfig.AutoOpen = 1;
        IPTR args[ARG_COUNT] = {0, 0};
        KonfigArgs(args);
        EXPECT_EQ(Shown(), box.Path("docs/q.doc"));
        EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 1);
        EXPECT_EQ(LONG(xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr)), 1);
        SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    }
    TestApp third(true);
    DoMethod(QMXObject.App, MUIM_Application_Load, MUIV_Application_Load_ENV);
    konfig.AutoOpen = 1;
    IPTR args[ARG_COUNT] = {0, 0};
    KonfigArgs(args);
    EXPECT_EQ(LONG(xget(BazaGUI.Tree, MUIA_NListtree_Entries)), 2);
    EXPECT_EQ(LONG(xget(QMXObject.BazaObj, QMXA_Baza_ActiveNr)), -1) << "no active entry stays none";
}

TEST(BaseStartUp, TheDefaultDirectoryOrNoLastBaseOpensNothing)
{
    Sandbox box;
    TestApp app(true);
    konfig.AutoOpen = 1;
    for (const char *last : {"PROGDIR:QMX_Data/", ""}) {
        SetAttrs(konfig.LastBase, MUIA_String_Contents, last);
        IPTR args[ARG_COUNT] = {0, 0};
        KonfigArgs(args);
        EXPECT_TRUE(app.requester.questions.empty()) << last;
        EXPECT_EQ(LONG(xget(BazaGUI.Tree, MUIA_NListtree_Entries)), 0);
    }
}

TEST(BaseStartUp, ADroppedBaseFileReplacesTheBase)
{
    Sandbox box;
    std::string base = MakeBase(box);
    TestApp app(true);
    BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR("Old", -1));
    const char *paths[] = {base.c_str()};
    AppMessage msg = {1, MakeWBArgs(paths, 1)};
    SetAttrs(QMXObject.Win, MUIA_AppMessage, &msg);
    FreeWBArgs(msg.am_ArgList, msg.am_NumArgs);
    ASSERT_EQ(LONG(xget(BazaGUI.Tree, MUIA_NListtree_Entries)), 2);
    EXPECT_STREQ(static_cast<char *>((*NListtreeRoots(BazaGUI.Tree))[0]->tn_User), "G");
}

TEST(BaseStartUp, QuittingWithAnUnsavedBaseAsksOnceAndCanSave)
{
    Sandbox box;
    std::string base = MakeBase(box);
    TestApp app(true);
    OpenBase(base);
    BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR("New", -1));
    konfig.Modified = 1;
    app.requester.answers = {1, 1};   // Save, then overwrite
    app.requester.files.push_back({box.Dir(), {"b.qmx"}});
    SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
    MainLoop();
    EXPECT_EQ(app.requester.questions.at(0).text, "The base has been modified.\nDo you want to save changes?");
    EXPECT_NE(ReadAll(base).find("New"), std::string::npos) << "the base was saved";
    EXPECT_EQ(konfig.Modified, 0);
}
