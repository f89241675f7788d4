// The renderer, offscreen: what a person sees and does reaches the objects.
#include "app/window.h"
#include "base/baza.h"
#include "core/ids.h"
#include "core/objects.h"
#include "doctypes/aguide.h"
#include "open_window.h"
#include "platform/nlist/nlist.h"
#include "platform/nlist/nlisttree.h"
#include "platform/nlist/textcodes.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/display_settings.h"
#include "platform/qt/peer_base.h"
#include "platform/qt/qt_renderer.h"
#include "platform/qt/richtext.h"
#include "support/support.h"
#include "view/index.h"
#include "view/view.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDropEvent>
#include <QHelpEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMimeData>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
int argc = 1;
char arg0[] = "vsqttests";
char *argv[] = {arg0, nullptr};
QtRenderer *renderer = nullptr;

// The objects under test alone in an open window of an application of their own, for as long as this lives.
// Tags after the window's contents go to the window.
class WindowAround {
public:
    template <class... Tags>
    explicit WindowAround(Object *contents, Tags... tags)
        : win_(MUI_NewObject(MUIC_Window, MUIA_Window_RootObject, contents, tags...)),
          app_(MUI_NewObject(MUIC_Application, SubWindow, win_))
    {
        SetAttrs(win_, MUIA_Window_Open, TRUE);
    }
    ~WindowAround() { MUI_DisposeObject(app_); }
    WindowAround(const WindowAround &) = delete;
    WindowAround &operator=(const WindowAround &) = delete;

private:
    Object *win_;
    Object *app_;
};
}

TEST(Renderer, TheViewerShowsADocumentAndADoubleClickReportsTheCharacter)
{
    OpenWindow program(OpenWindow::Layout::ViewerOnly);
    ASSERT_TRUE(program.Ready());
    SetRequesterBackend(&program.app.requester);
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, program.box.Write("a.txt", "one\nAllocMem(size)\n").c_str());
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    QApplication::processEvents();

    PeerBase *peer = QtPeerOf(View.TextList);
    ASSERT_NE(peer, nullptr);
    auto *view = qobject_cast<QListView *>(peer->widget());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->model()->rowCount(), 2);
    EXPECT_TRUE(view->uniformItemSizes()) << "rows are painted, not made of widgets";
    DoMethod(View.TextList, MUIM_NList_InsertSingle, "\33bAllocMem\33n(size)", MUIV_NList_Insert_Bottom);
    EXPECT_EQ(view->model()->rowCount(), 3);

    static LONG clicked = -1;
    Hook record = {[](Hook *, APTR, APTR msg) -> IPTR { return clicked = LONG(*static_cast<IPTR *>(msg)); }, nullptr};
    DoMethod(View.TextList, MUIM_Notify, MUIA_NList_DoubleClick, MUIV_EveryTime, View.TextList, 3, MUIM_CallHook,
             &record, MUIV_TriggerValue);
    QRect row = view->visualRect(view->model()->index(2, 0));
    int charWidth = QFontMetrics(view->font()).horizontalAdvance('M');
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       QPoint(4 + 2 * charWidth + charWidth / 2, row.center().y()));
    EXPECT_EQ(clicked, 2);
    MUI_NList_TestPos_Result res;
    DoMethod(View.TextList, MUIM_NList_TestPos, MUI_MAXMAX, MUI_MAXMAX, &res);
    EXPECT_EQ(res.entry, 2);
    EXPECT_EQ(res.char_number, 4) << "the third visible letter, after the two bytes of the bold code";

    auto *name = qobject_cast<QLabel *>(QtPeerOf(ViewGUI.NameText)->widget());
    EXPECT_TRUE(name->text().contains("a.txt"));
}

TEST(Renderer, TheCloseGadgetAsksTheProgramToQuit)
{
    OpenWindow program(OpenWindow::Layout::ViewerOnly);
    ASSERT_TRUE(program.Ready());
    QWidget *window = renderer->WindowWidget(QMXObject.Win);
    ASSERT_NE(window, nullptr);
    window->close();
    ULONG sigs;
    EXPECT_EQ(DoMethod(QMXObject.App, MUIM_Application_NewInput, &sigs), MUIV_Application_ReturnID_Quit);
    EXPECT_TRUE(window->isVisible()) << "the program decides when the window closes";
}

