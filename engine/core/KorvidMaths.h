// Rectangles, small integer and float helpers, and byte order.
#pragma once
#include <cstdint>

struct KorvidRect {
    int32_t left, top, right, bottom;   // right and bottom exclusive for areas
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Contains(int32_t x, int32_t y) const { return left <= x && x <= right && top <= y && y <= bottom; }
};

class KorvidMaths {
public:
    static int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }
    static int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }
    static int32_t Abs(int32_t a) { return a < 0 ? -a : a; }
    static int32_t Sign(int32_t a) { return a < 0 ? -1 : 1; }
    static int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }
    static float MinF(float a, float b) { return a < b ? a : b; }
    static float MaxF(float a, float b) { return a > b ? a : b; }
    static float AbsF(float a) { return a < 0 ? -a : a; }
    static float ClampF(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }
    static int32_t Square(int32_t a) { return a * a; }
    static bool IsOdd(int32_t a) { return (a & 1) != 0; }
    double SquareRoot(double v);
    int32_t Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    static int32_t FastDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    static uint16_t ReadWordBE(const uint8_t* p);
    static uint32_t ReadLongBE(const uint8_t* p);
    static uint16_t ReadWordLE(const uint8_t* p);
    static uint32_t ReadLongLE(const uint8_t* p);
    static void SwapWordBE(uint16_t* p);   // stored big-endian -> host order, in place
    static void SwapLongBE(uint32_t* p);
    static void Write24BE(uint8_t* p, uint32_t v);
    static void Write24LE(uint8_t* p, uint32_t v);
};
