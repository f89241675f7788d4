#include "logo.h"

#include "classes.h"
#include "ids.h"
#include "platform/graphics/rastport.h"
#include "startup.h"

#include <algorithm>
#include <cmath>

namespace {
MUI_CustomClass *clImageClass = nullptr;

struct ImageData {
    ULONG *Data;
    RastPort Rp;
};

// ---- the artwork: a sheet of vellum with lines of text under a magnifier
struct Colour {
    float r, g, b, a;
};

float RoundRectDistance(float x, float y, float x0, float y0, float x1, float y1, float radius)
{
    float cx = std::clamp(x, x0 + radius, x1 - radius), cy = std::clamp(y, y0 + radius, y1 - radius);
    return std::hypot(x - cx, y - cy) - radius;
}

float SegmentDistance(float x, float y, float ax, float ay, float bx, float by)
{
    float dx = bx - ax, dy = by - ay;
    float t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy));
}

void Over(Colour &dst, Colour src)
{
    float a = src.a + dst.a * (1 - src.a);
    if (a <= 0)
        return;
    dst.r = (src.r * src.a + dst.r * dst.a * (1 - src.a)) / a;
    dst.g = (src.g * src.a + dst.g * dst.a * (1 - src.a)) / a;
    dst.b = (src.b * src.a + dst.b * dst.a * (1 - src.a)) / a;
    dst.a = a;
}

Colour Sample(float x, float y)
{
    Colour c = {0, 0, 0, 0};
    float sheet = RoundRectDistance(x, y, 5, 3, 45, 60, 5);
    if (sheet < 0)
        Over(c, {0.96f, 0.91f, 0.78f, 1});
    if (std::fabs(sheet) < 0.9f)
        Over(c, {0.55f, 0.42f, 0.23f, 1});
    for (float ly = 12; ly < 56; ly += 6)
        if (sheet < -3 && std::fabs(y - ly) < 0.8f && x > 10 && x < (int(ly) % 12 ? 38 : 30))
            Over(c, {0.45f, 0.40f, 0.35f, 0.8f});
    float lens = std::hypot(x - 36, y - 36);
    if (lens < 11)
        Over(c, {0.66f, 0.82f, 0.95f, 0.45f});
    if (std::fabs(lens - 12) < 2)
        Over(c, {0.12f, 0.23f, 0.43f, 1});
    if (SegmentDistance(x, y, 45, 45, 56, 60) < 2.6f)
        Over(c, {0.12f, 0.23f, 0.43f, 1});
    return c;
}

// Each pixel averages 4 x 4 samples, which gives the drawing soft alpha edges.
bool DrawLogo()
{
    QMX_logo[0] = LogoWidth;
    QMX_logo[1] = LogoHeight;
    auto *bytes = reinterpret_cast<UBYTE *>(QMX_logo + 4);
    for (ULONG py = 0; py < LogoHeight; ++py)
        for (ULONG px = 0; px < LogoWidth; ++px) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int s = 0; s < 16; ++s) {
                Colour c = Sample(float(px) + (float(s % 4) + 0.5f) / 4, float(py) + (float(s / 4) + 0.5f) / 4);
                r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
            }
            UBYTE *p = bytes + (py * LogoWidth + px) * 4;
            p[0] = UBYTE(std::lround(a / 16 * 255));
            p[1] = UBYTE(a > 0 ? std::lround(r / a * 255) : 0);
            p[2] = UBYTE(a > 0 ? std::lround(g / a * 255) : 0);
            p[3] = UBYTE(a > 0 ? std::lround(b / a * 255) : 0);
        }
    return true;
}

IPTR clImage_OM_NEW(IClass *cl, Object *obj, Msg msg)
{
    TagItem *tags = reinterpret_cast<opSet *>(msg)->ops_AttrList;
    Object *self = DoSuperNewA(cl, obj, tags);
    if (!self)
        return 0;
    ImageData *d = static_cast<ImageData *>(INST_DATA(cl, self));
    d->Data = nullptr;
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        if (t->ti_Tag == QMXA_Image_Data) {
            d->Data = reinterpret_cast<ULONG *>(t->ti_Data);
            if (d->Data)
                d->Data[2] = 32;
        } else if (t->ti_Tag == QMXA_Image_Background) {
            NoAlphaLogo(d->Data, ULONG(t->ti_Data));
        }
    }
    if (!d->Data) {
        IPTR dispose = OM_DISPOSE;
        CoerceMethodA(cl, self, reinterpret_cast<Msg>(&dispose));
        return 0;
    }
    return ToIPTR(self);
}

