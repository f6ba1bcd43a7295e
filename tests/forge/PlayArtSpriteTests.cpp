// The paddle and bonus sheets: every picture present and animated, soft edges
// with a mask that agrees with the picture, paddles as wide as the game's
// hit area, the laser guns where shots leave, and bonuses that say what they
// do in colours that tell good from bad.
#include <gtest/gtest.h>

#include "PlayArtTestSheets.h"
#include "art/PlayArt.h"

namespace {

void ExpectMaskAgrees(const LoadedSheet& Sheet, const char* szName)
{
    ASSERT_EQ(Sheet.Opacity.size(), Sheet.Pixels.size()) << szName;
    int nClearButShown = 0, nSolidButKeyed = 0;
    for (size_t n = 0; n < Sheet.Pixels.size(); ++n) {
        nClearButShown += Sheet.Pixels[n] == 0 && Sheet.Opacity[n] != 0;
        nSolidButKeyed += Sheet.Pixels[n] == 0 && Sheet.Opacity[n] >= 128;
    }
    EXPECT_EQ(nClearButShown, 0) << szName << ": the mask is not black where the picture is transparent";
    EXPECT_EQ(nSolidButKeyed, 0) << szName;
}

TEST(PlayArtPaddles, EveryLookSizeAndFrameIsAnAnimatedPaddle)
{
    std::map<std::string, LoadedSheet> Sheets;
    std::vector<const SheetSize*> Sizes;
    for (const SheetSize& Size : Sheets::PADDLES)
        Sizes.push_back(&Size);
    ASSERT_TRUE(ForgeAndLoad(ForgePaddleSheets, Sizes, Sheets));
    for (int nSheet = 0; nSheet < Sheets::PADDLE_SHEETS; ++nSheet) {
        const LoadedSheet& Sheet = Sheets[Sheets::PADDLES[nSheet].szName];
        ASSERT_TRUE(Sheet.Loaded());
        ExpectMaskAgrees(Sheet, Sheets::PADDLES[nSheet].szName);
        for (int16_t nRow : Sheets::PADDLE_LOOK_ROWS)
            for (int nClass = 0; nClass < 5; ++nClass) {
                int nDistinct = 0;
                for (int nFrame = 0; nFrame < Sheets::PADDLE_FRAMES; ++nFrame) {
                    SheetRect Rect = Sheets::Paddle(nClass, nRow, nFrame);
                    // The bar spans the picture: the middle row is covered from end to end.
                    int y = Rect.y + 12, nLeft = -1, nRight = -1;
                    for (int x = Rect.x; x < Rect.Right(); ++x)
                        if (Sheet.Opaque(x, y)) {
                            nLeft = nLeft < 0 ? x : nLeft;
                            nRight = x;
                        }
                    EXPECT_LE(nLeft, Rect.x + 4) << nSheet << "/" << nRow << "/" << nClass << "/" << nFrame;
                    EXPECT_GE(nRight, Rect.Right() - 5) << nSheet << "/" << nRow << "/" << nClass << "/" << nFrame;
                    if (nFrame)
                        nDistinct += !Sheet.SamePixels(Rect, Sheets::Paddle(nClass, nRow, 0));
                }
                EXPECT_GE(nDistinct, 5) << "sheet " << nSheet << " row " << nRow << " class " << nClass << " hardly animates";
            }
    }
    // Shots leave at x + 18 and x + width - 42 (20 wide): the laser look has its
    // gun muzzles above the bar there; the normal look has nothing above its bar.
    const LoadedSheet& Laser = Sheets["schlaeger1"];
    const LoadedSheet& Normal = Sheets["schlaeger0"];
    for (int nClass = 0; nClass < 5; ++nClass) {
        SheetRect LaserRect = Sheets::Paddle(nClass, 300, 0), NormalRect = Sheets::Paddle(nClass, 0, 0);
        for (int nMuzzle : {28, LaserRect.w - 32}) {
            EXPECT_TRUE(Laser.Solid(LaserRect.x + nMuzzle, LaserRect.y + 1)) << "class " << nClass << " at " << nMuzzle;
            EXPECT_FALSE(Normal.Solid(NormalRect.x + nMuzzle, NormalRect.y + 1)) << "class " << nClass << " at " << nMuzzle;
        }
    }
}

TEST(PlayArtBonuses, EveryBonusIsAnAnimatedTokenThatSaysWhatItDoes)
{
    std::map<std::string, LoadedSheet> Sheets;
    ASSERT_TRUE(ForgeAndLoad(ForgeBonusSheet, {&Sheets::BONI}, Sheets));
    const LoadedSheet& Boni = Sheets["boni"];
    ASSERT_TRUE(Boni.Loaded());
    ExpectMaskAgrees(Boni, "boni");
    std::vector<int> Codes;
    for (int nCode = 20; nCode < 80; ++nCode)
        if (nCode < 40 || nCode >= 60)
            Codes.push_back(nCode);
    for (int nCode : Codes) {
        int nDistinct = 0;
        for (int nFrame = 0; nFrame < Sheets::BONUS_FRAMES; ++nFrame) {
            EXPECT_GT(Boni.OpaqueCount(Sheets::Bonus(nCode, nFrame)), 800) << nCode << "/" << nFrame;
            if (nFrame)
                nDistinct += !Boni.SamePixels(Sheets::Bonus(nCode, nFrame), Sheets::Bonus(nCode, nFrame - 1));
        }
        EXPECT_EQ(nDistinct, Sheets::BONUS_FRAMES - 1) << nCode << " does not animate";
    }
    // Each bonus that does something has a picture of its own.
    for (int a : Codes)
        for (int b : Codes)
            if (a < b && b < 75) {
                EXPECT_FALSE(Boni.SamePixels(Sheets::Bonus(a, 0), Sheets::Bonus(b, 0))) << a << " and " << b;
            }
    // The ring tells good from bad: green or gold for good news, red for bad.
    auto Ring = [&](int nCode, int& r, int& g, int& b) {
        SheetRect Rect = Sheets::Bonus(nCode, 0);
        Boni.Colour(Rect.x + 20, Rect.y + 4, r, g, b);
    };
    for (int nGood : {20, 22, 29, 30, 38, 64, 68}) {
        int r, g, b;
        Ring(nGood, r, g, b);
        EXPECT_GT(g, b) << nGood;
        EXPECT_GT(g, 120) << nGood;
    }
    for (int nBad : {21, 31, 39, 60, 61, 62, 63}) {
        int r, g, b;
        Ring(nBad, r, g, b);
        EXPECT_GT(r, g + 60) << nBad;
    }
}

}  // namespace
