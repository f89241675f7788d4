#pragma once
#include "../intuition/classes.h"

class QWidget;
QWidget *MakeNListPeer(Object *obj, QWidget *parent);
QWidget *MakeNListviewPeer(Object *obj, QWidget *parent);
