// Click zones: the table's life, inclusive edges, overlaps and bad zone numbers.
#include "CoreTest.h"

namespace {

using Zones = CoreTest;

TEST_F(Zones, HitsIncludeTheEdgesOverlapsGiveFirstOrLastAndBadNumbersAreRefused)
{
    EXPECT_FALSE(Korvid.ZoneValid(0));   // no table before Init
    Start([] { Korvid.SetMaxZones(8); });
    for (int nZone : {0, 7, 8, -1})
        EXPECT_EQ(Korvid.ZoneValid(nZone), nZone == 0 || nZone == 7) << nZone;
    Korvid.AddZone(4, 10, 10, 5, 5);
    for (auto [nX, nY, bHit] : std::vector<std::tuple<int32_t, int32_t, bool>>{
             {10, 10, true}, {15, 15, true}, {15, 10, true}, {16, 10, false}, {9, 12, false}, {12, 16, false},
             {12, 9, false}}) {
        EXPECT_EQ(Korvid.ZoneHit(4, nX, nY), bHit) << nX << "," << nY;
        EXPECT_EQ(Korvid.ZoneFind(nX, nY, 0), bHit ? 4 : -1) << nX << "," << nY;
    }
    Korvid.AddZone(7, 0, 0, 100, 100);
    Korvid.AddZone(3, 50, 50, 100, 100);
    Korvid.SetMousePosition(12, 12, false, false);
    EXPECT_EQ(std::vector<int32_t>({Korvid.ZoneFind(60, 60, 0), Korvid.ZoneFind(60, 60, 1), Korvid.ZoneAtMouse(0),
                                    Korvid.ZoneAtMouse(1)}),
              std::vector<int32_t>({3, 7, 4, 7}));
    Korvid.ZoneFree(3);
    EXPECT_EQ(Korvid.ZoneFind(60, 60, 0), 7);
    Korvid.ZoneFreeAll();
    EXPECT_EQ(Korvid.ZoneFind(12, 12, 1), -1);

    Korvid.SetMaxZones(50);
    for (int nZone : {8, -1})
        Korvid.AddZone(nZone, 0, 0, 10, 10);
    Korvid.ZoneFree(8);
    EXPECT_FALSE(Korvid.ZoneHit(8, 1, 1));
    EXPECT_FALSE(Korvid.ZoneHit(2, 1, 1));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {
        "Allocating 8 Zone(s)", "ERROR: ** Too Late To SetMaxZones() - Must be done in KorvidConfig **",
        "WARNING: AddZone(8, ...) - Illegal Zone id", "WARNING: AddZone(-1, ...) - Illegal Zone id",
        "WARNING: ZoneFree(8) - Illegal zone id", "WARNING: ZoneHit(8, ...) Illegal Zone Number",
        "WARNING: ZoneHit(2, ...) Zone doesn't exist"}));
    Stop();
    EXPECT_EQ(std::make_pair(Korvid.ZoneValid(0), Korvid.ZoneFind(0, 0, 0)), std::make_pair(false, -1));
    Korvid.SetMaxZones(3);   // no table any more, so allowed again
    EXPECT_EQ(Korvid.m_Config.nMaxZones, 3);
}

}  // namespace
