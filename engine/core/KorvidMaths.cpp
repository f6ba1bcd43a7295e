// Distances and byte order. Integer work is done in 64 bits where a square or
// a difference of two 32-bit values could overflow.
#include "core/KorvidMaths.h"

#include "korvid.h"

namespace {
int64_t Magnitude(int64_t v) { return v < 0 ? -v : v; }

// Points at opposite ends of the 32-bit range are further apart than 32 bits hold.
int32_t SaturateToInt32(double v) { return v >= (double)INT32_MAX ? INT32_MAX : (int32_t)v; }
}  // namespace

double KorvidMaths::SquareRoot(double v) { return Korvid.OS()->SquareRoot(v); }

int32_t KorvidMaths::Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    double dx = (double)x2 - x1, dy = (double)y2 - y1;
    return SaturateToInt32(SquareRoot(dx * dx + dy * dy));
}

// An octagonal estimate of the length of (dx, dy), within a few percent of the
// true distance, in shifts and adds only.
int32_t KorvidMaths::FastDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    int64_t dx = Magnitude((int64_t)x2 - x1), dy = Magnitude((int64_t)y2 - y1);
    int64_t a = dx > dy ? dx : dy;
    int64_t b = dx > dy ? dy : dx;
    int64_t b2 = b + (b >> 1);
    return SaturateToInt32((double)(a - (a >> 5) - (a >> 7) + (b2 >> 2) + (b2 >> 6)));
}

uint16_t KorvidMaths::ReadWordBE(const uint8_t* p) { return (uint16_t)(p[0] << 8 | p[1]); }
uint16_t KorvidMaths::ReadWordLE(const uint8_t* p) { return (uint16_t)(p[1] << 8 | p[0]); }

uint32_t KorvidMaths::ReadLongBE(const uint8_t* p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

uint32_t KorvidMaths::ReadLongLE(const uint8_t* p)
{
    return (uint32_t)p[3] << 24 | (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
}

// The value's own bytes are read in stored order, so this is right on any host.
void KorvidMaths::SwapWordBE(uint16_t* p) { *p = ReadWordBE(reinterpret_cast<const uint8_t*>(p)); }
void KorvidMaths::SwapLongBE(uint32_t* p) { *p = ReadLongBE(reinterpret_cast<const uint8_t*>(p)); }

void KorvidMaths::Write24BE(uint8_t* p, uint32_t v)
{
    p[0] = (uint8_t)(v >> 16);
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)v;
}

void KorvidMaths::Write24LE(uint8_t* p, uint32_t v)
{
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)(v >> 16);
}