TEST(Renderer, MenuItemsFollowTheProgramAndPicksReachIt)
{
    OpenWindow program(OpenWindow::Layout::ViewerOnly);
    ASSERT_TRUE(program.Ready());
    auto *window = qobject_cast<QMainWindow *>(renderer->WindowWidget(QMXObject.Win));
    ASSERT_NE(window, nullptr);
    QAction *about = nullptr, *save = nullptr;
    for (QAction *a : window->findChildren<QAction *>()) {
        if (a->text() == "About the programme")
            about = a;
        if (a->text() == "save")
            save = a;
    }
    ASSERT_TRUE(about && save);
    EXPECT_TRUE(save->isEnabled());
    MenuActive(MENU_FileSave, FALSE);
    EXPECT_FALSE(save->isEnabled()) << "the program's enabling reaches the menu";
    about->trigger();
    EXPECT_TRUE(xget(WinAboutApp, MUIA_Window_Open));
    QWidget *aboutWindow = renderer->WindowWidget(WinAboutApp);
    ASSERT_NE(aboutWindow, nullptr);
    EXPECT_TRUE(aboutWindow->isVisible());
    SetAttrs(WinAboutApp, MUIA_Window_Open, FALSE);
}

TEST(Renderer, TypingInAFieldAndReturnReachTheObject)
{
    Sandbox box;
    Object *field = MUI_NewObject(MUIC_String);
    static std::string acknowledged;
    Hook record = {[](Hook *, APTR, APTR msg) -> IPTR {
                       acknowledged = reinterpret_cast<const char *>(*static_cast<IPTR *>(msg));
                       return 0;
                   },
                   nullptr};
    DoMethod(field, MUIM_Notify, MUIA_String_Acknowledge, MUIV_EveryTime, field, 3, MUIM_CallHook, &record,
             MUIV_TriggerValue);
    WindowAround window(MUI_NewObject(MUIC_Group, Child, field));
    auto *edit = qobject_cast<QLineEdit *>(QtPeerOf(field)->widget());
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "AllocMem");
    EXPECT_STREQ(reinterpret_cast<char *>(xget(field, MUIA_String_Contents)), "AllocMem");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(acknowledged, "AllocMem");
    SetAttrs(field, MUIA_String_Contents, "FreeMem");
    EXPECT_EQ(edit->text(), "FreeMem");
}

TEST(Renderer, DisplaySettingsAreKeptInTheEnvironmentStore)
{
    Sandbox box;
    DisplaySettings saved = DisplaySettings::Current();
    DisplaySettings changed = saved;
    changed.pens[8] = QColor("#123456");
    changed.font.setPointSize(17);
    ASSERT_TRUE(changed.Save());
    DisplaySettings loaded = saved;
    loaded.Load();
    EXPECT_EQ(loaded.pens[8].name(), "#123456");
    EXPECT_EQ(loaded.font.pointSize(), 17);
    EXPECT_EQ(loaded.Pen(42), loaded.pens[2]) << "a pen the palette does not have is the text pen";
}

