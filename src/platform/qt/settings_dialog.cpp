#include "settings_dialog.h"

#include "display_settings.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPushButton>

namespace {
const char *const kPenNames[10] = {"Detail", "Block", "Text", "Shine", "Shadow",
                                   "Fill", "Fill text", "Background", "Highlight text", "Pen 9"};

void PaintSwatch(QPushButton *b, const QColor &c)
{
    b->setText(c.name());
    b->setStyleSheet(QString("background:%1; color:%2").arg(c.name(), c.lightness() > 128 ? "black" : "white"));
}
}

void ShowSettingsDialog(QWidget *parent)
{
    DisplaySettings edited = DisplaySettings::Current();
    QDialog dialog(parent);
    dialog.setWindowTitle("Vellumscanner settings");
    auto *form = new QFormLayout(&dialog);
    auto *fontButton = new QPushButton(edited.font.family() + " " + QString::number(edited.font.pointSize()));
    QObject::connect(fontButton, &QPushButton::clicked, [&] {
        bool ok = false;
        QFont f = QFontDialog::getFont(&ok, edited.font, &dialog, "Font of the text lists",
                                       QFontDialog::MonospacedFonts);
        if (ok) {
            edited.font = f;
            fontButton->setText(f.family() + " " + QString::number(f.pointSize()));
        }
    });
    form->addRow("Text lists font", fontButton);
    for (int i = 0; i < 10; ++i) {
        auto *b = new QPushButton;
        PaintSwatch(b, edited.pens[i]);
        QObject::connect(b, &QPushButton::clicked, [&, i, b] {
            QColor c = QColorDialog::getColor(edited.pens[i], &dialog, kPenNames[i]);
            if (c.isValid()) {
                edited.pens[i] = c;
                PaintSwatch(b, c);
            }
        });
        form->addRow(QString("Pen %1: %2").arg(i).arg(kPenNames[i]), b);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
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
