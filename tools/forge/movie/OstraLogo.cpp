// The developer's logo, "Ostra": a shell of seven ribs fans open from its
// hinge, a pearl lands in it with a chime and a glow, the name is wiped in and
// crossed by a light, and bubbles rise in cycling sea colours. Four seconds.
#include "LogoMovie.h"
#include "LogoPaint.h"
#include "MoviePalette.h"

using namespace Logo;

namespace {

constexpr int FRAMES = 100;
constexpr float CX = 320, HINGE_Y = 250;   // the shell's hinge, where the pearl sits
constexpr float PEARL_RADIUS = 21;
constexpr int RIBS = 7;
constexpr float NAME_BASELINE = 350, LINE_Y = 370, TAG_BASELINE = 398;
constexpr int BUBBLES = 28;

const Rgba DEEP_SEA = Hex(0x0B5A68), SHALLOW_SEA = Hex(0x66E3D4), PEARL_LIGHT = Hex(0xFBF7FB),
           PEARL_SHADE = Hex(0xAFA6C6), NAME = Hex(0xBCD3D5), TAG = Hex(0x73C9C4), LINE = Hex(0x2C9EA0);

struct Bubble {
    float x, y, fSpeed, fWobble, fPhase;
    int nBirth, nLife, nSize, nSlot;
};

class OstraScene : public LogoScene {
public:
    OstraScene()
        : m_NameFont(Face::SansBold, 76), m_TagFont(Face::Condensed, 19),
          m_Name(m_NameFont, "OSTRA", 24, NAME), m_Tag(m_TagFont, "GAME STUDIO", 9, TAG),
          m_Background(LOGO_WIDTH, LOGO_HEIGHT)
    {
        PaintGlow(m_Background, CX, 230, 250, Hex(0x0A3E4A, 0.7f));
        ForgeRandom Random(0x05724A);
        for (int n = 0; n < BUBBLES; ++n) {
            Bubble B;
            B.x = Random.Range(CX - 150, CX + 150);
            B.y = Random.Range(HINGE_Y - 110, HINGE_Y - 20);
            B.fSpeed = Random.Range(0.6f, 1.6f);
            B.fWobble = Random.Range(2.0f, 6.0f);
            B.fPhase = Random.Range(0, 2 * PI);
            B.nBirth = Random.Int(24, 70);
            B.nLife = Random.Int(20, 40);
            B.nSize = Random.Int(0, 2);
            B.nSlot = Random.Int(0, MOVIE_CYCLE_COUNT - 1);
            m_Bubbles.push_back(B);
        }
    }

    std::string Name() const override { return "ostra"; }
    int FrameCount() const override { return FRAMES; }
    float Brightness(int nFrame) const override { return FadeInOut(nFrame, FRAMES, 12, 16); }

    void Paint(int nFrame, Canvas& Frame) const override
    {
        Frame = m_Background;
        PaintShell(nFrame, Frame);
        PaintPearl(nFrame, Frame);
        PaintName(nFrame, Frame);
    }

    void PaintSparks(int nFrame, std::vector<uint8_t>& Pixels) const override
    {
        for (const Bubble& B : m_Bubbles) {
            int nAge = nFrame - B.nBirth;
            if (nAge < 0 || nAge >= B.nLife)
                continue;
            float y = B.y - nAge * B.fSpeed;
            float x = B.x + B.fWobble * std::sin(B.fPhase + nAge * 0.25f);
            // Young and old bubbles are smaller.
            int nSize = nAge < 4 || nAge > B.nLife - 5 ? 0 : B.nSize;
            PutSpark(Pixels, LOGO_WIDTH, LOGO_HEIGHT, (int)std::lround(x), (int)std::lround(y), nSize,
                     (uint8_t)(MOVIE_CYCLE_FIRST + B.nSlot));
        }
    }

    Rgba CycleColour(int nFrame, int nSlot) const override
    {
        // A crest of light runs through the slots, one slot every other frame.
        float fWave = 0.5f + 0.5f * std::cos(2 * PI * (nSlot - nFrame * 0.5f) / MOVIE_CYCLE_COUNT);
        return Mix(Hex(0x1E8C92), Hex(0xF0FFFF), fWave * fWave);
    }

    SoundTrack Sound() const override
    {
        SoundTrack Track(FRAMES * LOGO_FRAME_TIME / 1000.0f);
        Track.AddDrone(0.0f, 4.0f, {110.0f, 164.8f, 220.0f}, 1.4f, 1.2f, 0.18f);
        Track.AddWhoosh(0.15f, 1.2f, 300.0f, 2600.0f, 0.9f, 0x05724A);
        Track.AddBell(1.25f, 880.0f, 0.9f, 1.0f);
        Track.AddBell(1.27f, 1318.5f, 0.6f, 0.35f);
        Track.AddWhoosh(2.05f, 1.0f, 1200.0f, 6000.0f, 0.35f, 0x05724B);
        Track.AddBell(2.45f, 1760.0f, 0.5f, 0.25f);
        Track.AddRoom(0.35f);
        Track.Finish(0.8f);
        return Track;
    }

private:
    // Rib n's direction, in degrees from straight up; the middle rib first.
    static float RibAngle(int n) { return -72.0f + n * 144.0f / (RIBS - 1); }
    static int RibStart(int n) { return 5 + 3 * std::abs(n - RIBS / 2); }

