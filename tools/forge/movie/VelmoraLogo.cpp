// The publisher's logo, "Velmora": a golden ring draws itself with a trail of
// sparks, a faceted V lands inside it with a chord of bells, the name settles
// from wide spacing and a warm light crosses it, while motes circle the ring
// in cycling gold and violet over a low drone. Four and a half seconds.
#include "LogoMovie.h"
#include "LogoPaint.h"
#include "MoviePalette.h"

using namespace Logo;

namespace {

constexpr int FRAMES = 110;
constexpr float CX = 320, CY = 186;   // centre of the ring and the mark
constexpr float RING_RADIUS = 98, RING_HALF_WIDTH = 1.6f;
constexpr int RING_START = 4, RING_END = 34, MARK_LAND = 32;
constexpr float NAME_BASELINE = 352, TAG_BASELINE = 390;
constexpr int TRAIL_SPARKS = 36, MOTES = 22;

const Rgba GOLD_LIGHT = Hex(0xFFEBB0), GOLD = Hex(0xE2B15C), GOLD_DEEP = Hex(0x9A6A2A), VIOLET = Hex(0x9A6BFF),
           TAG = Hex(0xBBAADC);

// Clockwise angle from the top of the ring, 0 .. 2 pi.
float RingAngle(float x, float y)
{
    float a = std::atan2(x - CX, CY - y);
    return a < 0 ? a + 2 * PI : a;
}

// How far round the ring is drawn at a frame, in radians.
float RingSweep(float fFrame)
{
    return 2 * PI * EaseInOut(std::clamp((fFrame - RING_START) / (RING_END - RING_START), 0.0f, 1.0f));
}

struct Spark {
    float fAngle, fRadius, fDrift, fSpeed;
    int nBirth, nLife, nSize, nSlot;
};

class VelmoraScene : public LogoScene {
public:
    VelmoraScene()
        : m_NameFont(Face::SerifBold, 62), m_TagFont(Face::Sans, 16), m_Tag(m_TagFont, "PUBLISHING", 10, TAG),
          m_Background(LOGO_WIDTH, LOGO_HEIGHT)
    {
        PaintGlow(m_Background, CX, 215, 270, Hex(0x2A1248, 0.8f));
        ForgeRandom Random(0x7E1307A);
        for (int n = 0; n < TRAIL_SPARKS; ++n) {
            // Shed by the ring's head as it passes, drifting outwards.
            Spark S;
            S.nBirth = RING_START + 1 + n * (RING_END - RING_START - 2) / TRAIL_SPARKS;
            S.fAngle = RingSweep((float)S.nBirth) + Random.Range(-0.05f, 0.05f);
            S.fRadius = RING_RADIUS + Random.Range(-3.0f, 3.0f);
            S.fDrift = Random.Range(0.4f, 1.6f);
            S.fSpeed = Random.Range(-0.01f, 0.01f);
            S.nLife = Random.Int(8, 18);
            S.nSize = Random.Int(0, 2);
            S.nSlot = Random.Int(0, MOVIE_CYCLE_COUNT - 1);
            m_Sparks.push_back(S);
        }
        for (int n = 0; n < MOTES; ++n) {
            // Circling the finished ring, slowly, some inside and some out.
            Spark S;
            S.nBirth = Random.Int(RING_END, 60);
            S.fAngle = Random.Range(0, 2 * PI);
            S.fRadius = RING_RADIUS + Random.Range(-10.0f, 18.0f);
            S.fDrift = 0;
            S.fSpeed = Random.Range(0.006f, 0.018f) * (n % 3 == 0 ? -1.0f : 1.0f);
            S.nLife = FRAMES;
            S.nSize = Random.Int(0, 1);
            S.nSlot = Random.Int(0, MOVIE_CYCLE_COUNT - 1);
            m_Sparks.push_back(S);
        }
    }

    std::string Name() const override { return "velmora"; }
    int FrameCount() const override { return FRAMES; }
    float Brightness(int nFrame) const override { return FadeInOut(nFrame, FRAMES, 10, 18); }

    void Paint(int nFrame, Canvas& Frame) const override
    {
        Frame = m_Background;
        PaintRing(nFrame, Frame);
        PaintMark(nFrame, Frame);
        PaintName(nFrame, Frame);
    }

