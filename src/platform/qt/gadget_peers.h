// Peers of the simple gadgets: labels and text buttons, string fields,
// cycles, numbers, image buttons and empty rectangles.
#pragma once
#include "../intuition/classes.h"

class QWidget;
QWidget *MakeTextPeer(Object *obj, QWidget *parent);
QWidget *MakeStringPeer(Object *obj, QWidget *parent);
QWidget *MakeCyclePeer(Object *obj, QWidget *parent);
QWidget *MakeNumericPeer(Object *obj, QWidget *parent);
QWidget *MakeImagePeer(Object *obj, QWidget *parent);
QWidget *MakeRectanglePeer(Object *obj, QWidget *parent);
QWidget *MakeAreaPeer(Object *obj, QWidget *parent);
