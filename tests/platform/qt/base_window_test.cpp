// The base panel in a real window, offscreen: what a person does to the tree
// and to the base reaches the program, and the window outlives every change.
#include "base/baza.h"
#include "core/ids.h"
#include "core/objects.h"
#include "open_window.h"
#include "platform/nlist/nlisttree.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/peer_base.h"
#include "support/support.h"
#include "view/view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {
class BaseWindow : public OpenWindowTest {
protected:
    QTreeView *Tree() { return qobject_cast<QTreeView *>(QtPeerOf(BazaGUI.Tree)->widget()); }
    void AddFiles(std::vector<std::string> names)
    {
        for (const std::string &n : names)
            box.Write(n, n + " text\n");
        app.requester.files.push_back({box.Dir(), names});
        DoMethod(QMXObject.BazaObj, QMXM_Baza_EdTree, EdTree_AddFiles);
        ASSERT_TRUE(FinishBaseJob());
        QApplication::processEvents();
    }
    void ClickRow(int row)
    {
        QTreeView *view = Tree();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(row, 0)).center());
        QApplication::processEvents();
    }
    std::string Shown() { return reinterpret_cast<char *>(xget(QMXObject.ViewObj, QMXA_View_File)); }
};
}

TEST_F(BaseWindow, DeletingTheDocumentShownLeavesTheWindowWhole)
{
    AddFiles({"a.txt", "b.txt", "c.txt"});
    ClickRow(1);
    ASSERT_EQ(Shown(), box.Path("b.txt"));
    app.requester.answers.push_back(1);   // Delete
    DoMethod(QMXObject.BazaObj, QMXM_Baza_EdTree, EdTree_Delete);
    QApplication::processEvents();
    EXPECT_EQ(Shown(), "") << "the viewer let go of the document before it went";
    ASSERT_EQ(Tree()->model()->rowCount(), 2);
    EXPECT_EQ(Tree()->model()->index(1, 0).data().toString(), "c.txt");
    EXPECT_TRUE(Tree()->selectionModel()->selectedIndexes().isEmpty());
    ClickRow(1);
    EXPECT_EQ(Shown(), box.Path("c.txt")) << "the tree still answers clicks";
}

TEST(Dialogs, TheStarredButtonIsTheDefaultAndOnlyTheProgramAsksBeforeReplacing)
{
    Sandbox box;
    QtDialogs dialogs;
    QString preset;
    QTimer::singleShot(0, [&] {
        auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        preset = question->defaultButton()->text();
        question->defaultButton()->click();
    });
    EXPECT_EQ(dialogs.Request("QMX - problem...", "Delete|*Cancel", "gone.doc"), 0);
    EXPECT_EQ(preset, "Cancel");

    std::string existing = box.Write("old.qmx", "x");
    int asked = 0;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        dialog->selectFile(QString::fromStdString(existing));
        QTimer::singleShot(0, [&] {   // a question of the dialog's own would be open now
            if (auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                ++asked;
                question->button(QMessageBox::Yes)->click();
            }
        });
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    });
    FileRequestSpec spec;
    spec.drawer = box.Dir();
    spec.save = true;
    FileRequestResult result;
    EXPECT_TRUE(dialogs.FileRequest(spec, result));
    QApplication::processEvents();
    EXPECT_EQ(asked, 0) << "the program asks once itself whether to replace the file";
    EXPECT_EQ(result.files, std::vector<std::string>{"old.qmx"});
}
