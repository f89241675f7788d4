#pragma once
#include "../intuition/classes.h"

class QWidget;
// The tree list: a tree view over the list's own nodes. Clicks, opening and
// closing, selection and drops reach the list as the program's calls would.
QWidget *MakeTreePeer(Object *obj, QWidget *parent);