    void PaintSparks(int nFrame, std::vector<uint8_t>& Pixels) const override
    {
        for (const Spark& S : m_Sparks) {
            int nAge = nFrame - S.nBirth;
            if (nAge < 0 || nAge >= S.nLife)
                continue;
            float fAngle = S.fAngle + S.fSpeed * nAge, fRadius = S.fRadius + S.fDrift * nAge;
            int x = (int)std::lround(CX + std::sin(fAngle) * fRadius);
            int y = (int)std::lround(CY - std::cos(fAngle) * fRadius);
            int nSize = nAge > S.nLife - 4 ? 0 : S.nSize;
            PutSpark(Pixels, LOGO_WIDTH, LOGO_HEIGHT, x, y, nSize, (uint8_t)(MOVIE_CYCLE_FIRST + S.nSlot));
        }
    }

    Rgba CycleColour(int nFrame, int nSlot) const override
    {
        // Two crests of gold chase each other through violet.
        float fWave = 0.5f + 0.5f * std::cos(4 * PI * (nSlot + nFrame * 0.6f) / MOVIE_CYCLE_COUNT);
        return fWave > 0.5f ? Mix(GOLD, Hex(0xFFF8E0), (fWave - 0.5f) * 2) : Mix(Hex(0x5A3AA8), GOLD, fWave * 2);
    }

    SoundTrack Sound() const override
    {
        SoundTrack Track(FRAMES * LOGO_FRAME_TIME / 1000.0f);
        Track.AddDrone(0.0f, 4.4f, {73.4f, 110.0f, 146.8f, 185.0f}, 1.5f, 1.4f, 0.22f);
        Track.AddWhoosh(0.1f, 1.35f, 400.0f, 3500.0f, 0.7f, 0x7E1307A);
        Track.AddBell(1.3f, 587.3f, 1.2f, 1.0f);
        Track.AddBell(1.33f, 880.0f, 0.9f, 0.5f);
        Track.AddBell(1.37f, 1174.7f, 0.7f, 0.3f);
        Track.AddWhoosh(2.75f, 1.0f, 3000.0f, 9000.0f, 0.25f, 0x7E1307B);
        Track.AddBell(2.95f, 2349.3f, 0.4f, 0.15f);
        Track.AddRoom(0.4f);
        Track.Finish(0.8f);
        return Track;
    }

private:
    void PaintRing(int nFrame, Canvas& Frame) const
    {
        float fSweep = RingSweep((float)nFrame);
        if (fSweep <= 0)
            return;
        float hx = CX + std::sin(fSweep) * RING_RADIUS, hy = CY - std::cos(fSweep) * RING_RADIUS;
        Box Area{(int)(CX - RING_RADIUS) - 4, (int)(CY - RING_RADIUS) - 4, (int)(2 * RING_RADIUS) + 9,
                 (int)(2 * RING_RADIUS) + 9};
        Frame.Fill(
            Area,
            [&](float px, float py) {
                if (RingAngle(px, py) <= fSweep)
                    return std::fabs(std::hypot(px - CX, py - CY) - RING_RADIUS) - RING_HALF_WIDTH;
                // Round caps at the start (the top) and at the head.
                return std::min(Shape::Circle(px, py, CX, CY - RING_RADIUS, RING_HALF_WIDTH),
                                Shape::Circle(px, py, hx, hy, RING_HALF_WIDTH));
            },
            [&](float px, float py) {
                // Lit from the upper left.
                float fLit = 0.5f + 0.5f * std::cos(RingAngle(px, py) + PI / 4);
                return Mix(GOLD_DEEP, GOLD_LIGHT, fLit);
            });
        if (fSweep < 2 * PI)
            PaintGlow(Frame, hx, hy, 16, Hex(0xFFF1C8, 0.85f));
    }

