// Distances and byte order.
#include <cmath>
#include <cstring>

#include "CoreTest.h"

namespace {

TEST(Maths, DistancesAndByteOrder)
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

    const uint8_t Bytes[4] = {0x12, 0x34, 0x56, 0x78};
    uint16_t nWord;
    uint32_t nLong;
    memcpy(&nWord, Bytes, 2);
    memcpy(&nLong, Bytes, 4);
    KorvidMaths::SwapWordBE(&nWord);
    KorvidMaths::SwapLongBE(&nLong);
    EXPECT_EQ(std::vector<uint16_t>({KorvidMaths::ReadWordBE(Bytes), KorvidMaths::ReadWordLE(Bytes), nWord}),
              std::vector<uint16_t>({0x1234, 0x3412, 0x1234}));
    EXPECT_EQ(std::vector<uint32_t>({KorvidMaths::ReadLongBE(Bytes), KorvidMaths::ReadLongLE(Bytes), nLong}),
              std::vector<uint32_t>({0x12345678, 0x78563412, 0x12345678}));

    uint8_t Out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    KorvidMaths::Write24BE(Out, 0xAABBCCDD);
    EXPECT_EQ(std::vector<uint8_t>(Out, Out + 4), std::vector<uint8_t>({0xBB, 0xCC, 0xDD, 0xEE}));
    KorvidMaths::Write24LE(Out, 0x00112233);
    EXPECT_EQ(std::vector<uint8_t>(Out, Out + 4), std::vector<uint8_t>({0x33, 0x22, 0x11, 0xEE}));
}

}  // namespace
