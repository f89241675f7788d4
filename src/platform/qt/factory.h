// Makes the widget, with its peer, for an object and everything below it.
#pragma once
#include "../intuition/classes.h"

class QWidget;
QWidget *BuildPeerWidget(Object *obj, QWidget *parent);