    void PaintMark(int nFrame, Canvas& Frame) const
    {
        float t = Progress(nFrame, MARK_LAND, MARK_LAND + 10.0f);
        if (t <= 0)
            return;
        float fFlash = Progress(nFrame, MARK_LAND, MARK_LAND + 6.0f) *
                       (1 - Progress(nFrame, MARK_LAND + 6.0f, MARK_LAND + 34.0f));
        PaintGlow(Frame, CX, CY + 4, 120 + 40 * fFlash, WithAlpha(VIOLET, 0.22f + 0.45f * fFlash));
        float fScale = 0.5f + 0.5f * EaseOutBack(t), fOpacity = std::min(1.0f, t * 2.5f);
        auto At = [&](std::vector<float> Points) {
            for (size_t n = 0; n < Points.size(); n += 2) {
                Points[n] = CX + Points[n] * fScale;
                Points[n + 1] = CY + 6 + Points[n + 1] * fScale;
            }
            return Points;
        };
        // The V as two facets: the left one catches the light, the right one is in shade.
        const std::vector<float> Left = At({-66, -56, -30, -56, 0, 12, 0, 62});
        const std::vector<float> Right = At({30, -56, 66, -56, 0, 62, 0, 12});
        const std::vector<float> Jewel = At({0, -90, 11, -76, 0, -62, -11, -76});
        const float fTop = CY + 6 - 90 * fScale, fBottom = CY + 6 + 62 * fScale;
        auto Facet = [&](const std::vector<float>& Shape, const Rgba& Top, const Rgba& Bottom) {
            float fLeft = 1e9f, fRight = -1e9f, fHigh = 1e9f, fLow = -1e9f;
            for (size_t n = 0; n < Shape.size(); n += 2) {
                fLeft = std::min(fLeft, Shape[n]), fRight = std::max(fRight, Shape[n]);
                fHigh = std::min(fHigh, Shape[n + 1]), fLow = std::max(fLow, Shape[n + 1]);
            }
            Box Area{(int)fLeft - 2, (int)fHigh - 2, (int)(fRight - fLeft) + 5, (int)(fLow - fHigh) + 5};
            Frame.Fill(
                Area, [&](float px, float py) { return Shape::Polygon(px, py, Shape); },
                [&](float, float py) {
                    return WithAlpha(Mix(Top, Bottom, std::clamp((py - fTop) / (fBottom - fTop), 0.0f, 1.0f)),
                                     fOpacity);
                });
        };
        Facet(Left, GOLD_LIGHT, GOLD);
        Facet(Right, GOLD, GOLD_DEEP);
        Facet(Jewel, Hex(0xFFFBEA), GOLD);
        float fTwinkle = Progress(nFrame, MARK_LAND + 8.0f, MARK_LAND + 12.0f) *
                         (1 - Progress(nFrame, MARK_LAND + 12.0f, MARK_LAND + 26.0f));
        if (fTwinkle > 0)
            PaintGlow(Frame, CX, CY + 6 - 76 * fScale, 26, Hex(0xFFFFFF, 0.9f * fTwinkle));
    }

    void PaintName(int nFrame, Canvas& Frame) const
    {
        float t = Progress(nFrame, 42, 66);
        if (t <= 0)
            return;
        // The letters close in from wide spacing as they appear.
        TextLayer Name(m_NameFont, "VELMORA", 16 + 26 * (1 - EaseOut(t)), GOLD_LIGHT);
        TintVertical(Name.Picture(), Hex(0xFFF2C4), Hex(0xC8954A));
        LayerLook Look;
        Look.fOpacity = EaseInOut(Progress(nFrame, 42, 60));
        float fWidth = (float)Name.Picture().Width();
        Look.fLightX = -60 + (fWidth + 160) * EaseInOut(Progress(nFrame, 68, 92));
        Look.fLightWidth = 40;
        Look.Light = Hex(0xFFFBEA, 0.9f);
        DrawLayer(Frame, Name.Picture(), Name.Left(CX), Name.Top(NAME_BASELINE), Look);

        LayerLook Tag;
        Tag.fOpacity = EaseInOut(Progress(nFrame, 60, 76));
        DrawLayer(Frame, m_Tag.Picture(), m_Tag.Left(CX), m_Tag.Top(TAG_BASELINE), Tag);
        // Short gold rules either side of the line below the name.
        float fRule = 44 * EaseOut(Progress(nFrame, 62, 78)), fGap = m_Tag.Picture().Width() / 2.0f + 10;
        for (float fSide : {-1.0f, 1.0f}) {
            float x0 = CX + fSide * fGap, x1 = CX + fSide * (fGap + fRule), y = TAG_BASELINE - 6;
            if (fRule > 0)
                Frame.Fill({(int)std::min(x0, x1) - 2, (int)y - 3, (int)fRule + 5, 7},
                           [&](float px, float py) { return Shape::Capsule(px, py, x0, y, x1, y, 1.2f); },
                           WithAlpha(GOLD, Tag.fOpacity));
        }
    }

    Font m_NameFont, m_TagFont;
    TextLayer m_Tag;
    Canvas m_Background;
    std::vector<Spark> m_Sparks;
};

}  // namespace

const LogoScene& VelmoraLogo()
{
    static const VelmoraScene Scene;
    return Scene;
}
