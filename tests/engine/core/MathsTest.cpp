// Distances and byte order.
#include <cmath>
#include <cstring>

#include "CoreTest.h"

namespace {

TEST(Maths, DistanceTruncatesTheTrueLengthAndFastDistanceStaysNearIt)
{
    for (auto [x1, y1, x2, y2, nDistance] : std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t>>{
             {0, 0, 3, 4, 5}, {0, 0, 1, 1, 1}, {10, 10, 10, 10, 0}, {-3, -4, 0, 0, 5}, {5, 0, 0, 12, 13},
             {INT32_MIN, 0, INT32_MAX, 0, INT32_MAX}})
        EXPECT_EQ(Korvid.Distance(x1, y1, x2, y2), nDistance) << x2 << "," << y2;
    EXPECT_EQ(KorvidMaths::FastDistance(0, 0, 0, 0), 0);
    EXPECT_EQ(KorvidMaths::FastDistance(50, 50, 10, 10), 54);
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
    EXPECT_EQ(std::vector<uint8_t>(Out, Out + 4), std::vector<uint8_t>({0xBB, 0xCC, 0xDD, 0xEE}));
    KorvidMaths::Write24LE(Out, 0x00112233);
    EXPECT_EQ(std::vector<uint8_t>(Out, Out + 4), std::vector<uint8_t>({0x33, 0x22, 0x11, 0xEE}));
}

}  // namespace
