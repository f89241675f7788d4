#include "app/logo.h"
#include "app/options.h"
#include "app/startup.h"
#include "app/version.h"
#include "app/window.h"
#include "base/baza.h"
#include "catcomp/catcomp.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "platform/dos/files.h"
#include "platform/exec/libraries.h"
#include "platform/exec/signals.h"
#include "platform/icon/icon.h"
#include "platform/locale/catalog.h"
#include "platform/mui/commands.h"
#include "platform/mui/envstore.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"
#include "view/view.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
// Runs the whole program once: start-up, a main loop that Ctrl-C ends at
// once, shut-down. Returns what it wrote on standard output.
std::string RunProgram(Sandbox &box, std::vector<std::string> words, const std::string &input = "")
{
    std::vector<char *> argv;
    for (std::string &w : words)
        argv.push_back(w.data());
    std::string outPath = box.Path("stdout"), inPath = box.Write("stdin", input);
    FileHandle *out = Open(outPath.c_str(), MODE_NEWFILE), *in = Open(inPath.c_str(), MODE_OLDFILE);
    FileHandle *oldOut = SelectOutput(out), *oldIn = SelectInput(in);
    SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
    QMXMain(int(argv.size()), argv.data(), nullptr);
    SetSignal(0, ~0u);
    SelectOutput(oldOut);
    SelectInput(oldIn);
    Close(out);
    Close(in);
    return ReadAll(outPath);
}

Object *MenuItem(IPTR id) { return reinterpret_cast<Object *>(DoMethod(QMXObject.MenuStrip, MUIM_FindUData, id)); }
}

TEST(Texts, BuiltInTextsAndTheFallbackToMessageZero)
{
    EXPECT_STREQ(GetLoc(98), "The base has been modified.\nDo you want to save changes?");
    EXPECT_STREQ(GetLoc(500), "QMX - problem...");
    EXPECT_STREQ(GetLoc(84), "");
    EXPECT_EQ(std::memcmp(GetLoc(68), "F\0open", 7), 0);
    IPTR labels[] = {34, 35, 0};
    GetLocArray(labels);
    EXPECT_STREQ(reinterpret_cast<char *>(labels[1]), "Example");
}

TEST(Texts, EveryViewerOfARunShowsItsTabTitles)
{
    for (int run = 0; run < 2; ++run) {
        TestApp app;
        ASSERT_TRUE(app.Ready());
        ASSERT_TRUE(DocLab[0] && DocLab[1]);
        EXPECT_STREQ(reinterpret_cast<char *>(DocLab[0]), "Document contents") << "run " << run;
        EXPECT_STREQ(reinterpret_cast<char *>(DocLab[1]), "Example") << "run " << run;
        GetLocArray(DocLab);
        EXPECT_STREQ(reinterpret_cast<char *>(DocLab[1]), "Example") << "turned once only";
    }
}

TEST(Texts, ACatalogReplacesTextsAndItsMarkerByteIsSkipped)
{
    Sandbox box;
    std::string iff, error;
    ASSERT_TRUE(CompileCatalog("## language deutsch\n11 Kann nicht:\\n%s\n12 \\003Xgeladen\n13 \\003\n", iff, error));
    SoftCat = OpenCatalogFile(box.Write("c.catalog", iff));
    ASSERT_NE(SoftCat, nullptr);
    InitLocaleArray();
    EXPECT_STREQ(GetLoc(11), "Kann nicht:\n%s");
    EXPECT_STREQ(GetLoc(12), "geladen");
    EXPECT_STREQ(GetLoc(13), "") << "a text of nothing but the marker ends at its terminator";
    EXPECT_STREQ(GetLoc(84), "");
    EXPECT_STREQ(GetLoc(98), "The base has been modified.\nDo you want to save changes?");
    CloseCatalog(SoftCat);
    SoftCat = nullptr;
    ResetLocaleArray();
}

