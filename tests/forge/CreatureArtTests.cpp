// The creature sheets: the painters' canvases animate, stay inside the rectangles
// the game draws and leave room where the game needs it; the step writes the
// data set's sheets, a picture in every rectangle, and the boss stage fits together.
#include "ForgeTest.h"
#include "creatures/CreatureArt.h"

#include <cmath>

namespace {

using namespace Sheets;

template <class FrameFn>
std::vector<SheetRect> FramesOf(int nCount, FrameFn Frame, std::vector<SheetRect> Before = {})
{
    for (int n = 0; n < nCount; ++n)
        Before.push_back(Frame(n));
    return Before;
}

const std::vector<SheetRect> HIGHLIGHTS = {HIGHLIGHT_OPTIONS, HIGHLIGHT_HIGHSCORES, HIGHLIGHT_START,
                                           HIGHLIGHT_INFO,    HIGHLIGHT_INSTRUCTIONS, HIGHLIGHT_QUIT,
                                           HIGHLIGHT_BACK,    HIGHLIGHT_PREVIOUS,   HIGHLIGHT_NEXT,
                                           HIGHLIGHT_EDITOR};
const int16_t BALL_SIZES[3] = {BALL_SMALL, BALL_NORMAL, BALL_BIG};
const int16_t* BALL_ROWS[3] = {BALL_ROWS_SMALL, BALL_ROWS_NORMAL, BALL_ROWS_BIG};

// The rectangles the game draws from each creature sheet.
std::vector<SheetRect> KugelRects()
{
    std::vector<SheetRect> Rects = HIGHLIGHTS;
    for (int nBall = 0; nBall < 9; ++nBall)
        Rects = FramesOf(
            BALL_FRAMES, [&](int n) { return Ball(BALL_SIZES[nBall / 3], BALL_ROWS[nBall / 3][nBall % 3], n); }, Rects);
    for (auto pFrame : {PanelDigit, CodeDigit, DyingEnemy, ScoreDigit, Ship})
        Rects = FramesOf(10, pFrame, Rects);
    return FramesOf(3, Star,
                    FramesOf(SCORE_LETTERS, ScoreLetter, FramesOf((int)sizeof(GLYPH_ORDER) - 1, Glyph, Rects)));
}

std::vector<SheetRect> BossPartRects()
{
    std::vector<SheetRect> Rects = {BOSS_JAW, BOSS_PLAYER_SHOT, BOSS_GUNS[0], BOSS_GUNS[1], BOSS_GUNS[2]};
    Rects = FramesOf(16, [](int n) { return BossHead(n / 4, n % 4); }, Rects);
    return FramesOf(3, BossShot, FramesOf(9, BigExplosion, FramesOf(3, SmallExplosion, Rects)));
}

std::vector<SheetRect> WeatherRects()
{
    std::vector<SheetRect> Rects = FramesOf(SMALL_BANKS, SmallBank, {LARGE_BANK, CODE_BANNER});
    for (int nLayer = 0; nLayer < 3; ++nLayer)
        Rects = FramesOf(20, [&](int n) { return Particle(nLayer, n / 10 * PARTICLE_SIZE, n % 10); }, Rects);
    return FramesOf(3, [](int n) { return FOG_PARTICLES[n]; }, Rects);
}

int ChangedPixels(const Canvas& Sheet, const SheetRect& A, const SheetRect& B)
{
    int nChanged = 0;
    for (int y = 0; y < A.h; ++y)
        for (int x = 0; x < A.w; ++x) {
            Rgba P = Sheet.Get(A.x + x, A.y + y), Q = Sheet.Get(B.x + x, B.y + y);
            nChanged += std::max({std::fabs(P.r * P.a - Q.r * Q.a), std::fabs(P.g * P.a - Q.g * Q.a),
                                  std::fabs(P.b * P.a - Q.b * Q.a), std::fabs(P.a - Q.a)}) > 0.05f;
        }
    return nChanged;
}

// Every frame of an animation differs from the one before it.
void ExpectAnimated(const Canvas& Sheet, const std::vector<SheetRect>& Frames, const std::string& Label)
{
    for (size_t n = 1; n < Frames.size(); ++n) {
        bool bMoved = Frames[n].x != Frames[n - 1].x || Frames[n].y != Frames[n - 1].y;
        EXPECT_TRUE(!bMoved || ChangedPixels(Sheet, Frames[n - 1], Frames[n]) >= 4) << Label << " frame " << n;
    }
}

float MeanAlpha(const Canvas& Sheet, const SheetRect& Where)
{
    float fSum = 0;
    for (int y = Where.y; y < Where.Bottom(); ++y)
        for (int x = Where.x; x < Where.Right(); ++x)
            fSum += Sheet.Get(x, y).a;
    return fSum / (Where.w * Where.h);
}

// No paint strays outside the rectangles the game draws from the sheet.
void ExpectNoStrayPaint(const Canvas& Sheet, const std::vector<SheetRect>& Rects)
{
    int nStray = 0;
    for (int y = 0; y < Sheet.Height(); ++y)
        for (int x = 0; x < Sheet.Width(); ++x)
            nStray += Sheet.Get(x, y).a > 0 && std::none_of(Rects.begin(), Rects.end(), [&](const SheetRect& R) {
                          return x >= R.x && x < R.Right() && y >= R.y && y < R.Bottom();
                      });
    EXPECT_EQ(nStray, 0);
}

TEST(CreatureArt, KugelBallsSpinGlyphsAreDistinctAndNothingStrays)
{
    Canvas Kugel = PaintKugelSheet();
    ExpectNoStrayPaint(Kugel, KugelRects());
    for (int nBall = 0; nBall < 9; ++nBall) {
        int nSize = nBall / 3, nLook = nBall % 3;
        auto Frame = [&](int nLook, int n) { return Ball(BALL_SIZES[nSize], BALL_ROWS[nSize][nLook], n); };
        ExpectAnimated(Kugel, FramesOf(BALL_FRAMES, [&](int n) { return Frame(nLook, n); }),
                       "ball " + std::to_string(nBall));
        // The middle: solid for the normal look, see-through for the passing one,
        // which must still keep most of itself at the game's half cut.
        int16_t nInset = (int16_t)(BALL_SIZES[nSize] / 4);
        SheetRect R = Frame(nLook, 0), Middle = {(int16_t)(R.x + nInset), (int16_t)(R.y + nInset),
                                                 (int16_t)(R.w - 2 * nInset), (int16_t)(R.h - 2 * nInset)};
        float fMiddle = MeanAlpha(Kugel, Middle);
        EXPECT_TRUE(nLook != 0 || fMiddle > 0.95f) << "ball " << nBall << ": " << fMiddle;
        EXPECT_TRUE(nLook != 2 || (fMiddle < 0.85f && fMiddle >= 0.5f)) << "ball " << nBall << ": " << fMiddle;
    }
    ExpectAnimated(Kugel, FramesOf(10, DyingEnemy), "dying enemy");
    ExpectAnimated(Kugel, FramesOf(10, Ship), "ship");
    // Glyph cells are different pictures.
    for (auto [szSet, nCount, pCell] : {std::make_tuple("glyph", (int)sizeof(GLYPH_ORDER) - 1, Glyph),
                                        {"panel digit", 10, PanelDigit}, {"code digit", 10, CodeDigit},
                                        {"score digit", 10, ScoreDigit}, {"score letter", SCORE_LETTERS, ScoreLetter}})
        for (int n = 0; n < nCount; ++n)
            for (int m = 0; m < n; ++m)
                EXPECT_GT(ChangedPixels(Kugel, pCell(m), pCell(n)), 3) << szSet << " " << n << " looks like " << m;
}

TEST(CreatureArt, EnemiesAndTitleFiguresAnimate)
{
    for (EnemyMood Mood : {EnemyMood::Bright, EnemyMood::Friendly, EnemyMood::Menacing}) {
        Canvas Sheet = PaintEnemySheet(Mood);
        for (int nKind = 0; nKind < ENEMY_KINDS; ++nKind)
            ExpectAnimated(Sheet, FramesOf(ENEMY_FRAMES, [&](int n) { return Enemy(nKind, n); }),
                           "mood " + std::to_string((int)Mood) + " kind " + std::to_string(nKind));
    }
    Canvas Devil = PaintFigureSheet();
    for (int nFigure = 0; nFigure < 2; ++nFigure)
        ExpectAnimated(Devil, FramesOf(11, [&](int c) { return Figure(nFigure, c); }),
                       "figure " + std::to_string(nFigure));
    EXPECT_GT(ChangedPixels(Devil, Figure(0, 0), Figure(1, 0)), 2000) << "two characters, not one twice";
}

TEST(CreatureArt, BossHeadAimsLowerPhaseByPhaseAndTheJawShowsItsMaw)
{
    Canvas Parts = PaintBossParts();
    ExpectNoStrayPaint(Parts, BossPartRects());
    // The snout is the head's leftmost part: its height follows the phase, as the
    // head's shots start lower phase by phase.
    float fPreviousY = -1;
    for (int nPhase = 0; nPhase < 4; ++nPhase) {
        SheetRect Head = BossHead(nPhase, 0);
        int nColumn = -1;
        float fSum = 0, fCount = 0;
        for (int x = 0; x < Head.w && (nColumn < 0 || x < nColumn + 12); ++x)
            for (int y = 0; y < Head.h; ++y)
                if (Parts.Get(Head.x + x, Head.y + y).a >= 0.5f) {
                    nColumn = nColumn < 0 ? x : nColumn;
                    fSum += y, fCount += 1;
                }
        ASSERT_GE(nColumn, 0);
        EXPECT_GT(fSum / fCount, fPreviousY + 5) << "phase " << nPhase;
        fPreviousY = fSum / fCount;
        ExpectAnimated(Parts, FramesOf(4, [&](int nStep) { return BossHead(nPhase, nStep); }),
                       "head phase " + std::to_string(nPhase));
    }
    // The mouth hit zone of the jaw (x 104..157, y 50..70) is the glowing maw.
    SheetRect Maw = {(int16_t)(BOSS_JAW.x + 108), (int16_t)(BOSS_JAW.y + 52), 46, 16};
    float fRed = 0;
    for (int y = Maw.y; y < Maw.Bottom(); ++y)
        for (int x = Maw.x; x < Maw.Right(); ++x)
            fRed += Parts.Get(x, y).r;
    EXPECT_GT(MeanAlpha(Parts, Maw), 0.95f);
    EXPECT_GT(fRed / (Maw.w * Maw.h), 0.6f);
    ExpectAnimated(Parts, FramesOf(9, BigExplosion), "big explosion");
    ExpectAnimated(Parts, FramesOf(3, SmallExplosion), "small explosion");
}

TEST(CreatureArt, WeatherBanksAreWholeInTheirSlicesAndTheCodeSlotIsClear)
{
    Canvas Weather = PaintWeatherSheet();
    ExpectNoStrayPaint(Weather, WeatherRects());
    // A bank drawn on its own must not end in a cut: its slice's rim is clear.
    for (const SheetRect& Bank : FramesOf(SMALL_BANKS, SmallBank, {LARGE_BANK})) {
        float fRim = 0;
        for (int x = Bank.x; x < Bank.Right(); ++x)
            fRim = std::max({fRim, Weather.Get(x, Bank.y).a, Weather.Get(x, Bank.Bottom() - 1).a});
        for (int y = Bank.y; y < Bank.Bottom(); ++y)
            fRim = std::max({fRim, Weather.Get(Bank.x, y).a, Weather.Get(Bank.Right() - 1, y).a});
        EXPECT_LT(fRim, 0.05f) << "bank at " << Bank.x << "," << Bank.y;
        EXPECT_GT(MeanAlpha(Weather, Bank), 0.2f) << "bank at " << Bank.x << "," << Bank.y;
    }
    for (int nLayer = 0; nLayer < 6; ++nLayer)
        ExpectAnimated(Weather,
                       FramesOf(10, [&](int n) { return Particle(nLayer / 2, nLayer % 2 * PARTICLE_SIZE, n); }),
                       "particles " + std::to_string(nLayer / 2));
    // The new code's six digits land on a dark, solid slot.
    int nUnfit = 0;
    for (int y = CODE_BANNER.y + 101; y < CODE_BANNER.y + 123; ++y)
        for (int x = CODE_BANNER.x + 134; x < CODE_BANNER.x + 224; ++x)
            nUnfit += Weather.Get(x, y).a < 0.99f ||
                      std::max({Weather.Get(x, y).r, Weather.Get(x, y).g, Weather.Get(x, y).b}) >= 0.25f;
    EXPECT_EQ(nUnfit, 0);
}

class CreatureArtStep : public ForgeTest {};

TEST_F(CreatureArtStep, WritesTheDataSetsSheetsWithAPictureInEveryRectangleAndTheBossStageFits)
{
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(ForgeArtCreatures(Context));
        EXPECT_EQ(ExpectSameAsDataSet(), 19u) << "nine sheets with masks and the sky";
        EXPECT_TRUE(ReadFileBytes("gfx/kugel.kvp") == ReadFileBytes("gfx/kugel_en.kvp"))
            << "the ball sheet has no words";
        std::vector<SheetRect> Enemies =
            FramesOf(ENEMY_KINDS * ENEMY_FRAMES, [](int n) { return Enemy(n / ENEMY_FRAMES, n % ENEMY_FRAMES); });
        for (const auto& [szSheet, Rects] : {std::pair{"kugel", KugelRects()},
                                             {"enemy1", Enemies},
                                             {"enemy2", Enemies},
                                             {"enemy3", Enemies},
                                             {"big_enemy01", BossPartRects()},
                                             {"wetter", WeatherRects()},
                                             {"devil", FramesOf(22, [](int n) { return Figure(n / 11, n % 11); })}}) {
            Picture16 Sheet = LoadPicture(szSheet);
            for (const SheetRect& R : Rects)
                EXPECT_GT(Measure(Sheet, R).nOpaque, R.w * R.h / 16)
                    << szSheet << " is (nearly) blank at " << R.x << "," << R.y;
        }
        // The sky is opaque; right of it and below it the boss scene is solid (the
        // boss and the console), and the player's side stays open for the stars and the ship.
        Picture16 Sky = LoadPicture("spaceback"), Scene = LoadPicture("big_enemy");
        EXPECT_EQ(Measure(Sky, {0, 0, SPACEBACK.nWidth, SPACEBACK.nHeight}).nOpaque, 630 * 550);
        EXPECT_FALSE(PathExists("gfx/spaceback_a.kvp"));
        for (SheetRect Solid : {SheetRect{SPACEBACK.nWidth, 0, (int16_t)(800 - SPACEBACK.nWidth), 600},
                                SheetRect{0, SPACEBACK.nHeight, 800, (int16_t)(600 - SPACEBACK.nHeight)}})
            EXPECT_EQ(Measure(Scene, Solid).nOpaque, Solid.w * Solid.h);
        EXPECT_EQ(Measure(Scene, {0, 0, 500, 540}).nOpaque, 0);
    });
}

}  // namespace