TEST(Renderer, EveryNamedGuideColourIsReadableOnTheList)
{
    EXPECT_NEAR(Contrast(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(Contrast(QColor("#777777"), Qt::white), 4.48, 0.01);
    EXPECT_NEAR(Contrast(QColor("#3b6ea5"), QColor("#3b6ea5")), 1.0, 1e-9);
    OpenWindow program(OpenWindow::Layout::ViewerOnly);
    ASSERT_TRUE(program.Ready());
    auto *view = qobject_cast<QListView *>(QtPeerOf(View.TextList)->widget());
    ASSERT_NE(view, nullptr);
    const DisplaySettings &s = DisplaySettings::Current();
    auto drawn = [&](const QColor &background, const char *name) {
        struct : GuideSink {
            void Append(const std::string &, bool) override {}
            LONG Elements() override { return 0; }
            void Button(LONG, const std::string &) override {}
        } sink;
        GuideStyle style;
        std::vector<GuideLink> links;
        std::string line = BuildGuideLine(std::string("@{fg ") + name + "}x", style, links, sink);
        std::vector<TextRun> runs = LayoutLine(line.c_str(), 0, line.size(), 80, false, [](LONG) { return ""; });
        return s.TextPen(runs.back().style.pen, background);
    };
    QColor list = view->palette().color(QPalette::Base);
    for (const QColor &background : {list, QColor(Qt::white), QColor("#202020"), QColor("#c8c8c8")})
        for (const char *name : {"text", "shine", "shadow", "fill", "filltext", "background", "highlight"})
            EXPECT_GE(Contrast(drawn(background, name), background), 3.0)
                << name << " on " << background.name().toStdString();
    EXPECT_EQ(drawn(list, "fill"), s.pens[5]) << "the fill pen itself where it is readable";
    EXPECT_NE(drawn(list, "fill"), drawn(list, "text"));
    EXPECT_EQ(drawn(list, "highlight"), s.pens[8]);
    EXPECT_GT(drawn(Qt::white, "shine").lightness(), 96) << "a light pen made readable, not nearly black";
    EXPECT_EQ(drawn(Qt::black, "shine"), s.pens[3]);
}

TEST(Renderer, AClickOnAnEmbeddedButtonReportsItsValue)
{
    Sandbox box;
    Object *list = MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String);
    DoMethod(list, MUIM_NList_UseImage, MUI_NewObject(MUIC_Text, MUIA_Text_Contents, "Next"), 1, 0);
    DoMethod(list, MUIM_NList_InsertSingle, "go \33o[1@77] there", MUIV_NList_Insert_Bottom);
    DoMethod(list, MUIM_NList_InsertSingle, "\33E", MUIV_NList_Insert_Bottom);   // a rule, drawn across
    static LONG reported = -1;
    Hook record = {[](Hook *, APTR, APTR msg) -> IPTR { return reported = LONG(*static_cast<IPTR *>(msg)); }, nullptr};
    DoMethod(list, MUIM_Notify, MUIA_NList_ButtonClick, MUIV_EveryTime, list, 3, MUIM_CallHook, &record,
             MUIV_TriggerValue);
    WindowAround window(MUI_NewObject(MUIC_Group, Child, list));
    auto *view = qobject_cast<QListView *>(QtPeerOf(list)->widget());
    ASSERT_NE(view, nullptr);
    view->viewport()->repaint();
    QRect row = view->visualRect(view->model()->index(0, 0));
    qreal cw = QFontMetricsF(view->font()).horizontalAdvance('M');
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(int(4 + 5 * cw), row.center().y()));
    EXPECT_EQ(reported, 77);
    reported = -1;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(int(4 + 1 * cw), row.center().y()));
    EXPECT_EQ(reported, -1) << "a click on the text is no button";
}

TEST(Renderer, PagesHiddenObjectsAndDisabledOnesShowAsTheyAre)
{
    Sandbox box;
    Object *first = MUI_NewObject(MUIC_Text, MUIA_Text_Contents, "one");
    Object *second = MUI_NewObject(MUIC_Text, MUIA_Text_Contents, "\33b\33ctwo");
    Object *pages = MUI_NewObject(MUIC_Group, MUIA_Group_PageMode, TRUE, Child, first, Child, second);
    Object *hidden = MUI_NewObject(MUIC_Text, MUIA_Text_Contents, "x");
    WindowAround window(MUI_NewObject(MUIC_Group, Child, pages, Child, hidden));
    auto *stack = QtPeerOf(pages)->widget()->findChild<QStackedWidget *>();
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->currentIndex(), 0);
    SetAttrs(pages, MUIA_Group_ActivePage, 1);
    EXPECT_EQ(stack->currentIndex(), 1);
    auto *label = qobject_cast<QLabel *>(QtPeerOf(second)->widget());
    EXPECT_TRUE(label->text().contains("<b>two")) << label->text().toStdString();
    EXPECT_TRUE(label->text().contains("center"));
    QWidget *x = QtPeerOf(hidden)->widget();
    SetAttrs(hidden, MUIA_ShowMe, FALSE, MUIA_Disabled, TRUE);
    EXPECT_TRUE(x->isHidden());
    EXPECT_FALSE(x->isEnabled());
}

