// Draws the program's logo, a sheet of vellum with lines of text under a
// magnifier, 60 x 64 pixels with soft alpha edges, and prints its bytes (alpha,
// red, green, blue) for src/app/logo_pixels.inc:
//   vslogo > src/app/logo_pixels.inc
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr unsigned LogoWidth = 60, LogoHeight = 64;
unsigned char bytes_[LogoWidth * LogoHeight * 4];

struct Colour {
    float r, g, b, a;
};

// Squared distance from a point to the core of a rounded rectangle (its
// corners' centres), so the sheet and its edge need no square root.
float RoundRectCore2(float x, float y, float x0, float y0, float x1, float y1, float radius)
{
    float cx = std::clamp(x, x0 + radius, x1 - radius), cy = std::clamp(y, y0 + radius, y1 - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy);
}

float SegmentDistance2(float x, float y, float ax, float ay, float bx, float by)
{
    float dx = bx - ax, dy = by - ay;
    float t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    float ex = x - (ax + t * dx), ey = y - (ay + t * dy);
    return ex * ex + ey * ey;
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
    float sheet2 = RoundRectCore2(x, y, 5, 3, 45, 60, 5);   // the sheet: radius 5, an edge 0.9 wide
    if (sheet2 < 25)
        Over(c, {0.96f, 0.91f, 0.78f, 1});
    if (sheet2 > 4.1f * 4.1f && sheet2 < 5.9f * 5.9f)
        Over(c, {0.55f, 0.42f, 0.23f, 1});
    for (float ly = 12; ly < 56; ly += 6)
        if (sheet2 < 4 && std::fabs(y - ly) < 0.8f && x > 10 && x < (int(ly) % 12 ? 38 : 30))
            Over(c, {0.45f, 0.40f, 0.35f, 0.8f});
    float lens2 = (x - 36) * (x - 36) + (y - 36) * (y - 36);
    if (lens2 < 121)
        Over(c, {0.66f, 0.82f, 0.95f, 0.45f});
    if (lens2 > 100 && lens2 < 196)
        Over(c, {0.12f, 0.23f, 0.43f, 1});
    if (SegmentDistance2(x, y, 45, 45, 56, 60) < 2.6f * 2.6f)
        Over(c, {0.12f, 0.23f, 0.43f, 1});
    return c;
}

// Each pixel averages 3 x 3 samples, which gives the drawing soft alpha edges.
void DrawLogo()
{
    unsigned char *bytes = bytes_;
    for (unsigned py = 0; py < LogoHeight; ++py)
        for (unsigned px = 0; px < LogoWidth; ++px) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int s = 0; s < 9; ++s) {
                Colour c = Sample(float(px) + (float(s % 3) + 0.5f) / 3, float(py) + (float(s / 3) + 0.5f) / 3);
                r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
            }
            unsigned char *p = bytes + (py * LogoWidth + px) * 4;
            p[0] = static_cast<unsigned char>(std::lround(a / 9 * 255));
            p[1] = static_cast<unsigned char>(a > 0 ? std::lround(r / a * 255) : 0);
            p[2] = static_cast<unsigned char>(a > 0 ? std::lround(g / a * 255) : 0);
            p[3] = static_cast<unsigned char>(a > 0 ? std::lround(b / a * 255) : 0);
        }
}

}

int main()
{
    DrawLogo();
    for (unsigned i = 0; i < sizeof bytes_; ++i)
        std::printf("%u,%s", bytes_[i], i % 24 == 23 ? "\n" : "");
    std::printf("\n");
    return 0;
}