    void PaintShell(int nFrame, Canvas& Frame) const
    {
        const float fInner = PEARL_RADIUS + 9;
        for (int n = 0; n < RIBS; ++n) {
            float t = EaseOut(Progress(nFrame, (float)RibStart(n), RibStart(n) + 16.0f));
            if (t <= 0)
                continue;
            float fAngle = RibAngle(n) * PI / 180.0f;
            float fFull = 150.0f * (0.74f + 0.26f * std::cos(fAngle * 1.15f));
            float fLength = fInner + (fFull - fInner) * t;
            float dx = std::sin(fAngle), dy = -std::cos(fAngle), nx = -dy, ny = dx;
            // A wedge widening outwards, closed by a round tip.
            float fTipRadius = 13.0f, fBase = 4.0f;
            float x0 = CX + dx * fInner, y0 = HINGE_Y + dy * fInner;
            float x1 = CX + dx * fLength, y1 = HINGE_Y + dy * fLength;
            std::vector<float> Wedge = {x0 + nx * fBase, y0 + ny * fBase, x1 + nx * fTipRadius, y1 + ny * fTipRadius,
                                        x1 - nx * fTipRadius, y1 - ny * fTipRadius, x0 - nx * fBase, y0 - ny * fBase};
            Box Area{(int)(std::min(x0, x1) - 16), (int)(std::min(y0, y1) - 16), (int)std::fabs(x1 - x0) + 34,
                     (int)std::fabs(y1 - y0) + 34};
            Frame.Fill(
                Area,
                [&](float px, float py) {
                    return std::min(Shape::Polygon(px, py, Wedge), Shape::Circle(px, py, x1, y1, fTipRadius));
                },
                [&](float px, float py) {
                    float fAlong = std::hypot(px - CX, py - HINGE_Y) / fFull;
                    // Lit from the upper left: the left side of each rib a little lighter.
                    float fSide = ((px - CX) * nx + (py - HINGE_Y) * ny) / fTipRadius;
                    Rgba Colour = Mix(DEEP_SEA, SHALLOW_SEA, std::clamp(fAlong * 1.1f - 0.15f, 0.0f, 1.0f));
                    return WithAlpha(Shade(Colour, std::clamp(-fSide * 0.12f, -0.15f, 0.15f)),
                                     std::min(1.0f, t * 2.5f));
                });
        }
    }

    void PaintPearl(int nFrame, Canvas& Frame) const
    {
        const int nLand = 30;
        float fScale = EaseOutBack(Progress(nFrame, nLand, nLand + 9.0f));
        if (fScale <= 0)
            return;
        // The flash of its landing settles into a steady glow.
        float fFlash = Progress(nFrame, nLand, nLand + 5.0f) * (1 - Progress(nFrame, nLand + 5.0f, nLand + 30.0f));
        PaintGlow(Frame, CX, HINGE_Y, 70 + 40 * fFlash, Hex(0xC8FFF6, 0.35f + 0.5f * fFlash));
        float r = PEARL_RADIUS * fScale, hx = CX - r * 0.35f, hy = HINGE_Y - r * 0.4f;
        Box Area{(int)(CX - r) - 2, (int)(HINGE_Y - r) - 2, (int)(2 * r) + 5, (int)(2 * r) + 5};
        Frame.Fill(
            Area, [&](float px, float py) { return Shape::Circle(px, py, CX, HINGE_Y, r); },
            [&](float px, float py) {
                float fFromLight = std::hypot(px - hx, py - hy) / (r * 1.5f);
                Rgba Colour = Mix(PEARL_LIGHT, PEARL_SHADE, std::clamp(fFromLight, 0.0f, 1.0f));
                // A faint rosy sheen towards the lower right.
                return Mix(Colour, Hex(0xF2C9DA), 0.25f * std::clamp(fFromLight - 0.5f, 0.0f, 1.0f));
            });
        PaintGlow(Frame, hx, hy, r * 0.45f, Hex(0xFFFFFF, 0.9f));
    }

    void PaintName(int nFrame, Canvas& Frame) const
    {
        LayerLook Name;
        float fWidth = (float)m_Name.Picture().Width();
        Name.fRevealSoftness = 40;
        Name.fRevealX = -40 + (fWidth + 80) * EaseInOut(Progress(nFrame, 36, 56));
        Name.fLightX = -60 + (fWidth + 160) * EaseInOut(Progress(nFrame, 58, 80));
        Name.fLightWidth = 48;
        Name.Light = Hex(0xFFFFFF, 0.9f);
        DrawLayer(Frame, m_Name.Picture(), m_Name.Left(CX), m_Name.Top(NAME_BASELINE), Name);

        float fHalf = 150 * EaseOut(Progress(nFrame, 46, 64));
        if (fHalf > 0)
            Frame.Fill({(int)(CX - fHalf) - 1, (int)LINE_Y - 2, (int)(2 * fHalf) + 3, 5},
                       [&](float px, float py) {
                           return Shape::RoundedBox(px, py, CX - fHalf, LINE_Y - 1, CX + fHalf, LINE_Y + 1, 1);
                       },
                       [&](float px, float) {
                           // Brightest in the middle, fading towards the ends.
                           return WithAlpha(LINE, 1.0f - std::pow(std::fabs(px - CX) / (fHalf + 1), 3.0f));
                       });
        LayerLook Tag;
        Tag.fOpacity = EaseInOut(Progress(nFrame, 54, 68));
        DrawLayer(Frame, m_Tag.Picture(), m_Tag.Left(CX), m_Tag.Top(TAG_BASELINE), Tag);
    }

    Font m_NameFont, m_TagFont;
    TextLayer m_Name, m_Tag;
    Canvas m_Background;
    std::vector<Bubble> m_Bubbles;
};

}  // namespace

const LogoScene& OstraLogo()
{
    static const OstraScene Scene;
    return Scene;
}
