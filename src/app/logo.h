// The program's logo: a 60 x 64 true-colour image with an alpha channel, as
// a block of 32-bit words (width, height, depth, 0, then ARGB pixels), and
// the image class that shows it blended against a background colour.
#pragma once
#include "platform/mui/mui.h"

constexpr ULONG LogoWidth = 60;
constexpr ULONG LogoHeight = 64;
extern ULONG QMX_logo[4 + LogoWidth * LogoHeight];
// The logo block, drawn on first use.
ULONG *LogoData();

// Blends every pixel against an opaque colour (0xAARRGGBB), in place.
void NoAlphaLogo(ULONG *data, ULONG colour);
MUI_CustomClass *clImage_Create(LONG flag);
BOOL ClassImage(BOOL create);