IPTR clImage_MUIM_Setup(IClass *cl, Object *self, Msg msg)
{
    if (!DoSuperMethodA(cl, self, msg))
        return FALSE;
    ImageData *d = static_cast<ImageData *>(INST_DATA(cl, self));
    InitRastPort(&d->Rp);
    d->Rp.BitMap = AllocBitMap(d->Data[0], d->Data[1], d->Data[2], BMF_DISPLAYABLE, nullptr);
    if (!d->Rp.BitMap)
        return FALSE;
    WritePixelArray(d->Data + 4, 0, 0, UWORD(d->Data[0] * 4), &d->Rp, 0, 0, UWORD(d->Data[0]), UWORD(d->Data[1]),
                    RECTFMT_ARGB);
    return TRUE;
}

IPTR clImage_MUIM_Cleanup(IClass *cl, Object *self, Msg msg)
{
    ImageData *d = static_cast<ImageData *>(INST_DATA(cl, self));
    FreeBitMap(d->Rp.BitMap);
    d->Rp.BitMap = nullptr;
    return DoSuperMethodA(cl, self, msg);
}

IPTR clImage_MUIM_AskMinMax(IClass *cl, Object *self, Msg msg)
{
    DoSuperMethodA(cl, self, msg);
    ImageData *d = static_cast<ImageData *>(INST_DATA(cl, self));
    MUI_MinMax *mm = reinterpret_cast<MUIP_AskMinMax *>(msg)->MinMaxInfo;
    mm->MinWidth += WORD(d->Data[0]), mm->DefWidth += WORD(d->Data[0]), mm->MaxWidth += WORD(d->Data[0]);
    mm->MinHeight += WORD(d->Data[1]), mm->DefHeight += WORD(d->Data[1]), mm->MaxHeight += WORD(d->Data[1]);
    return 0;
}

IPTR clImage_MUIM_Draw(IClass *cl, Object *self, Msg msg)
{
    DoSuperMethodA(cl, self, msg);
    ImageData *d = static_cast<ImageData *>(INST_DATA(cl, self));
    BltBitMapRastPort(d->Rp.BitMap, 0, 0, reinterpret_cast<MUIP_Draw *>(msg)->rp, 0, 0, WORD(d->Data[0]),
                      WORD(d->Data[1]), 0xC0);
    return 0;
}

IPTR clImage_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    switch (msg->MethodID) {
    case OM_NEW: return clImage_OM_NEW(cl, obj, msg);
    case MUIM_Setup: return clImage_MUIM_Setup(cl, obj, msg);
    case MUIM_Cleanup: return clImage_MUIM_Cleanup(cl, obj, msg);
    case MUIM_AskMinMax: return clImage_MUIM_AskMinMax(cl, obj, msg);
    case MUIM_Draw: return clImage_MUIM_Draw(cl, obj, msg);
    default: return DoSuperMethodA(cl, obj, msg);
    }
}
}

ULONG QMX_logo[4 + LogoWidth * LogoHeight];
[[maybe_unused]] static const bool logoDrawn = DrawLogo();

void NoAlphaLogo(ULONG *data, ULONG colour)
{
    if (!data)
        return;
    auto *p = reinterpret_cast<UBYTE *>(data + 4);
    const LONG back[3] = {LONG(colour >> 16 & 0xFF), LONG(colour >> 8 & 0xFF), LONG(colour & 0xFF)};
    for (ULONG i = 0; i < data[0] * data[1]; ++i, p += 4) {
        LONG alpha = p[0];
        for (int c = 0; c < 3; ++c)
            p[1 + c] = UBYTE(back[c] + ((LONG(p[1 + c]) - back[c]) * alpha) / 255);
    }
}

MUI_CustomClass *clImage_Create(LONG flag)
{
    return ClassCreate(&clImageClass, flag, MUIC_Area, sizeof(ImageData), clImage_Dispatcher);
}

// Deleting does nothing when the class was never made; making it again while
// it exists keeps it (the about window asks for it).
BOOL ClassImage(BOOL create)
{
    if (!create && !clImageClass)
        return TRUE;
    return ClassSlot(CL_Image, clImage_Create, create);
}
