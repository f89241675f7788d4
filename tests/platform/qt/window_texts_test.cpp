// What the window says: its titles, menu labels and tooltips, offscreen, and
// the language of Qt's own dialogs.
#include "app/window.h"
#include "base/baza.h"
#include "base/grouped.h"
#include "catcomp/catcomp.h"
#include "core/ids.h"
#include "core/locale.h"
#include "core/objects.h"
#include "open_window.h"
#include "platform/locale/catalog.h"
#include "platform/nlist/nlist.h"
#include "platform/qt/peer_base.h"
#include "support/support.h"
#include "util/strings.h"
#include "view/view.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTreeView>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
QString Tip(Object *obj) { return QtPeerOf(obj)->widget()->toolTip(); }

QWidget *ShownWindowTitled(const QString &title)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title)
            return w;
    return nullptr;
}

using WindowTexts = OpenWindowTest;
}

TEST_F(WindowTexts, TheAboutWindowAndTheSettingsItemSayWhatTheyAre)
{
    QStringList labels;
    QAction *about = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        for (QAction *a : top->findChildren<QAction *>()) {
            labels << a->text();
            if (a->text() == "About the programme")
                about = a;
        }
    EXPECT_TRUE(labels.contains("Settings...")) << labels.join(", ").toStdString();
    EXPECT_FALSE(labels.contains("MUI..."));
    ASSERT_NE(about, nullptr);
    about->trigger();
    EXPECT_NE(ShownWindowTitled("Vellumscanner"), nullptr) << "the about window bears the program's name";
    EXPECT_EQ(ShownWindowTitled("Info o QMX"), nullptr);
    SetAttrs(WinAboutApp, MUIA_Window_Open, FALSE);
}

TEST_F(WindowTexts, EveryButtonOfTheBaseAndTheHistorySaysWhatItDoes)
{
    QStringList tips = {Tip(GrupaGUI.DeselectButton), Tip(GrupaGUI.DeleteButton), Tip(GrupaGUI.SortButton),
                        Tip(BazaGUI.SearchButton),    Tip(ViewGUI.PrevButton),    Tip(ViewGUI.PopButton),
                        Tip(ViewGUI.NextButton)};
    for (const QString &t : tips) {
        EXPECT_FALSE(t.isEmpty());
        EXPECT_EQ(tips.count(t), 1) << t.toStdString() << ": each button tells its own work";
    }
    EXPECT_NE(Tip(ViewGUI.PrevButton), QString(GetLoc(109))) << "not the row's help for all three";
}

TEST_F(WindowTexts, TreeNodesAndHistoryElementsTellTheirPathAndNamesShowAsUTF8)
{
    TreeNode *sdk = BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR("SDK", -1));
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, sdk);
    TreeNode *inner = BazaAdd2Tree(sdk, KIND_GROUP, NewSTR("Autodocs", -1));
    std::filesystem::create_directories(box.Path("sdk"));
    std::string doc = box.Write("sdk/exec_\xc3\xa4.doc", "TABLE OF CONTENTS\n\fexec.library/AllocVec\n   NAME\n\tx\n");
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, inner);
    ASSERT_EQ(BazaAddFiles({box.Path("sdk/exec_\xc3\xa4.doc")}, nullptr), 1);
    QApplication::processEvents();
    auto *tree = qobject_cast<QTreeView *>(QtPeerOf(BazaGUI.Tree)->widget());
    QModelIndex group = tree->model()->index(0, 0), sub = tree->model()->index(0, 0, group);
    EXPECT_EQ(tree->model()->data(group, Qt::ToolTipRole).toString(), "SDK");
    EXPECT_EQ(tree->model()->data(sub, Qt::ToolTipRole).toString(), "SDK/Autodocs") << "a group tells its place";
    EXPECT_EQ(tree->model()->data(tree->model()->index(0, 0, sub), Qt::ToolTipRole).toString(),
              QString::fromUtf8(doc.c_str()));

    SetAttrs(QMXObject.ViewObj, QMXA_View_File, doc.c_str());
    SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    QApplication::processEvents();
    size_t pos, len;
    const char *line = NListLineText(ViewGUI.HistoryList, 0, &pos, &len);
    EXPECT_STREQ(line, "exec_\xc3\xa4.doc/AllocVec");
    EXPECT_TRUE(NListLineIsUTF8(ViewGUI.HistoryList, line)) << "a file name is shown as the host's UTF-8";
    DoMethod(ViewGUI.HistoryPop, MUIM_Popstring_Open);
    QApplication::processEvents();
    ASSERT_NE(QtPeerOf(ViewGUI.HistoryList), nullptr);
    auto *history = qobject_cast<QAbstractItemView *>(QtPeerOf(ViewGUI.HistoryList)->widget());
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->model()->data(history->model()->index(0, 0), Qt::ToolTipRole).toString(),
              QString::fromUtf8(std::filesystem::canonical(doc).c_str()));
    DoMethod(ViewGUI.HistoryPop, MUIM_Popstring_Close, FALSE);
}

// LANGUAGE=fr:de with no French catalog: the program speaks German, and so
// do Qt's buttons.
TEST(QtTranslations, QtsDialogsSpeakTheLanguageOfTheProgramsCatalog)
{
    Sandbox box;
    std::string catalog, error;
    ASSERT_TRUE(CompileCatalog("## language deutsch\n2 Vellumscanner\n", catalog, error)) << error;
    box.Write("prog/Catalogs/deutsch/Vellumscanner.catalog", catalog);
    setenv("LANGUAGE", "fr:de", 1);
    Catalog *cat = OpenCatalog(nullptr, "Vellumscanner.catalog", OC_BuiltInLanguage, "english");
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(CatalogLanguageCode(cat), "de");
    UseCatalogLanguage(cat);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    CloseCatalog(cat);
    UseCatalogLanguage(nullptr);   // the built-in English again
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    unsetenv("LANGUAGE");
}
