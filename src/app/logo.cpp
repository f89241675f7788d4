#include "logo.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/objects.h"
#include "platform/graphics/rastport.h"

#include <cstring>

namespace {
MUI_CustomClass *clImageClass = nullptr;

struct ImageData {
    ULONG *Data;
    RastPort Rp;
};

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

// The pixels in the order alpha, red, green, blue (tools/logo draws them).
static const UBYTE kLogoPixels[LogoWidth * LogoHeight * 4] = {
#include "logo_pixels.inc"
};

// The block is filled when first wanted, in the machine's own word order.
ULONG *LogoData()
{
    if (!QMX_logo[0]) {
        QMX_logo[0] = LogoWidth;
        QMX_logo[1] = LogoHeight;
        std::memcpy(QMX_logo + 4, kLogoPixels, sizeof kLogoPixels);
    }
    return QMX_logo;
}

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
