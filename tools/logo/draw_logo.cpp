// Draws the program's logo, a sheet of vellum with lines of text under a
// magnifier, with soft alpha edges. At 60 x 64 pixels it prints its bytes
// (alpha, red, green, blue) for src/app/logo_pixels.inc; for the desktop's
// icon theme it writes a square PNG of any size:
//   vslogo > src/app/logo_pixels.inc
//   vslogo SIZE OUT.png
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr unsigned LogoWidth = 60, LogoHeight = 64;

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

// Each pixel averages 3 x 3 samples, which gives the drawing soft alpha
// edges. A pixel covers scale units of the drawing; shift moves it right.
std::vector<unsigned char> Draw(unsigned width, unsigned height, float scale, float shift)
{
    std::vector<unsigned char> bytes(size_t(width) * height * 4);
    for (unsigned py = 0; py < height; ++py)
        for (unsigned px = 0; px < width; ++px) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int s = 0; s < 9; ++s) {
                Colour c = Sample((float(px) + (float(s % 3) + 0.5f) / 3) * scale - shift,
                                  (float(py) + (float(s / 3) + 0.5f) / 3) * scale);
                r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
            }
            unsigned char *p = bytes.data() + (size_t(py) * width + px) * 4;
            p[0] = static_cast<unsigned char>(std::lround(a / 9 * 255));
            p[1] = static_cast<unsigned char>(a > 0 ? std::lround(r / a * 255) : 0);
            p[2] = static_cast<unsigned char>(a > 0 ? std::lround(g / a * 255) : 0);
            p[3] = static_cast<unsigned char>(a > 0 ? std::lround(b / a * 255) : 0);
        }
    return bytes;
}

// ---- a PNG, uncompressed: the zlib stream holds stored blocks only

uint32_t Crc(const std::string &bytes)
{
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        c ^= byte;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

void Put32(std::string &out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char(v >> shift & 0xFF);
}

void Chunk(std::string &png, const char *type, const std::string &data)
{
    Put32(png, uint32_t(data.size()));
    std::string body = std::string(type) + data;
    png += body;
    Put32(png, Crc(body));
}

std::string Zlib(const std::string &raw)
{
    std::string out = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        out += char(at + n >= raw.size() ? 1 : 0);   // the last block says so
        out += char(n & 0xFF), out += char(n >> 8), out += char(~n & 0xFF), out += char(~n >> 8 & 0xFF);
        out.append(raw, at, n);
    }
    Put32(out, b << 16 | a);
    return out;
}

// Rows of RGBA, each behind a filter byte 0 (none).
std::string Png(const std::vector<unsigned char> &argb, unsigned size)
{
    std::string raw;
    for (unsigned y = 0; y < size; ++y) {
        raw += '\0';
        for (unsigned x = 0; x < size; ++x) {
            const unsigned char *p = argb.data() + (size_t(y) * size + x) * 4;
            raw += char(p[1]), raw += char(p[2]), raw += char(p[3]), raw += char(p[0]);
        }
    }
    std::string header;
    Put32(header, size);
    Put32(header, size);
    header += std::string("\x08\x06\0\0\0", 5);   // 8 bits, RGBA, deflate, no filter choice, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", Zlib(raw));
    Chunk(png, "IEND", "");
    return png;
}

// The logo centred on a square as wide as it is tall.
int WriteIcon(unsigned size, const char *path)
{
    float scale = float(LogoHeight) / float(size);
    std::string png = Png(Draw(size, size, scale, float(LogoHeight - LogoWidth) / 2), size);
    FILE *f = std::fopen(path, "wb");
    bool ok = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
    if (f && std::fclose(f) != 0)
        ok = false;
    if (!ok)
        std::fprintf(stderr, "vslogo: %s could not be written\n", path);
    return ok ? 0 : 1;
}
}

int main(int argc, char **argv)
{
    if (argc == 3 && std::atoi(argv[1]) > 0)
        return WriteIcon(unsigned(std::atoi(argv[1])), argv[2]);
    if (argc != 1) {
        std::fprintf(stderr, "usage: vslogo [SIZE OUT.png]\n");
        return 2;
    }
    std::vector<unsigned char> bytes = Draw(LogoWidth, LogoHeight, 1, 0);
    for (size_t i = 0; i < bytes.size(); ++i)
        std::printf("%u,%s", bytes[i], i % 24 == 23 ? "\n" : "");
    std::printf("\n");
    return 0;
}