TEST(Renderer, AQuietListIsReloadedOnceAtTheEnd)
{
    Sandbox box;
    Object *list = MUI_NewObject(MUIC_NList, MUIA_NList_ConstructHook, MUIV_NList_ConstructHook_String);
    int resets = 0;   // outlives the window, which may reset the list as it goes
    WindowAround window(MUI_NewObject(MUIC_Group, Child, list));
    auto *view = qobject_cast<QListView *>(QtPeerOf(list)->widget());
    QObject::connect(view->model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    SetAttrs(list, MUIA_NList_Quiet, TRUE);
    for (int i = 0; i < 100; ++i)
        DoMethod(list, MUIM_NList_InsertSingle, "line", MUIV_NList_Insert_Bottom);
    EXPECT_EQ(view->model()->rowCount(), 0) << "nothing is drawn while the list is quiet";
    SetAttrs(list, MUIA_NList_Quiet, FALSE);
    EXPECT_EQ(view->model()->rowCount(), 100);
    EXPECT_LE(resets, 2);
}

TEST(Renderer, AHeaderEntryStandsAtTheTopOfTheText)
{
    OpenWindow program(OpenWindow::Layout::ViewerOnly);
    ASSERT_TRUE(program.Ready());
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "struct S" + std::to_string(i) + "\n{\n    LONG a;\n};\n";
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, program.box.Write("s.h", text).c_str());
    auto *view = qobject_cast<QListView *>(QtPeerOf(View.TextList)->widget());
    auto topRow = [&] {
        QApplication::processEvents();
        return view->indexAt(QPoint(2, 2)).row();
    };
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 201);   // S200, line 801
    EXPECT_EQ(topRow(), 800) << "when the text is put into the list";
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 101);
    EXPECT_EQ(topRow(), 400) << "when the list only scrolls";
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 0);
    EXPECT_EQ(topRow(), 0);
}

TEST(Renderer, TabGoesFromLinkToLinkAndReturnFollowsIt)
{
    OpenWindow program(OpenWindow::Layout::ViewerOnly);
    ASSERT_TRUE(program.Ready());
    SetAttrs(QMXObject.ViewObj, QMXA_View_File,
             program.box
                 .Write("t.guide", "@database t\n@node MAIN\nGo @{\"first\" link One} or\n\n@{\"second\" link Two}\n"
                                   "@endnode\n@node One\none\n@endnode\n@node Two\ntwo\n")
                 .c_str());
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, 2);
    auto *view = qobject_cast<QListView *>(QtPeerOf(View.TextList)->widget());
    view->setFocus();
    QApplication::processEvents();
    for (int key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab})   // first, second, round to first, back
        QTest::keyClick(view, Qt::Key(key), key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(LONG(xget(QMXObject.IndexObj, QMXA_Index_Active)), 4) << "the second link: node Two";
}

TEST(Renderer, DraggingABalanceBarChangesTheShares)
{
    Sandbox box;
    Object *left = MUI_NewObject(MUIC_NList), *right = MUI_NewObject(MUIC_NList);
    Object *row = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, Child, left, Child,
                                MUI_NewObject("BetterBalance.mcc", MUIA_ObjectID, 7), Child, right);
    WindowAround window(row, MUIA_Window_Width, 600, MUIA_Window_Height, 300);
    auto *splitter = QtPeerOf(row)->widget()->findChild<QSplitter *>();
    ASSERT_NE(splitter, nullptr);
    ASSERT_EQ(splitter->count(), 2) << "the bar is the splitter's handle, not a widget";
    QApplication::processEvents();
    QSplitterHandle *handle = splitter->handle(1);
    QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + QPoint(120, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(120, 0));
    EXPECT_GT(xget(left, MUIA_HorizWeight), xget(right, MUIA_HorizWeight));
}

