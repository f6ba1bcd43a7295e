// Distances, the small integer helpers and byte order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "korvid.h"

namespace {

TEST(Maths, DistanceTruncatesTheTrueLength)
{
    struct Case {
        int32_t x1, y1, x2, y2, nDistance;
    };
    const Case Cases[] = {
        {0, 0, 3, 4, 5},  {0, 0, 1, 1, 1},     {10, 10, 10, 10, 0}, {-3, -4, 0, 0, 5},
        {0, 0, 2, 2, 2},  {5, 0, 0, 12, 13},   {INT32_MIN, 0, INT32_MAX, 0, INT32_MAX},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Korvid.Distance(C.x1, C.y1, C.x2, C.y2), C.nDistance) << C.x2 << "," << C.y2;
}

TEST(Maths, FastDistanceFollowsItsShiftFormula)
{
    struct Case {
        int32_t x1, y1, x2, y2, nDistance;
    };
    const Case Cases[] = {
        {0, 0, 100, 0, 97},   // 100 - 3 - 0
        {0, 0, 0, -100, 97},  // the larger of |dx|, |dy| is a, whatever its axis or sign
        {0, 0, 100, 40, 112}, // b' = 60: 97 + 15 + 0
        {50, 50, 10, 10, 54}, // a = b = 40: 40 - 1 - 0 + 15 + 0
        {0, 0, 0, 0, 0},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(KorvidMaths::FastDistance(C.x1, C.y1, C.x2, C.y2), C.nDistance) << C.x2 << "," << C.y2;
}

TEST(Maths, FastDistanceStaysNearTheTrueDistance)
{
    for (int32_t dx = -300; dx <= 300; dx += 7)
        for (int32_t dy = -300; dy <= 300; dy += 11) {
            double fTrue = std::sqrt((double)dx * dx + (double)dy * dy);
            EXPECT_NEAR(KorvidMaths::FastDistance(0, 0, dx, dy), fTrue, fTrue * 0.06 + 1) << dx << "," << dy;
        }
}

TEST(Maths, ByteOrder)
{
    const uint8_t Bytes[4] = {0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(KorvidMaths::ReadWordBE(Bytes), 0x1234);
    EXPECT_EQ(KorvidMaths::ReadWordLE(Bytes), 0x3412);
    EXPECT_EQ(KorvidMaths::ReadLongBE(Bytes), 0x12345678u);
    EXPECT_EQ(KorvidMaths::ReadLongLE(Bytes), 0x78563412u);

    uint16_t nWord;
    uint32_t nLong;
    memcpy(&nWord, Bytes, 2);
    memcpy(&nLong, Bytes, 4);
    KorvidMaths::SwapWordBE(&nWord);
    KorvidMaths::SwapLongBE(&nLong);
    EXPECT_EQ(nWord, 0x1234);
    EXPECT_EQ(nLong, 0x12345678u);

    uint8_t Out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    KorvidMaths::Write24BE(Out, 0xAABBCCDD);
    EXPECT_EQ(Out[0], 0xBB);
    EXPECT_EQ(Out[2], 0xDD);
    EXPECT_EQ(Out[3], 0xEE);
    KorvidMaths::Write24LE(Out, 0x00112233);
    EXPECT_EQ(Out[0], 0x33);
    EXPECT_EQ(Out[2], 0x11);
    EXPECT_EQ(Out[3], 0xEE);
}

}  // namespace
