// Writes the program's icon for the desktop's icon theme: the logo centred on
// a transparent square and scaled smoothly to SIZE pixels, as a PNG.
//   vsicon SIZE OUT.png
#include "app/logo.h"

#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

namespace {
const unsigned char kLogoPixels[LogoWidth * LogoHeight * 4] = {
#include "app/logo_pixels.inc"
};

// The logo's bytes are alpha, red, green, blue; Qt's ARGB32 is a native
// 32-bit word, so each pixel is put together rather than copied.
QImage Logo()
{
    QImage image(int(LogoWidth), int(LogoHeight), QImage::Format_ARGB32);
    for (unsigned y = 0; y < LogoHeight; ++y)
        for (unsigned x = 0; x < LogoWidth; ++x) {
            const unsigned char *p = kLogoPixels + 4 * (y * LogoWidth + x);
            image.setPixel(int(x), int(y), qRgba(p[1], p[2], p[3], p[0]));
        }
    return image;
}
}

int main(int argc, char **argv)
{
    int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size <= 0) {
        std::fprintf(stderr, "usage: vsicon SIZE OUT.png\n");
        return 2;
    }
    int side = int(std::max(LogoWidth, LogoHeight));
    QImage square(side, side, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter(&square).drawImage((side - int(LogoWidth)) / 2, (side - int(LogoHeight)) / 2, Logo());
    if (!square.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation).save(argv[2], "PNG")) {
        std::fprintf(stderr, "vsicon: %s could not be written\n", argv[2]);
        return 1;
    }
    return 0;
}