TEST(Renderer, TheMessageBoxAnswersWithTheButtonsNumbers)
{
    QtDialogs dialogs;
    auto answer = [&](const char *pick) {
        QTimer::singleShot(0, [pick] {
            for (QAbstractButton *b : QApplication::activeModalWidget()->findChildren<QAbstractButton *>())
                if (b->text() == pick)
                    b->click();
        });
        return dialogs.Request("QMX - problem...", "Save|Cancel", "The base has been modified.");
    };
    EXPECT_EQ(answer("Save"), 1);
    EXPECT_EQ(answer("Cancel"), 0);
}

TEST(Renderer, ANoticeIsALineOnTheStatusBarOnceTheMainWindowIsThere)
{
    QtDialogs dialogs;
    dialogs.Notice("The command port is off:\nwhy");   // before any window
    QMainWindow main;
    EXPECT_EQ(main.findChild<QStatusBar *>(), nullptr);
    dialogs.SetParentWindow(&main);
    EXPECT_EQ(main.statusBar()->currentMessage(), "The command port is off: why");
    dialogs.Notice("Cannot open file:\n/missing.doc");
    EXPECT_EQ(main.statusBar()->currentMessage(), "Cannot open file: /missing.doc");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "nothing waits for a click";
}

TEST(Renderer, TheProgramsWindowCarriesTheNoticesOnItsStatusBar)
{
    TestApp app(true);
    ASSERT_TRUE(app.Ready());
    SetRequesterBackend(renderer->Dialogs());   // the renderer's own, not the test's script
    SetAttrs(QMXObject.Win, MUIA_Window_Open, TRUE);
    ShowNotice("Cannot open file:\n/missing.doc");
    SetRequesterBackend(&app.requester);
    auto *main = qobject_cast<QMainWindow *>(renderer->WindowWidget(QMXObject.Win));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->statusBar()->currentMessage(), "Cannot open file: /missing.doc");
    SetAttrs(QMXObject.Win, MUIA_Window_Open, FALSE);
}

TEST(Renderer, AFileDroppedOnTheWindowOpensInTheViewer)
{
    OpenWindow program(OpenWindow::Layout::ViewerOnly);
    ASSERT_TRUE(program.Ready());
    QWidget *window = renderer->WindowWidget(QMXObject.Win);
    ASSERT_TRUE(window->acceptDrops());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(program.box.Write("dropped.txt", "dropped text\n"))),
                  QUrl::fromLocalFile(QString::fromStdString(program.box.Write("second.txt", "second\n")))});
    // as in a real drag the drag enters first, or the drop is not delivered
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &drop);
    EXPECT_TRUE(program.app.requester.questions.empty());
    EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"dropped text"}) << "the first file only";
}

TEST(Renderer, ButtonLabelsKeepTheirShortcut)
{
    EXPECT_EQ(ButtonText("\33cD_elete"), "D&elete");
    EXPECT_EQ(ButtonText("Save & quit"), "Save && quit");
    EXPECT_TRUE(CodesToHtml("\33c", "a < b\nnext").contains("a &lt; b<br>next"));
}

