// Click zones: the table's life from Init to FinalShutDown, inclusive edges,
// overlapping zones and the warnings for bad zone numbers.
#include <gtest/gtest.h>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

namespace {

class Zones : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
    }

    void Start(int16_t nMaxZones)
    {
        g_TestApp.Config = [nMaxZones] {
            Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED);
            Korvid.SetMaxZones(nMaxZones);
        };
        ASSERT_TRUE(Korvid.Init());
    }

    void Stop()
    {
        Korvid.ShutDown();
        Korvid.FinalShutDown();
    }

    VirtualClockPlatform m_Platform;
};

TEST_F(Zones, TableSizedInConfigExistsUntilFinalShutDown)
{
    EXPECT_FALSE(Korvid.ZoneValid(0));   // no table before Init
    Start(10);
    EXPECT_TRUE(Korvid.ZoneValid(0));
    EXPECT_TRUE(Korvid.ZoneValid(9));
    EXPECT_FALSE(Korvid.ZoneValid(10));
    EXPECT_FALSE(Korvid.ZoneValid(-1));

    Korvid.SetMaxZones(50);
    EXPECT_EQ(Korvid.m_Config.nMaxZones, 10);
    EXPECT_FALSE(Korvid.ZoneValid(10));
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"Allocating 10 Zone(s)", "Setup Application",
                                      "ERROR: ** Too Late To SetMaxZones() - Must be done in KorvidConfig **"}));

    Stop();
    EXPECT_FALSE(Korvid.ZoneValid(0));
    EXPECT_EQ(Korvid.m_Config.nMaxZones, 0);
    EXPECT_EQ(Korvid.ZoneFind(0, 0, 0), -1);
}

TEST_F(Zones, HitIncludesTheRightAndBottomEdges)
{
    Start(20);
    Korvid.AddZone(4, 10, 10, 5, 5);
    struct Case {
        int32_t nX, nY;
        bool bHit;
    };
    const Case Cases[] = {{10, 10, true},  {15, 15, true},  {12, 15, true}, {16, 10, false},
                          {9, 12, false},  {12, 16, false}, {12, 9, false}, {15, 10, true}};
    for (const Case& C : Cases) {
        EXPECT_EQ(Korvid.ZoneHit(4, C.nX, C.nY), C.bHit) << C.nX << "," << C.nY;
        EXPECT_EQ(Korvid.ZoneFind(C.nX, C.nY, 0), C.bHit ? 4 : -1) << C.nX << "," << C.nY;
    }
    Stop();
}

TEST_F(Zones, OverlapGivesFirstOrLastAndFreeingUncovers)
{
    Start(20);
    Korvid.AddZone(7, 0, 0, 100, 100);
    Korvid.AddZone(3, 50, 50, 100, 100);
    Korvid.AddZone(12, 300, 300, 1, 1);
    EXPECT_EQ(Korvid.ZoneFind(60, 60, 0), 3);
    EXPECT_EQ(Korvid.ZoneFind(60, 60, 1), 7);
    EXPECT_EQ(Korvid.ZoneFind(10, 10, 0), 7);
    EXPECT_EQ(Korvid.ZoneFind(10, 10, 1), 7);
    EXPECT_EQ(Korvid.ZoneFind(200, 10, 1), -1);

    Korvid.SetMousePosition(60, 60, false, false);
    EXPECT_EQ(Korvid.ZoneAtMouse(0), 3);
    EXPECT_EQ(Korvid.ZoneAtMouse(1), 7);

    Korvid.ZoneFree(3);
    EXPECT_EQ(Korvid.ZoneFind(60, 60, 0), 7);
    Korvid.ZoneFreeAll();
    EXPECT_EQ(Korvid.ZoneFind(60, 60, 0), -1);
    EXPECT_EQ(Korvid.ZoneFind(300, 300, 0), -1);
    Stop();
}

TEST_F(Zones, BadNumbersAndFreedZonesAreWarnedAndIgnored)
{
    Start(8);
    Korvid.AddZone(8, 0, 0, 10, 10);
    Korvid.AddZone(-1, 0, 0, 10, 10);
    Korvid.ZoneFree(8);
    EXPECT_FALSE(Korvid.ZoneHit(8, 1, 1));
    EXPECT_FALSE(Korvid.ZoneHit(2, 1, 1));
    EXPECT_EQ(Korvid.ZoneFind(1, 1, 0), -1);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {"WARNING: AddZone(8, ...) - Illegal Zone id",
                                      "WARNING: AddZone(-1, ...) - Illegal Zone id",
                                      "WARNING: ZoneFree(8) - Illegal zone id",
                                      "WARNING: ZoneHit(8, ...) Illegal Zone Number",
                                      "WARNING: ZoneHit(2, ...) Zone doesn't exist"}));
    Stop();
}

TEST_F(Zones, NoZonesConfiguredMeansNoTable)
{
    Start(0);
    EXPECT_FALSE(Korvid.ZoneValid(0));
    EXPECT_EQ(IndexOf(LogMessages(), "Allocating 0 Zone(s)"), -1);
    EXPECT_EQ(Korvid.ZoneFind(0, 0, 1), -1);
    Korvid.SetMaxZones(3);   // no table yet, so still allowed
    EXPECT_EQ(Korvid.m_Config.nMaxZones, 3);
    Stop();
}

}  // namespace
