// The split between the base and the index over several runs: what is saved
// is what was shown, and showing the group editor each run moves nothing.
#include "app/window.h"
#include "core/ids.h"
#include "core/objects.h"
#include "platform/mui/envstore.h"
#include "platform/qt/peer_base.h"
#include "support/support.h"

#include <QApplication>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QSplitter *LeftSplitter() { return qobject_cast<QSplitter *>(QtPeerOf(QMXObject.BazaGroup)->widget()->parentWidget()); }

std::string SavedSplit()
{
    Dataspace state;
    EnvStoreRead("Vellumscanner", "state", true, state);
    const std::string *v = state.Find(OBJID_BalanceLeft);
    return v ? *v : "";
}

// One run: the saved state comes in, the window opens, the person may drag
// the bar, shows the group editor, and quits. Returns the shares shown before
// the editor came up.
QList<int> OneRun(int drag)
{
    TestApp app(true);
    EXPECT_TRUE(app.Ready());
    DoMethod(QMXObject.App, MUIM_Application_Load, MUIV_Application_Load_ENV);
    SetAttrs(QMXObject.Win, MUIA_Window_Width, 900, MUIA_Window_Height, 700, MUIA_Window_Open, TRUE);
    QApplication::processEvents();
    QSplitter *split = LeftSplitter();
    if (drag) {
        QSplitterHandle *handle = split->handle(1);
        QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(0, drag));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, drag));
    }
    QList<int> shown = split->sizes();
    Object *structure = reinterpret_cast<Object *>(DoMethod(QMXObject.MenuStrip, MUIM_FindUData, MENU_BaseStructure));
    SetAttrs(structure, MUIA_Menuitem_Trigger, TRUE);   // the group editor takes room from the index
    QApplication::processEvents();
    EXPECT_LT(LeftSplitter()->sizes()[1], shown[1]);
    return shown;
}
}

TEST(Balance, TheSplitSavedIsTheSplitShownAndStaysOverRuns)
{
    Sandbox box;
    QList<int> first = OneRun(120);
    std::string saved = SavedSplit();
    ASSERT_FALSE(saved.empty());
    for (int run = 0; run < 3; ++run) {
        QList<int> shown = OneRun(0);
        EXPECT_NEAR(shown[0], first[0], 2) << "run " << run << ": the bar stands where it was left";
        EXPECT_EQ(SavedSplit(), saved) << "run " << run;
    }
}
