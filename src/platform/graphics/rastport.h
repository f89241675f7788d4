// Drawing for objects that draw themselves (the logo): a bitmap of true-colour
// ARGB pixels, a RastPort to draw into it, and copies between them. The
// renderer hands an object a RastPort over a bitmap of the object's size and
// shows the pixels it left there.
#pragma once
#include "../exec/types.h"

#include <vector>

struct BitMap {
    LONG width = 0, height = 0;
    std::vector<ULONG> pixels;   // 0xAARRGGBB, row by row
};

struct RastPort {
    struct BitMap *BitMap = nullptr;
};

constexpr ULONG RECTFMT_ARGB = 3;
constexpr ULONG BMF_DISPLAYABLE = 2;

void InitRastPort(RastPort *rp);
BitMap *AllocBitMap(ULONG width, ULONG height, ULONG depth, ULONG flags, const BitMap *friendBitMap);
void FreeBitMap(BitMap *bm);
// Copies ARGB pixels (4 bytes each in the order alpha, red, green, blue) into
// the RastPort's bitmap. Returns the number of pixels written.
ULONG WritePixelArray(const void *src, UWORD srcX, UWORD srcY, UWORD srcMod, RastPort *rp, UWORD destX, UWORD destY,
                      UWORD width, UWORD height, UBYTE format);
// Copies a rectangle of a bitmap into a RastPort (minterm 0xC0: a plain copy).
void BltBitMapRastPort(const BitMap *src, WORD srcX, WORD srcY, RastPort *dest, WORD destX, WORD destY, WORD width,
                       WORD height, UBYTE minterm);
