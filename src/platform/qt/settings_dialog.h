#pragma once
class QWidget;
// The renderer's settings: the text lists' font and the colours of the pens.
void ShowSettingsDialog(QWidget *parent);
