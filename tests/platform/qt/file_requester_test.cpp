// The file requester, offscreen: the filter it uses is the one it shows, and
// every file can be had.
#include "core/ids.h"
#include "core/objects.h"
#include "platform/qt/dialogs.h"
#include "support/support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct Seen {
    QStringList filters;
    QString chosen;
    int rows = -1, rowsFiltered = -1;
};

int RowsShown(QFileDialog *dialog)
{
    auto *view = dialog->findChild<QAbstractItemView *>("listView");
    (void)QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) > 0; }, 3000);
    QTest::qWait(150);   // the folder's files arrive in batches
    return view->model()->rowCount(view->rootIndex());
}

// Opens the dialog, looks at it, picks the other filter, looks again and cancels.
Seen Look(const FileRequestSpec &spec)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        seen.filters = dialog->nameFilters();
        seen.chosen = dialog->selectedNameFilter();
        seen.rows = RowsShown(dialog);
        auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
        QTest::keyClick(types, Qt::Key_Down);   // a person picks the other filter
        QApplication::processEvents();
        seen.rowsFiltered = RowsShown(dialog);
        dialog->reject();
    });
    QtDialogs dialogs;
    FileRequestResult result;
    EXPECT_FALSE(dialogs.FileRequest(spec, result));
    return seen;
}
}

TEST(FileRequester, DocumentsOpenOnAllFilesAndBasesOnTheirOwnFilter)
{
    Sandbox box;
    box.Write("AG/intuition", "@database x\n");
    box.Write("AG/notes.doc", "x\n");
    box.Write("AG/old.qmx", "x\n");
    box.Write("AG/notes.doc.info", "x\n");

    FileRequestSpec documents;
    documents.drawer = box.Path("AG");
    documents.pattern = "#?.(doc|h|xml|guide)";
    documents.patternName = "Documents";
    documents.allFilesFirst = true;
    documents.rejectIcons = true;
    Seen seen = Look(documents);
    EXPECT_EQ(seen.filters, (QStringList{"All Files (*)", "Documents (*.doc *.h *.xml *.guide)"}));
    EXPECT_EQ(seen.chosen, "All Files (*)");
    EXPECT_EQ(seen.rows, 3) << "a guide without an extension shows; icons do not";
    EXPECT_EQ(seen.rowsFiltered, 1) << "the documents' filter filters";

    FileRequestSpec bases;
    bases.drawer = box.Path("AG");
    bases.pattern = "#?.qmx";
    bases.patternName = "Bases";
    bases.save = true;
    bases.rejectIcons = true;
    seen = Look(bases);
    EXPECT_EQ(seen.filters, (QStringList{"Bases (*.qmx)", "All Files (*)"}));
    EXPECT_EQ(seen.rows, 1) << "the base shows when saving";
    EXPECT_EQ(seen.rowsFiltered, 3);
}

TEST(FileRequester, TheProgramNamesTheFilterOfEachRequester)
{
    Sandbox box;
    TestApp app(true);
    ASSERT_TRUE(app.Ready());
    DoMethod(QMXObject.ViewObj, QMXM_ViewOpenASL);
    DoMethod(QMXObject.BazaObj, QMXM_BazaOpenASL);
    DoMethod(QMXObject.BazaObj, QMXM_Baza_EdTree, 0x80000103);   // add files
    ASSERT_EQ(app.requester.fileRequests.size(), 3u);
    EXPECT_EQ(FileRequestFilters(app.requester.fileRequests[0]).first(), "All Files (*)");
    EXPECT_EQ(FileRequestFilters(app.requester.fileRequests[0]).last(), "Documents (*.doc *.h *.xml *.guide)");
    EXPECT_EQ(FileRequestFilters(app.requester.fileRequests[1]).first(), "Bases (*.qmx)");
    EXPECT_EQ(FileRequestFilters(app.requester.fileRequests[2]).first(), "All Files (*)");
}