TEST(Settings, ToolTypesApplyWithinTheirRanges)
{
    Sandbox box;
    ASSERT_EQ(OpenMyLibs(), nullptr);
    char prog[] = "vellumscanner";
    char *argv[] = {prog, nullptr};
    KonfigInit(nullptr, 1, argv, nullptr);
    EXPECT_EQ(konfig.FullGUI, 1);
    EXPECT_STREQ(konfig.ProgName, "PROGDIR:vellumscanner");
    const char text[] = "View.ListMax=3\nView.TabSize=16\nView.TxtSize=5\nBase.Default=Work:a.qmx\nView.TinyGUI\n"
                        "ASL_Pattern=#?.doc\nView.FunSize=x\n";
    DiskObject *icon = ParseToolTypes(text, sizeof text - 1);
    KonfigToolTypes(icon->do_ToolTypes);
    FreeDiskObject(icon);
    EXPECT_EQ(konfig.ListMax, 5);
    EXPECT_EQ(konfig.TabSize, 7);
    EXPECT_EQ(konfig.TxtSize, 5);
    EXPECT_EQ(konfig.FunSize, 0);
    EXPECT_EQ(konfig.AutoOpen, 1) << "a default base turns the reopening on";
    EXPECT_EQ(konfig.FullGUI, 0);
    EXPECT_STREQ(konfig.ASLPattern, "#?.doc");
    const char big[] = "View.ListMax=5000\n";
    icon = ParseToolTypes(big, sizeof big - 1);
    KonfigToolTypes(icon->do_ToolTypes);
    FreeDiskObject(icon);
    EXPECT_EQ(konfig.ListMax, 1000);
    KonfigFree();
    CloseMyLibs();
}

TEST(Settings, ADesktopStartReadsToolTypesAndTakesAProjectFile)
{
    Sandbox box;
    box.Write("prog/vellumscanner.info", "View.TinyGUI\nView.ListMax=7\n");
    std::string doc = box.Write("doc.txt", "text\n");
    std::string self = box.Path("prog/vellumscanner");
    const char *paths[] = {self.c_str(), doc.c_str()};
    WBStartup start = {2, MakeWBArgs(paths, 2)};
    ASSERT_EQ(OpenMyLibs(), nullptr);
    KonfigInit(nullptr, 0, nullptr, &start);
    EXPECT_EQ(konfig.ListMax, 7);
    EXPECT_EQ(konfig.FullGUI, 0);
    EXPECT_EQ(std::string(konfig.ProjectFile), std::filesystem::canonical(doc).string());
    EXPECT_STREQ(konfig.ProgName, "PROGDIR:vellumscanner");
    KonfigFree();
    CloseMyLibs();
    FreeWBArgs(start.sm_ArgList, start.sm_NumArgs);
}

TEST(StartUp, AQuestionMarkPrintsTheTemplateAndBadArgumentsStartWithoutAFile)
{
    Sandbox box;
    ScriptedRequester requester;
    std::string out = RunProgram(box, {"vellumscanner", "?"});
    EXPECT_EQ(out, std::string(ArgTemplate) + ": ");
    EXPECT_TRUE(requester.questions.empty()) << "nothing went wrong: no requester";
}

TEST(StartUp, AMissingLibraryIsOneLineOnStandardOutput)
{
    Sandbox box;
    SetLibraryAvailable("asl.library", false);
    std::string out = RunProgram(box, {"vellumscanner"});
    SetLibraryAvailable("asl.library", true);
    EXPECT_EQ(out, "Cannot open 'asl.library'!\n");
}

TEST(StartUp, ADocumentAtStartIsShownInTheViewerOnlyWindow)
{
    Sandbox box;
    ScriptedRequester requester;
    std::string doc = box.Write("doc.txt", "line one\nline two\n");
    RunProgram(box, {"vellumscanner", doc});
    EXPECT_TRUE(requester.questions.empty());
    Dataspace state;
    EXPECT_FALSE(EnvStoreRead("Vellumscanner", "state", true, state)) << "the viewer-only window saves nothing";
    RunProgram(box, {"vellumscanner", box.Path("missing.txt")});
    ASSERT_EQ(requester.questions.size(), 1u);
    EXPECT_EQ(requester.questions[0].text, "Cannot open file:\n" + box.Path("missing.txt"));
}

