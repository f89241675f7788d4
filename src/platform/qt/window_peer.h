#pragma once
#include "../intuition/classes.h"

class QWidget;
// The window of a window object: a main window with its menus, or the pop-up
// of a Popobject.
QWidget *MakeWindowPeer(Object *win);
// A pop-up about to be closed by the program no longer reports its closing.
void ForgetPopupOwner(QWidget *window);
