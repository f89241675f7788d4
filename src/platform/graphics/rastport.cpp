#include "rastport.h"

void InitRastPort(RastPort *rp) { rp->BitMap = nullptr; }

BitMap *AllocBitMap(ULONG width, ULONG height, ULONG, ULONG, const BitMap *)
{
    if (width == 0 || height == 0 || width > 16384 || height > 16384)
        return nullptr;
    auto *bm = new BitMap;
    bm->width = LONG(width);
    bm->height = LONG(height);
    bm->pixels.assign(size_t(width) * height, 0);
    return bm;
}

void FreeBitMap(BitMap *bm) { delete bm; }

ULONG WritePixelArray(const void *src, UWORD srcX, UWORD srcY, UWORD srcMod, RastPort *rp, UWORD destX, UWORD destY,
                      UWORD width, UWORD height, UBYTE format)
{
    if (!rp || !rp->BitMap || format != RECTFMT_ARGB)
        return 0;
    BitMap *bm = rp->BitMap;
    auto *bytes = static_cast<const UBYTE *>(src);
    ULONG written = 0;
    for (LONG y = 0; y < height && destY + y < bm->height; ++y) {
        const UBYTE *row = bytes + size_t(srcY + y) * srcMod + size_t(srcX) * 4;
        for (LONG x = 0; x < width && destX + x < bm->width; ++x) {
            const UBYTE *p = row + size_t(x) * 4;
            bm->pixels[size_t(destY + y) * size_t(bm->width) + size_t(destX + x)] = ULONG(p[0]) << 24 |
                                                                                    ULONG(p[1]) << 16 |
                                                                                    ULONG(p[2]) << 8 | p[3];
            ++written;
        }
    }
    return written;
}

void BltBitMapRastPort(const BitMap *src, WORD srcX, WORD srcY, RastPort *dest, WORD destX, WORD destY, WORD width,
                       WORD height, UBYTE minterm)
{
    if (!src || !dest || !dest->BitMap || minterm != 0xC0)
        return;
    BitMap *d = dest->BitMap;
    for (LONG y = 0; y < height; ++y) {
        LONG sy = srcY + y, dy = destY + y;
        if (sy < 0 || sy >= src->height || dy < 0 || dy >= d->height)
            continue;
        for (LONG x = 0; x < width; ++x) {
            LONG sx = srcX + x, dx = destX + x;
            if (sx < 0 || sx >= src->width || dx < 0 || dx >= d->width)
                continue;
            d->pixels[size_t(dy) * size_t(d->width) + size_t(dx)] =
                src->pixels[size_t(sy) * size_t(src->width) + size_t(sx)];
        }
    }
}