TEST(StartUp, EveryWayOutAsksAboutAnUnsavedBaseUntilItIsSavedAndCancelStays)
{
    Sandbox box;
    TestApp app(true);
    ASSERT_TRUE(app.Ready());
    box.Write("a.txt", "a\n");
    app.requester.files.push_back({box.Dir(), {"a.txt"}});
    DoMethod(QMXObject.BazaObj, QMXM_Baza_EdTree, EdTree_AddFiles);   // the base is modified
    ASSERT_TRUE(FinishBaseJob());
    app.requester.files.push_back({box.Dir(), {}});   // a save requester left without a name
    app.requester.files.push_back({box.Dir(), {"kept.qmx"}});
    app.requester.answers = {0, 1, 1};                                                    // Cancel; Save; Save
    DoMethod(QMXObject.App, MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit);   // the menu
    DoMethod(QMXObject.App, MUIM_Application_ReturnID, MUIV_Application_ReturnID_Quit);   // the close button
    SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
    MainLoop();
    ASSERT_EQ(app.requester.questions.size(), 3u) << "Cancel and a save not made went back to the loop";
    for (const Question &q : app.requester.questions)
        EXPECT_EQ(q.buttons + " " + q.text, std::string("Save|Discard|Cancel ") + GetLoc(98));
    EXPECT_NE(ReadAll(box.Path("kept.qmx")).find("a.txt"), std::string::npos);
    EXPECT_EQ(konfig.Modified, 0);
}

TEST(StartUp, DiscardAndQuitForceOnThePortLetAnUnsavedBaseGo)
{
    Sandbox box;
    TestApp app(true);
    ASSERT_TRUE(app.Ready());
    konfig.Modified = 1;
    app.requester.answers = {2};
    SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
    MainLoop();
    EXPECT_EQ(app.requester.questions.size(), 1u);
    konfig.Modified = 1;
    RunPortCommand(QMXObject.App, nullptr, ApplicationInfo{}, "QUIT FORCE");
    MainLoop();
    EXPECT_EQ(app.requester.questions.size(), 1u) << "as its switch says, without a question";
    EXPECT_EQ(konfig.Modified, 0);
}

TEST(StartUp, QuitFromTheMenuEndsTheLoop)
{
    Sandbox box;
    TestApp app;
    ASSERT_TRUE(app.Ready());
    SetAttrs(MenuItem(MUIV_Application_ReturnID_Quit), MUIA_Menuitem_Trigger, TRUE);
    MainLoop();
    EXPECT_FALSE(xget(QMXObject.Win, MUIA_Window_Open));
}

TEST(Window, TheTwoMenuTables)
{
    Sandbox box;
    {
        TestApp tiny;
        ASSERT_TRUE(tiny.Ready());
        EXPECT_TRUE(xget(MenuItem(MENU_FileSave), MUIA_Menuitem_Enabled));
        EXPECT_EQ(MenuItem(MENU_FileClose), nullptr);
        EXPECT_EQ(MenuItem(MENU_BaseOpen), nullptr);
        MenuActive(MENU_BaseSave, TRUE);   // no such item: nothing happens
    }
    TestApp full(true);
    ASSERT_TRUE(full.Ready());
    EXPECT_FALSE(xget(MenuItem(MENU_FileClose), MUIA_Menuitem_Enabled));
    EXPECT_STREQ(reinterpret_cast<char *>(xget(MenuItem(MENU_BaseOpen), MUIA_Menuitem_Shortcut)), "B");
    MenuActive(MENU_FileClose, TRUE);
    EXPECT_TRUE(xget(MenuItem(MENU_FileClose), MUIA_Menuitem_Enabled));
    Object *structure = MenuItem(MENU_BaseStructure);
    SetAttrs(structure, MUIA_Menuitem_Trigger, TRUE);
    EXPECT_TRUE(xget(structure, MUIA_Menuitem_Checked));
}

TEST(Window, TheAboutWindowOpensOnceAndClosesWithItsButton)
{
    Sandbox box;
    TestApp app;
    ASSERT_TRUE(app.Ready());
    Object *about = WinAboutApp;
    SetAttrs(MenuItem(MENU_About), MUIA_Menuitem_Trigger, TRUE);
    SetAttrs(MenuItem(MENU_About), MUIA_Menuitem_Trigger, TRUE);
    EXPECT_EQ(WinAboutApp, about);
    EXPECT_TRUE(xget(about, MUIA_Window_Open));
    SetAttrs(WinAboutOK, MUIA_Pressed, FALSE);
    EXPECT_FALSE(xget(about, MUIA_Window_Open));
}

