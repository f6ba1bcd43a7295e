// The creature sheets as the game reads them: every rectangle the game draws
// holds a picture, the masks agree with the keyed pictures, and the sheets that
// must cover the screen do.
#include "HeadlessForgeTest.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "creatures/CreatureArt.h"
#include "Canvas.h"
#include "sheets.h"
#include "support/TestApp.h"
#include "korvid.h"

namespace {

std::vector<SheetRect> KugelRects()
{
    std::vector<SheetRect> Rects;
    const int16_t SIZES[3] = {Sheets::BALL_SMALL, Sheets::BALL_NORMAL, Sheets::BALL_BIG};
    const int16_t* ROWS[3] = {Sheets::BALL_ROWS_SMALL, Sheets::BALL_ROWS_NORMAL, Sheets::BALL_ROWS_BIG};
    for (int nSize = 0; nSize < 3; ++nSize)
        for (int nLook = 0; nLook < 3; ++nLook)
            for (int nFrame = 0; nFrame < Sheets::BALL_FRAMES; ++nFrame)
                Rects.push_back(Sheets::Ball(SIZES[nSize], ROWS[nSize][nLook], nFrame));
    for (const SheetRect& Highlight : {Sheets::HIGHLIGHT_OPTIONS, Sheets::HIGHLIGHT_HIGHSCORES, Sheets::HIGHLIGHT_START,
                                       Sheets::HIGHLIGHT_INFO, Sheets::HIGHLIGHT_INSTRUCTIONS, Sheets::HIGHLIGHT_QUIT,
                                       Sheets::HIGHLIGHT_BACK, Sheets::HIGHLIGHT_PREVIOUS, Sheets::HIGHLIGHT_NEXT})
        Rects.push_back(Highlight);
    for (int n = 0; Sheets::GLYPH_ORDER[n]; ++n)
        Rects.push_back(Sheets::Glyph(n));
    for (int n = 0; n < 10; ++n) {
        Rects.push_back(Sheets::PanelDigit(n));
        Rects.push_back(Sheets::CodeDigit(n));
        Rects.push_back(Sheets::DyingEnemy(n));
        Rects.push_back(Sheets::ScoreDigit(n));
        Rects.push_back(Sheets::Ship(n));
    }
    for (int n = 0; n < Sheets::SCORE_LETTERS; ++n)
        Rects.push_back(Sheets::ScoreLetter(n));
    for (int n = 0; n < 3; ++n)
        Rects.push_back(Sheets::Star(n));
    return Rects;
}

std::vector<SheetRect> EnemyRects()
{
    std::vector<SheetRect> Rects;
    for (int nKind = 0; nKind < Sheets::ENEMY_KINDS; ++nKind)
        for (int nFrame = 0; nFrame < Sheets::ENEMY_FRAMES; ++nFrame)
            Rects.push_back(Sheets::Enemy(nKind, nFrame));
    return Rects;
}

std::vector<SheetRect> BossPartRects()
{
    std::vector<SheetRect> Rects = {Sheets::BOSS_JAW, Sheets::BOSS_PLAYER_SHOT};
    for (int nPhase = 0; nPhase < 4; ++nPhase)
        for (int nStep = 0; nStep < 4; ++nStep)
            Rects.push_back(Sheets::BossHead(nPhase, nStep));
    for (int n = 0; n < 3; ++n) {
        Rects.push_back(Sheets::BOSS_GUNS[n]);
        Rects.push_back(Sheets::BossShot(n));
        Rects.push_back(Sheets::SmallExplosion(n));
    }
    for (int n = 0; n < 9; ++n)
        Rects.push_back(Sheets::BigExplosion(n));
    return Rects;
}

std::vector<SheetRect> FigureRects()
{
    std::vector<SheetRect> Rects;
    for (int nFigure = 0; nFigure < 2; ++nFigure)
        for (int c = 0; c <= 10; ++c)
            Rects.push_back(Sheets::Figure(nFigure, c));
    return Rects;
}

std::vector<SheetRect> WeatherRects()
{
    std::vector<SheetRect> Rects = {Sheets::LARGE_BANK, Sheets::CODE_BANNER};
    for (int n = 0; n < Sheets::SMALL_BANKS; ++n)
        Rects.push_back(Sheets::SmallBank(n));
    for (int nLayer = 0; nLayer < 3; ++nLayer) {
        Rects.push_back(Sheets::FOG_PARTICLES[nLayer]);
        for (int nOffset : {0, (int)Sheets::PARTICLE_SIZE})
            for (int nFrame = 0; nFrame < 10; ++nFrame)
                Rects.push_back(Sheets::Particle(nLayer, nOffset, nFrame));
    }
    return Rects;
}

struct SheetCase {
    SheetSize Size;
    std::vector<SheetRect> Rects;
};

std::vector<SheetCase> MaskedSheets()
{
    const SheetRect WHOLE_SCENE = {0, 0, Sheets::SCREEN_WIDTH, Sheets::SCREEN_HEIGHT};
    return {{Sheets::KUGEL, KugelRects()},          {Sheets::KUGEL_EN, KugelRects()},
            {Sheets::ENEMIES[0], EnemyRects()},     {Sheets::ENEMIES[1], EnemyRects()},
            {Sheets::ENEMIES[2], EnemyRects()},     {Sheets::BIG_ENEMY, {WHOLE_SCENE}},
            {Sheets::BIG_ENEMY01, BossPartRects()}, {Sheets::DEVIL, FigureRects()},
            {Sheets::WETTER, WeatherRects()}};
}

// Non-transparent pixels of a loaded 16-bit chunky inside a rectangle.
int InkIn(const ChunkyObject& Chunky, const SheetRect& Where)
{
    int nInk = 0;
    for (int y = Where.y; y < Where.Bottom(); ++y)
        for (int x = Where.x; x < Where.Right(); ++x)
            nInk += Chunky.Pixels16()[(size_t)y * Chunky.nWidth + x] != 0;
    return nInk;
}

std::string FileBytes(const std::string& Path)
{
    std::ifstream File(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
}

class CreatureArtStep : public HeadlessForgeTest {
protected:
    // Runs the step, then Check(); both inside the engine's set-up.
    void RunStepThen(std::function<void()> Check)
    {
        g_TestApp.Setup = [Check] {
            ForgeContext Context{".", "", ""};
            EXPECT_TRUE(ForgeArtCreatures(Context));
            Check();
            return true;
        };
        EXPECT_EQ(Korvid.Main(0, nullptr), 0);
    }
};

constexpr uint32_t PICTURE = 1, MASK = 2;

TEST_F(CreatureArtStep, EveryRectangleHoldsAPictureAndTheMasksMatch)
{
    RunStepThen([] {
        for (const SheetCase& Case : MaskedSheets()) {
            std::string Name = Case.Size.szName;
            ASSERT_TRUE(Korvid.LoadChunky(PICTURE, ("gfx/" + Name + ".kvp").c_str(), KOR_LOAD_DEPTH16)) << Name;
            ASSERT_TRUE(Korvid.LoadChunky(MASK, ("gfx/" + Name + "_a.kvp").c_str(), KOR_LOAD_DEPTH16)) << Name;
            const ChunkyObject &Picture = *Korvid.ChunkyRecord(PICTURE), &Mask = *Korvid.ChunkyRecord(MASK);
            ASSERT_EQ(Picture.nWidth, Case.Size.nWidth) << Name;
            ASSERT_EQ(Picture.nHeight, Case.Size.nHeight) << Name;
            ASSERT_EQ(Mask.nWidth, Picture.nWidth) << Name;
            ASSERT_EQ(Mask.nHeight, Picture.nHeight) << Name;
            for (const SheetRect& Where : Case.Rects) {
                ASSERT_LE(Where.Right(), Picture.nWidth) << Name;
                ASSERT_LE(Where.Bottom(), Picture.nHeight) << Name;
                EXPECT_GT(InkIn(Picture, Where), Where.w * Where.h / 16)
                    << Name << " is (nearly) blank at " << Where.x << "," << Where.y << " " << Where.w << "x" << Where.h;
            }
            // Where the picture is keyed out the mask must be black, or the
            // game's alpha blits would show the transparent colour.
            int nWrong = 0;
            for (size_t n = 0; n < (size_t)Picture.nWidth * Picture.nHeight; ++n)
                nWrong += Picture.Pixels16()[n] == 0 && Mask.Pixels16()[n] != 0;
            EXPECT_EQ(nWrong, 0) << Name;
        }
    });
}

// The sky, the boss scene and the two ball sheets fit together as the game
// loads them (one run of the step: it is the slow part).
TEST_F(CreatureArtStep, TheSkyTheBossSceneAndBothBallSheetsFitTogether)
{
    RunStepThen([] {
        EXPECT_EQ(FileBytes("gfx/kugel.kvp"), FileBytes("gfx/kugel_en.kvp"));
        EXPECT_EQ(FileBytes("gfx/kugel_a.kvp"), FileBytes("gfx/kugel_en_a.kvp"));
        ASSERT_TRUE(Korvid.LoadChunky(PICTURE, "gfx/spaceback.kvp", KOR_LOAD_DEPTH16));
        const ChunkyObject& Sky = *Korvid.ChunkyRecord(PICTURE);
        EXPECT_EQ(Sky.nWidth, Sheets::SPACEBACK.nWidth);
        EXPECT_EQ(Sky.nHeight, Sheets::SPACEBACK.nHeight);
        EXPECT_EQ(InkIn(Sky, {0, 0, Sheets::SPACEBACK.nWidth, Sheets::SPACEBACK.nHeight}),
                  Sheets::SPACEBACK.nWidth * Sheets::SPACEBACK.nHeight);
        EXPECT_FALSE(std::ifstream("gfx/spaceback_a.kvp").good());

        ASSERT_TRUE(Korvid.LoadChunky(PICTURE, "gfx/big_enemy.kvp", KOR_LOAD_DEPTH16));
        const ChunkyObject& Scene = *Korvid.ChunkyRecord(PICTURE);
        // Right of the sky and below it the scene is solid: the boss and the console.
        SheetRect RightStrip = {Sheets::SPACEBACK.nWidth, 0, (int16_t)(800 - Sheets::SPACEBACK.nWidth), 600};
        SheetRect BottomStrip = {0, Sheets::SPACEBACK.nHeight, 800, (int16_t)(600 - Sheets::SPACEBACK.nHeight)};
        EXPECT_EQ(InkIn(Scene, RightStrip), RightStrip.w * RightStrip.h);
        EXPECT_EQ(InkIn(Scene, BottomStrip), BottomStrip.w * BottomStrip.h);
        // The player's side of the sky stays open for the stars and the ship.
        EXPECT_EQ(InkIn(Scene, {0, 0, 500, 540}), 0);
    });
}

// ---- The painters' canvases --------------------------------------------------------

float Difference(const Rgba& A, const Rgba& B)
{
    return std::max({std::fabs(A.r * A.a - B.r * B.a), std::fabs(A.g * A.a - B.g * B.a),
                     std::fabs(A.b * A.a - B.b * B.a), std::fabs(A.a - B.a)});
}

int ChangedPixels(const Canvas& Sheet, const SheetRect& A, const SheetRect& B)
{
    int nChanged = 0;
    for (int y = 0; y < A.h; ++y)
        for (int x = 0; x < A.w; ++x)
            nChanged += Difference(Sheet.Get(A.x + x, A.y + y), Sheet.Get(B.x + x, B.y + y)) > 0.05f;
    return nChanged;
}

// Every frame of an animation differs from the one before it.
void ExpectAnimated(const Canvas& Sheet, const std::vector<SheetRect>& Frames, const std::string& Label)
{
    for (size_t n = 1; n < Frames.size(); ++n)
        if (Frames[n].x != Frames[n - 1].x || Frames[n].y != Frames[n - 1].y) {
            EXPECT_GE(ChangedPixels(Sheet, Frames[n - 1], Frames[n]), 4) << Label << " frame " << n;
        }
}

template <class FrameFn>
std::vector<SheetRect> FramesOf(int nCount, FrameFn Frame)
{
    std::vector<SheetRect> Frames;
    for (int n = 0; n < nCount; ++n)
        Frames.push_back(Frame(n));
    return Frames;
}

float MeanAlpha(const Canvas& Sheet, const SheetRect& Where)
{
    float fSum = 0;
    for (int y = Where.y; y < Where.Bottom(); ++y)
        for (int x = Where.x; x < Where.Right(); ++x)
            fSum += Sheet.Get(x, y).a;
    return fSum / (Where.w * Where.h);
}

// Opaque pixels that lie in none of the rectangles: paint that strayed.
int StrayPixels(const Canvas& Sheet, const std::vector<SheetRect>& Rects)
{
    int nStray = 0;
    for (int y = 0; y < Sheet.Height(); ++y)
        for (int x = 0; x < Sheet.Width(); ++x) {
            if (Sheet.Get(x, y).a <= 0)
                continue;
            bool bInside = false;
            for (const SheetRect& R : Rects)
                bInside |= x >= R.x && x < R.Right() && y >= R.y && y < R.Bottom();
            nStray += !bInside;
        }
    return nStray;
}

TEST(CreatureArt, BallsSpinAndThePassingLookIsAGhostThatSurvivesTheHalfCut)
{
    Canvas Kugel = PaintKugelSheet();
    const int16_t SIZES[3] = {Sheets::BALL_SMALL, Sheets::BALL_NORMAL, Sheets::BALL_BIG};
    const int16_t* ROWS[3] = {Sheets::BALL_ROWS_SMALL, Sheets::BALL_ROWS_NORMAL, Sheets::BALL_ROWS_BIG};
    for (int nSize = 0; nSize < 3; ++nSize) {
        for (int nLook = 0; nLook < 3; ++nLook)
            ExpectAnimated(Kugel, FramesOf(Sheets::BALL_FRAMES, [&](int n) { return Sheets::Ball(SIZES[nSize], ROWS[nSize][nLook], n); }),
                           "ball size " + std::to_string(SIZES[nSize]) + " look " + std::to_string(nLook));
        // The ball's middle: solid for the normal look, see-through for the
        // passing one, which must still keep most of itself at the half cut.
        int16_t nInset = (int16_t)(SIZES[nSize] / 4);
        auto Middle = [&](int nLook) {
            SheetRect Ball = Sheets::Ball(SIZES[nSize], ROWS[nSize][nLook], 0);
            return SheetRect{(int16_t)(Ball.x + nInset), (int16_t)(Ball.y + nInset), (int16_t)(Ball.w - 2 * nInset),
                             (int16_t)(Ball.h - 2 * nInset)};
        };
        EXPECT_GT(MeanAlpha(Kugel, Middle(0)), 0.95f);
        float fGhost = MeanAlpha(Kugel, Middle(2));
        EXPECT_LT(fGhost, 0.85f);
        EXPECT_GE(fGhost, 0.5f);
    }
    ExpectAnimated(Kugel, FramesOf(10, Sheets::DyingEnemy), "dying enemy");
    ExpectAnimated(Kugel, FramesOf(10, Sheets::Ship), "ship");
}

TEST(CreatureArt, HighlightsAreLitFramesAroundAFaintFill)
{
    Canvas Kugel = PaintKugelSheet();
    for (const SheetRect& R : {Sheets::HIGHLIGHT_OPTIONS, Sheets::HIGHLIGHT_HIGHSCORES, Sheets::HIGHLIGHT_START,
                               Sheets::HIGHLIGHT_INFO, Sheets::HIGHLIGHT_INSTRUCTIONS, Sheets::HIGHLIGHT_QUIT,
                               Sheets::HIGHLIGHT_BACK, Sheets::HIGHLIGHT_PREVIOUS, Sheets::HIGHLIGHT_NEXT}) {
        float fCentre = Kugel.Get(R.x + R.w / 2, R.y + R.h / 2).a;
        EXPECT_GT(fCentre, 0.05f) << R.x << "," << R.y;
        EXPECT_LT(fCentre, 0.5f) << R.x << "," << R.y;
        // The frame shows on all four sides, two pixels in from the edge.
        EXPECT_GE(Kugel.Get(R.x + 2, R.y + R.h / 2).a, 0.5f) << R.x << "," << R.y;
        EXPECT_GE(Kugel.Get(R.Right() - 3, R.y + R.h / 2).a, 0.5f) << R.x << "," << R.y;
        EXPECT_GE(Kugel.Get(R.x + R.w / 2, R.y + 2).a, 0.5f) << R.x << "," << R.y;
        EXPECT_GE(Kugel.Get(R.x + R.w / 2, R.Bottom() - 3).a, 0.5f) << R.x << "," << R.y;
    }
}

TEST(CreatureArt, GlyphCellsAreDistinctUnclippedAndCentred)
{
    Canvas Kugel = PaintKugelSheet();
    struct GlyphSet {
        const char* szName;
        std::vector<SheetRect> Cells;
    };
    const GlyphSet SETS[] = {{"glyphs", FramesOf((int)sizeof(Sheets::GLYPH_ORDER) - 1, Sheets::Glyph)},
                             {"panel digits", FramesOf(10, Sheets::PanelDigit)},
                             {"code digits", FramesOf(10, Sheets::CodeDigit)},
                             {"score digits", FramesOf(10, Sheets::ScoreDigit)},
                             {"score letters", FramesOf(Sheets::SCORE_LETTERS, Sheets::ScoreLetter)}};
    for (const GlyphSet& Set : SETS)
        for (size_t n = 0; n < Set.Cells.size(); ++n) {
            const SheetRect& Cell = Set.Cells[n];
            for (size_t m = 0; m < n; ++m)
                EXPECT_GT(ChangedPixels(Kugel, Set.Cells[m], Cell), 3) << Set.szName << " " << m << " and " << n;
            // The bright ink (not the dark outline) stays off the side columns
            // and is balanced around the middle.
            float fInk = 0, fMoment = 0;
            for (int y = 0; y < Cell.h; ++y)
                for (int x = 0; x < Cell.w; ++x) {
                    Rgba Pixel = Kugel.Get(Cell.x + x, Cell.y + y);
                    float fBright = Pixel.a * std::max({Pixel.r, Pixel.g, Pixel.b}) > 0.5f ? 1.0f : 0.0f;
                    if ((x == 0 || x == Cell.w - 1) && fBright > 0)
                        ADD_FAILURE() << Set.szName << " cell " << n << " is clipped at the side";
                    fInk += fBright, fMoment += fBright * (x + 0.5f);
                }
            ASSERT_GT(fInk, 0) << Set.szName << " cell " << n;
            EXPECT_NEAR(fMoment / fInk, Cell.w / 2.0f, 2.0f) << Set.szName << " cell " << n;
        }
}

TEST(CreatureArt, EnemiesAnimateInEveryKindOfEverySheet)
{
    for (EnemyMood Mood : {EnemyMood::Bright, EnemyMood::Friendly, EnemyMood::Menacing}) {
        Canvas Sheet = PaintEnemySheet(Mood);
        for (int nKind = 0; nKind < Sheets::ENEMY_KINDS; ++nKind)
            ExpectAnimated(Sheet, FramesOf(Sheets::ENEMY_FRAMES, [&](int n) { return Sheets::Enemy(nKind, n); }),
                           "mood " + std::to_string((int)Mood) + " kind " + std::to_string(nKind));
    }
}

TEST(CreatureArt, TitleFiguresAnimateThroughTheirElevenSteps)
{
    Canvas Devil = PaintFigureSheet();
    for (int nFigure = 0; nFigure < 2; ++nFigure)
        ExpectAnimated(Devil, FramesOf(11, [&](int c) { return Sheets::Figure(nFigure, c); }),
                       "figure " + std::to_string(nFigure));
    // The two figures are different characters, not one picture twice.
    EXPECT_GT(ChangedPixels(Devil, Sheets::Figure(0, 0), Sheets::Figure(1, 0)), 2000);
}

TEST(CreatureArt, BossHeadAimsLowerPhaseByPhaseAndTheJawShowsItsMaw)
{
    Canvas Parts = PaintBossParts();
    // The snout is the head's leftmost part: its height follows the phase, as
    // the head's shots start lower phase by phase.
    float fPreviousY = -1;
    for (int nPhase = 0; nPhase < 4; ++nPhase) {
        SheetRect Head = Sheets::BossHead(nPhase, 0);
        int nColumn = -1;
        for (int x = 0; x < Head.w && nColumn < 0; ++x)
            for (int y = 0; y < Head.h; ++y)
                if (Parts.Get(Head.x + x, Head.y + y).a >= 0.5f)
                    nColumn = x;
        ASSERT_GE(nColumn, 0);
        float fSum = 0, fCount = 0;
        for (int x = nColumn; x < nColumn + 12; ++x)
            for (int y = 0; y < Head.h; ++y)
                if (Parts.Get(Head.x + x, Head.y + y).a >= 0.5f)
                    fSum += y, fCount += 1;
        float fSnoutY = fSum / fCount;
        EXPECT_GT(fSnoutY, fPreviousY + 5) << "phase " << nPhase;
        fPreviousY = fSnoutY;
        ExpectAnimated(Parts, FramesOf(4, [&](int nStep) { return Sheets::BossHead(nPhase, nStep); }),
                       "head phase " + std::to_string(nPhase));
    }
    // The mouth hit zone of the jaw (x 104..157, y 50..70) is the glowing maw.
    const SheetRect& Jaw = Sheets::BOSS_JAW;
    SheetRect Maw = {(int16_t)(Jaw.x + 108), (int16_t)(Jaw.y + 52), 46, 16};
    EXPECT_GT(MeanAlpha(Parts, Maw), 0.95f);
    float fRed = 0;
    for (int y = Maw.y; y < Maw.Bottom(); ++y)
        for (int x = Maw.x; x < Maw.Right(); ++x)
            fRed += Parts.Get(x, y).r;
    EXPECT_GT(fRed / (Maw.w * Maw.h), 0.6f);
    ExpectAnimated(Parts, FramesOf(9, Sheets::BigExplosion), "big explosion");
    ExpectAnimated(Parts, FramesOf(3, Sheets::SmallExplosion), "small explosion");
}

TEST(CreatureArt, PaintStaysInsideTheRectanglesTheGameDraws)
{
    EXPECT_EQ(StrayPixels(PaintKugelSheet(), KugelRects()), 0);
    EXPECT_EQ(StrayPixels(PaintBossParts(), BossPartRects()), 0);
    EXPECT_EQ(StrayPixels(PaintWeatherSheet(), WeatherRects()), 0);
}

TEST(CreatureArt, WeatherBanksAreWholeInTheirSlicesAndTheCodeSlotIsClear)
{
    Canvas Weather = PaintWeatherSheet();
    // A bank drawn on its own must not end in a cut: its slice's rim is clear.
    std::vector<SheetRect> Banks = FramesOf(Sheets::SMALL_BANKS, Sheets::SmallBank);
    Banks.push_back(Sheets::LARGE_BANK);
    for (const SheetRect& Bank : Banks) {
        float fRim = 0;
        for (int x = Bank.x; x < Bank.Right(); ++x)
            fRim = std::max({fRim, Weather.Get(x, Bank.y).a, Weather.Get(x, Bank.Bottom() - 1).a});
        for (int y = Bank.y; y < Bank.Bottom(); ++y)
            fRim = std::max({fRim, Weather.Get(Bank.x, y).a, Weather.Get(Bank.Right() - 1, y).a});
        EXPECT_LT(fRim, 0.05f) << "bank at " << Bank.x << "," << Bank.y;
        EXPECT_GT(MeanAlpha(Weather, Bank), 0.2f) << "bank at " << Bank.x << "," << Bank.y;
    }
    for (int nLayer = 0; nLayer < 3; ++nLayer)
        for (int nOffset : {0, (int)Sheets::PARTICLE_SIZE})
            ExpectAnimated(Weather, FramesOf(10, [&](int n) { return Sheets::Particle(nLayer, nOffset, n); }),
                           "particles " + std::to_string(nLayer));
    // The new code's six digits land on a dark, solid slot.
    const SheetRect& Banner = Sheets::CODE_BANNER;
    for (int y = Banner.y + 101; y < Banner.y + 123; ++y)
        for (int x = Banner.x + 134; x < Banner.x + 224; ++x) {
            Rgba Pixel = Weather.Get(x, y);
            ASSERT_GE(Pixel.a, 0.99f) << x << "," << y;
            ASSERT_LT(std::max({Pixel.r, Pixel.g, Pixel.b}), 0.25f) << x << "," << y;
        }
}

TEST(CreatureArt, PaintingIsRepeatable)
{
    Canvas First = PaintBossParts(), Second = PaintBossParts();
    int nDifferent = 0;
    for (int y = 0; y < First.Height(); ++y)
        for (int x = 0; x < First.Width(); ++x) {
            Rgba A = First.Get(x, y), B = Second.Get(x, y);
            nDifferent += A.r != B.r || A.g != B.g || A.b != B.b || A.a != B.a;
        }
    EXPECT_EQ(nDifferent, 0);
}

}  // namespace
