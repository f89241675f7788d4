#pragma once
#include "../intuition/classes.h"

class QWidget;
QWidget *MakeGroupPeer(Object *obj, QWidget *parent);
QWidget *MakeRegisterPeer(Object *obj, QWidget *parent);
