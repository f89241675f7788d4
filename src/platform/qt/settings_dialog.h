#pragma once
class QWidget;
// The renderer's settings: the text lists' font and the colours of the pens.
struct Object;
// The window of the display settings (font and pens) of the application.
void ShowSettingsDialog(QWidget *parent, Object *app);