TEST(Renderer, TheTreeFollowsItsListAndClicksAndOpeningReachIt)
{
    Sandbox box;
    Object *tree = MUI_NewObject(MUIC_NListtree);
    auto insert = [&](const char *name, MUI_NListtree_TreeNode *parent, ULONG flags) {
        return reinterpret_cast<MUI_NListtree_TreeNode *>(
            DoMethod(tree, MUIM_NListtree_Insert, name, nullptr, parent, MUIV_NListtree_Insert_PrevNode_Tail, flags));
    };
    MUI_NListtree_TreeNode *group = insert("\33bGroup", MUIV_NListtree_Insert_ListNode_Root, TNF_LIST);
    MUI_NListtree_TreeNode *inner = insert("inner.doc", group, 0);
    insert("outer.doc", MUIV_NListtree_Insert_ListNode_Root, 0);
    WindowAround window(MUI_NewObject(MUIC_Group, Child, tree));
    auto *view = qobject_cast<QTreeView *>(QtPeerOf(tree)->widget());
    ASSERT_NE(view, nullptr);
    QAbstractItemModel *model = view->model();
    ASSERT_EQ(model->rowCount(), 2);
    QModelIndex groupIndex = model->index(0, 0), innerIndex = model->index(0, 0, groupIndex);
    EXPECT_EQ(model->data(groupIndex).toString(), "Group") << "text codes are not shown";
    EXPECT_TRUE(model->data(groupIndex, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model->data(innerIndex).toString(), "inner.doc");

    view->expand(groupIndex);
    EXPECT_TRUE(group->tn_Flags & TNF_OPEN) << "opening in the window opens the node";
    DoMethod(tree, MUIM_NListtree_Close, 0, group, 0);
    EXPECT_FALSE(view->isExpanded(groupIndex)) << "closing the node closes it in the window";
    DoMethod(tree, MUIM_NListtree_Open, 0, group, 0);
    ASSERT_TRUE(view->isExpanded(groupIndex));

    static LONG clicked = -1;
    Hook record = {[](Hook *, APTR, APTR msg) -> IPTR { return clicked = LONG(*static_cast<IPTR *>(msg)); }, nullptr};
    DoMethod(tree, MUIM_Notify, MUIA_NListtree_EntryClick, MUIV_EveryTime, tree, 3, MUIM_CallHook, &record,
             MUIV_TriggerValue);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(innerIndex).center());
    EXPECT_EQ(reinterpret_cast<MUI_NListtree_TreeNode *>(xget(tree, MUIA_NListtree_Active)), inner);
    EXPECT_EQ(clicked, 1) << "the click reports the node's number in pre-order";
    EXPECT_TRUE(inner->tn_Flags & TNF_SELECTED);

    DoMethod(tree, MUIM_NListtree_Remove, MUIV_NListtree_Remove_ListNode_Root, group, 0);
    EXPECT_EQ(model->rowCount(), 1) << "a removed node leaves the window";
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), "outer.doc");
}

TEST(Renderer, TextOfTheHostAndOfDocumentsShowsDecodedAndWhole)
{
    OpenWindow program(OpenWindow::Layout::ViewerOnly);
    ASSERT_TRUE(program.Ready());
    std::string path = program.box.Write("\xc3\x9c"
                                         "bersicht/exec_\xc3\xa4.txt",
                                         "Gr\xc3\xbc\xc3\x9f"
                                         "e \xe2\x80\x94 " +
                                             std::string(300, 'x') + "\n");
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, path.c_str());
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    QApplication::processEvents();

    QIcon icon = renderer->WindowWidget(QMXObject.Win)->windowIcon();
    ASSERT_FALSE(icon.isNull()) << "the window wears the program's logo";
    EXPECT_EQ(icon.availableSizes().value(0), QSize(60, 64));
    auto *name = qobject_cast<QLabel *>(QtPeerOf(ViewGUI.NameText)->widget());
    EXPECT_TRUE(name->text().contains(QString::fromUtf8("\xc3\x9c"
                                                        "bersicht/exec_\xc3\xa4.txt")))
        << "a file name is the host's UTF-8, not Latin-1";
    name->resize(60, name->height());
    QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), name->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(name, &tip);
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8(path.c_str())) << "a path too long for its field tells itself whole";
    QToolTip::hideText();

    auto *view = qobject_cast<QListView *>(QtPeerOf(View.TextList)->widget());
    EXPECT_EQ(NListWidestLine(View.TextList), 308) << "a UTF-8 character takes one column";
    QRect row = view->visualRect(view->model()->index(0, 0));
    EXPECT_GT(row.width(), view->viewport()->width()) << "a long line is as wide as its text";
    EXPECT_GT(view->horizontalScrollBar()->maximum(), 0) << "and the view scrolls over it";
}