TEST(Window, DroppedFilesOpenTheFirstOnly)
{
    Sandbox box;
    TestApp app;
    ASSERT_TRUE(app.Ready());
    std::string a = box.Write("a.txt", "alpha\n"), b = box.Write("b.txt", "beta\n");
    const char *paths[] = {a.c_str(), b.c_str()};
    AppMessage msg = {2, MakeWBArgs(paths, 2)};
    SetAttrs(QMXObject.Win, MUIA_AppMessage, &msg);
    FreeWBArgs(msg.am_ArgList, msg.am_NumArgs);
    EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"alpha"});
}

TEST(Window, TheFullWindowKeepsItsStateBetweenRuns)
{
    Sandbox box;
    {
        TestApp app(true);
        ASSERT_TRUE(app.Ready());
        SetAttrs(QMXObject.Win, MUIA_Window_LeftEdge, 10, MUIA_Window_TopEdge, 20, MUIA_Window_Width, 800,
                 MUIA_Window_Height, 600);
    }
    Dataspace state;
    ASSERT_TRUE(EnvStoreRead("Vellumscanner", "state", true, state));
    EXPECT_NE(state.Find(OBJID_LastBase), nullptr);
    EXPECT_NE(state.Find(OBJID_LastIndex), nullptr);
    EXPECT_NE(state.Find(OBJID_BalanceMain), nullptr) << "the balance bar keeps its place";
    EXPECT_EQ(*state.Find(MAKE_ID('M', 'A', 'I', 'N')), "10,20,800,600");
    TestApp again(true);
    DoMethod(QMXObject.App, MUIM_Application_Load, MUIV_Application_Load_ENV);
    EXPECT_EQ(LONG(xget(QMXObject.Win, MUIA_Window_Width)), 800);
}

TEST(Logo, BlendingAgainstTheBackground)
{
    ULONG block[4 + 3] = {3, 1, 0, 0};
    auto *px = reinterpret_cast<UBYTE *>(block + 4);
    const UBYTE pixels[12] = {0, 1, 2, 3, 255, 10, 20, 30, 128, 255, 0xDA, 0};
    std::memcpy(px, pixels, 12);
    NoAlphaLogo(block, 0xFFDADADA);
    EXPECT_EQ(px[1], 0xDA);
    EXPECT_EQ(px[3], 0xDA);
    EXPECT_EQ(px[5], 10) << "opaque pixels keep their colour";
    EXPECT_EQ(px[9], 0xDA + 18);
    EXPECT_EQ(px[11], 0xDA - (0xDA * 128) / 255);
    NoAlphaLogo(nullptr, 0);
}

TEST(Logo, TheImageClassNeedsDataAndSizesItselfToIt)
{
    Sandbox box;
    ASSERT_EQ(OpenMyLibs(), nullptr);
    ASSERT_TRUE(ClassImage(TRUE));
    EXPECT_TRUE(ClassImage(TRUE)) << "asking again keeps the class";
    EXPECT_EQ(NewObject(QMXClass[CL_Image]->mcc_Class, nullptr), nullptr);
    static ULONG copy[4 + LogoWidth * LogoHeight];
    std::memcpy(copy, LogoData(), sizeof copy);
    Object *img = NewObject(QMXClass[CL_Image]->mcc_Class, nullptr, QMXA_Image_Data, copy);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(copy[2], 32u);
    MUI_MinMax mm = {};
    MUIP_AskMinMax ask = {MUIM_AskMinMax, &mm};
    DoMethodA(img, reinterpret_cast<Msg>(&ask));
    EXPECT_EQ(mm.DefWidth, 60);
    EXPECT_EQ(mm.MaxHeight, 64);
    DisposeObject(img);
    EXPECT_TRUE(ClassImage(FALSE));
    CloseMyLibs();
}

