#include "display_settings.h"

#include "../mui/envstore.h"

#include <QFontDatabase>

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