TEST(Renderer, TheTreeShowsTheActiveNodeSelectedAndDocumentsTellTheirPath)
{
    OpenWindow program(OpenWindow::Layout::Full);
    ASSERT_TRUE(program.Ready());
    program.app.requester.files.push_back({program.box.Dir(), {"a.txt", "b.txt"}});
    program.box.Write("a.txt", "a\n");
    program.box.Write("b.txt", "b\n");
    DoMethod(QMXObject.BazaObj, QMXM_Baza_EdTree, 0x80000103);   // add files
    ASSERT_TRUE(FinishBaseJob());
    QApplication::processEvents();
    auto *view = qobject_cast<QTreeView *>(QtPeerOf(BazaGUI.Tree)->widget());
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->model()->rowCount(), 2);
    QModelIndex a = view->model()->index(0, 0), b = view->model()->index(1, 0);
    EXPECT_EQ(view->model()->data(b, Qt::ToolTipRole).toString(), QString::fromStdString(program.box.Path("b.txt")));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(a).center());
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, "b.txt");   // the quick search moves on
    QApplication::processEvents();
    EXPECT_FALSE(view->selectionModel()->isSelected(a));
    EXPECT_TRUE(view->selectionModel()->isSelected(b)) << "the tree shows the document now active";
    EXPECT_EQ(view->currentIndex(), b);
    int treeHeight = view->height();
    Object *structure = reinterpret_cast<Object *>(DoMethod(QMXObject.MenuStrip, MUIM_FindUData, MENU_BaseStructure));
    SetAttrs(structure, MUIA_Menuitem_Trigger, TRUE);   // the group editor shows below the tree
    QApplication::processEvents();
    EXPECT_TRUE(QtPeerOf(QMXObject.GroupEdObj)->widget()->isVisible());
    view = qobject_cast<QTreeView *>(QtPeerOf(BazaGUI.Tree)->widget());   // the group's widgets were made anew
    EXPECT_GE(view->height(), treeHeight * 19 / 20) << "the editor's room comes from the index, not from the tree";
    QWidget *baseName = QtPeerOf(BazaGUI.BaseName)->widget();
    EXPECT_GT(baseName->width(), baseName->parentWidget()->width() * 2 / 3)
        << "the base's name takes the room its row has, beside a button of fixed size";
}

TEST(Renderer, AQuickSearchHitIsShownInTheIndexList)
{
    OpenWindow program(OpenWindow::Layout::Full);
    ASSERT_TRUE(program.Ready());
    std::string text = "TABLE OF CONTENTS\n";
    for (int i = 0; i < 300; ++i)
        text += "\fl.library/Function" + std::to_string(i) + "\n   NAME\n\tx\n";
    program.box.Write("l.doc", text);
    program.app.requester.files.push_back({program.box.Dir(), {"l.doc"}});
    DoMethod(QMXObject.BazaObj, QMXM_Baza_EdTree, 0x80000103);   // add files
    QApplication::processEvents();
    auto *view = qobject_cast<QListView *>(QtPeerOf(IndexGUI.IndexList)->widget());
    ASSERT_NE(view, nullptr);
    for (const char *name : {"function250", "function3"}) {
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, name);
        QApplication::processEvents();
        LONG active = LONG(xget(QMXObject.IndexObj, QMXA_Index_Active));
        ASSERT_GT(active, 0) << name;
        EXPECT_TRUE(view->viewport()->rect().contains(view->visualRect(view->model()->index(int(active), 0)).center()))
            << name;
    }
}

TEST(Renderer, APathTypedInTheFileRequesterIsUsedAsTyped)
{
    FileRequestResult result;
    FillFileRequestResult({"/tmp/bases/small.qmx"}, result);
    EXPECT_EQ(result.drawer, "/tmp/bases");
    EXPECT_EQ(result.files, std::vector<std::string>{"small.qmx"});
    result = {};
    FillFileRequestResult({QString::fromUtf8("/sdk/\xc3\x9c"
                                             "bersicht/a.doc"),
                           "/other/b.doc"},
                          result);
    EXPECT_EQ(result.drawer, "/sdk/\xc3\x9c"
                             "bersicht")
        << "names stay the host's bytes";
    EXPECT_EQ(result.files, (std::vector<std::string>{"a.doc", "/other/b.doc"}));
}

int main(int c, char **v)
{
    ::testing::InitGoogleTest(&c, v);
    QtRenderer r(argc, argv);
    renderer = &r;
    return RUN_ALL_TESTS();
}