TEST(StartUp, AFunctionNameAtStartSelectsItsLineOrTheFirst)
{
    Sandbox box;
    TestApp app;
    ASSERT_TRUE(app.Ready());
    std::string doc = box.Write("doc.txt", "text\n");
    IPTR args[ARG_COUNT] = {ToIPTR(doc.c_str()), ToIPTR(">> WHOLE FILE <<")};
    KonfigArgs(args);
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 0);
    EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"text"});
    args[ARG_FUNC_NAME] = ToIPTR("NoSuchFunction");
    KonfigArgs(args);
    EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"text"}) << "a name not there shows the first entry";
}

TEST(Logo, TheArtworkHasSoftEdges)
{
    auto *px = reinterpret_cast<const UBYTE *>(LogoData() + 4);
    EXPECT_EQ(QMX_logo[0], LogoWidth);
    EXPECT_EQ(QMX_logo[1], LogoHeight);
    EXPECT_EQ(px[0], 0) << "the top-left corner is transparent";
    int opaque = 0, partial = 0;
    for (ULONG i = 0; i < LogoWidth * LogoHeight; ++i) {
        opaque += px[4 * i] == 255;
        partial += px[4 * i] > 0 && px[4 * i] < 255;
    }
    EXPECT_GT(opaque, 1000);
    EXPECT_GT(partial, 50) << "an alpha edge, not a cut-out";
}

TEST(StartUp, ADesktopStartOpensItsProjectFileAndSavesNothing)
{
    Sandbox box;
    ScriptedRequester requester;
    std::string doc = box.Write("project.txt", "from the desktop\n");
    std::string self = box.Path("prog/vellumscanner");
    const char *paths[] = {self.c_str(), doc.c_str()};
    WBStartup start = {2, MakeWBArgs(paths, 2)};
    SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
    EXPECT_EQ(QMXMain(0, nullptr, &start), 0);
    SetSignal(0, ~0u);
    FreeWBArgs(start.sm_ArgList, start.sm_NumArgs);
    EXPECT_TRUE(requester.questions.empty()) << "the project file opened";
    Dataspace state;
    EXPECT_FALSE(EnvStoreRead("Vellumscanner", "state", true, state));

    std::filesystem::remove(doc);   // now the viewer must say it cannot open it
    start = {2, MakeWBArgs(paths, 2)};
    SetSignal(SIGBREAKF_CTRL_C, SIGBREAKF_CTRL_C);
    QMXMain(0, nullptr, &start);
    SetSignal(0, ~0u);
    FreeWBArgs(start.sm_ArgList, start.sm_NumArgs);
    ASSERT_EQ(requester.questions.size(), 1u);
    EXPECT_NE(requester.questions[0].text.find("project.txt"), std::string::npos);
}

TEST(FrontOptions, HelpVersionUnknownOptionsAndTheEndOfOptions)
{
    auto read = [](std::vector<const char *> words) {
        words.insert(words.begin(), "vellumscanner");
        return ReadFrontOptions(int(words.size()), const_cast<char **>(words.data()));
    };
    testing::internal::CaptureStdout();
    EXPECT_EQ(read({"?"}).exitCode, 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("FILE_NAME/A, FUNC_NAME/F"), std::string::npos);
    testing::internal::CaptureStdout();
    EXPECT_EQ(read({"--version"}).exitCode, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Vellumscanner " VS_VERSION " (" VS_DATE ")\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(read({"a.doc", "-x"}).exitCode, 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("vellumscanner: unknown option -x\n", 0), 0u);
    FrontAnswer rest = read({"--", "dos.doc", "--background--", "?"});
    EXPECT_EQ(rest.exitCode, -1);
    EXPECT_EQ(rest.words, (std::vector<std::string>{"vellumscanner", "dos.doc", "--background--", "?"}));
}

TEST(FrontOptions, ADesktopsFileURLBecomesItsName)
{
    EXPECT_EQ(FileFromURL("file:///home/u/SDK%20Docs/%C3%9Cbersicht/exec.doc"), "/home/u/SDK Docs/\xc3\x9c"
                                                                                "bersicht/exec.doc");
    EXPECT_EQ(FileFromURL("file://localhost/a%2"), "/a%2") << "a cut escape stays";
    EXPECT_EQ(FileFromURL("/plain/a%20b"), "/plain/a%20b") << "a name is no URL";
    EXPECT_EQ(FileFromURL("https://example.org/x"), "https://example.org/x");
}
