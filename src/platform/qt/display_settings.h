// How the renderer draws text lists: the fixed-width font and the colours of
// the pens the text codes name. Kept in the environment store.
#pragma once
#include <QColor>
#include <QFont>

struct DisplaySettings {
    QFont font;
    QColor pens[10];

    static DisplaySettings &Current();
    void Load();
    bool Save() const;
    QColor Pen(long n) const;
};
