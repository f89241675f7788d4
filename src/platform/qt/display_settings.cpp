#include "display_settings.h"

#include "../mui/envstore.h"

#include <QFontDatabase>

#include <algorithm>
#include <cmath>

namespace {
constexpr ULONG kFontId = 1, kPenBase = 0x10;
const char *const kDefaultPens[10] = {"#000000", "#000000", "#1a1a1a", "#ffffff", "#555555",
                                      "#3b6ea5", "#ffffff", "#c8c8c8", "#1f5fbf", "#a02020"};
}

DisplaySettings &DisplaySettings::Current()
{
    static DisplaySettings settings = [] {
        DisplaySettings s;
        s.font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        for (int i = 0; i < 10; ++i)
            s.pens[i] = QColor(kDefaultPens[i]);
        s.Load();
        return s;
    }();
    return settings;
}

void DisplaySettings::Load()
{
    Dataspace ds;
    if (!EnvStoreRead("Vellumscanner", "display", false, ds))
        return;
    if (const std::string *f = ds.Find(kFontId)) {
        QFont loaded;
        if (loaded.fromString(QString::fromStdString(*f)))
            font = loaded;
    }
    for (int i = 0; i < 10; ++i)
        if (const std::string *c = ds.Find(kPenBase + ULONG(i))) {
            QColor colour(QString::fromStdString(*c));
            if (colour.isValid())
                pens[i] = colour;
        }
}

bool DisplaySettings::Save() const
{
    Dataspace ds;
    ds.Add(kFontId, font.toString().toStdString());
    for (int i = 0; i < 10; ++i)
        ds.Add(kPenBase + ULONG(i), pens[i].name().toStdString());
    return EnvStoreWrite("Vellumscanner", "display", true, ds) && EnvStoreWrite("Vellumscanner", "display", false, ds);
}

QColor DisplaySettings::Pen(long n) const { return n >= 0 && n < 10 ? pens[n] : pens[2]; }

namespace {
constexpr double kReadable = 3.0;

double Luminance(const QColor &c)
{
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

QColor Towards(const QColor &from, const QColor &to, double t)
{
    auto mix = [t](float a, float b) { return a + (b - a) * float(t); };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                            mix(from.blueF(), to.blueF()));
}
}

double Contrast(const QColor &a, const QColor &b)
{
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A pen too close to the background (the screen's white shine on a white
// list) is moved towards black or white, whichever lies farther from the
// background, just far enough; its hue stays as long as it can.
QColor DisplaySettings::TextPen(long n, const QColor &background) const
{
    QColor pen = Pen(n);
    if (Contrast(pen, background) >= kReadable)
        return pen;
    QColor end = Contrast(Qt::black, background) >= Contrast(Qt::white, background) ? QColor(Qt::black)
                                                                                    : QColor(Qt::white);
    double low = 0, high = 1;
    for (int step = 0; step < 12; ++step) {
        double mid = (low + high) / 2;
        (Contrast(Towards(pen, end, mid), background) >= kReadable ? high : low) = mid;
    }
    return Towards(pen, end, high);
}
