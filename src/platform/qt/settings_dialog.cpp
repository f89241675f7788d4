#include "settings_dialog.h"

#include "../locale/catalog.h"
#include "../mui/mui.h"
#include "display_settings.h"
#include "richtext.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPushButton>

namespace {
// The window's texts come from the toolkit's own catalog, as the program's
// come from its own; these are the built-in ones.
const char *const kBuiltIn[] = {"",
                                "%s settings",
                                "Font of the text lists",
                                "Text lists font",
                                "Pen %d: %s",
                                "Detail",
                                "Block",
                                "Text",
                                "Shine",
                                "Shadow",
                                "Fill",
                                "Fill text",
                                "Background",
                                "Highlight text",
                                "Pen 9",
                                "Save",
                                "Cancel"};
enum Text { kTitle = 1, kFontDialog, kFontRow, kPenRow, kFirstPen, kSave = 15, kCancel };

class Texts {
public:
    Texts() : cat_(OpenCatalog(nullptr, "muimaster.catalog", OC_BuiltInLanguage, "english")) {}
    ~Texts() { CloseCatalog(cat_); }
    QString operator()(int id) const { return UiText(GetCatalogStr(cat_, id, kBuiltIn[id])); }

private:
    Catalog *cat_;
};

void PaintSwatch(QPushButton *b, const QColor &c)
{
    b->setText(c.name());
    b->setStyleSheet(QString("background:%1; color:%2").arg(c.name(), c.lightness() > 128 ? "black" : "white"));
}
}

void ShowSettingsDialog(QWidget *parent, Object *app)
{
    DisplaySettings edited = DisplaySettings::Current();
    Texts text;
    QDialog dialog(parent);
    dialog.setWindowTitle(
        text(kTitle).replace("%s", UiText(reinterpret_cast<const char *>(xget(app, MUIA_Application_Title)))));
    auto *form = new QFormLayout(&dialog);
    auto *fontButton = new QPushButton(edited.font.family() + " " + QString::number(edited.font.pointSize()));
    QObject::connect(fontButton, &QPushButton::clicked, [&] {
        bool ok = false;
        QFont f = QFontDialog::getFont(&ok, edited.font, &dialog, text(kFontDialog), QFontDialog::MonospacedFonts);
        if (ok) {
            edited.font = f;
            fontButton->setText(f.family() + " " + QString::number(f.pointSize()));
        }
    });
    form->addRow(text(kFontRow), fontButton);
    for (int i = 0; i < 10; ++i) {
        auto *b = new QPushButton;
        PaintSwatch(b, edited.pens[i]);
        QObject::connect(b, &QPushButton::clicked, [&, i, b] {
            QColor c = QColorDialog::getColor(edited.pens[i], &dialog, text(kFirstPen + i));
            if (c.isValid()) {
                edited.pens[i] = c;
                PaintSwatch(b, c);
            }
        });
        form->addRow(text(kPenRow).replace("%d", QString::number(i)).replace("%s", text(kFirstPen + i)), b);
    }
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(text(kSave), QDialogButtonBox::AcceptRole);
    buttons->addButton(text(kCancel), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    DisplaySettings::Current() = edited;
    edited.Save();
    for (QWidget *w : QApplication::allWidgets())
        w->update();
}
