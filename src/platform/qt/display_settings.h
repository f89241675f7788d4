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
    // Pen n as text is drawn with it on background: readable, however light
    // or dark the pen was chosen.
    QColor TextPen(long n, const QColor &background) const;
};

// The contrast ratio of two colours, from 1 (the same light) to 21 (black
// on white), as accessibility guidelines measure it.
double Contrast(const QColor &a, const QColor &b);
