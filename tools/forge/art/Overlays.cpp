// The pictures of the halted overlay: "pause" (the pause card and the name
// prompt of a new high score, German and English) and "ende" (the card for a
// cleared set of levels, German and English). Each is a framed card with a
// glowing title over the darkened play screen.
#include <cmath>

#include "ArtKit.h"
#include "PlayArt.h"
#include "Picture.h"
#include "sheets.h"

namespace {

using ArtKit::BoxOf;

// Texts of one language (UTF-8).
struct PromptTexts {
    const char* szTitle;
    const char* szAsk;
    const char* szLimit;
    const char* szKeys;
};
struct FinalTexts {
    const char* szTitle;
    const char* szLine1;
    const char* szLine2;
};

const PromptTexts PROMPTS[2] = {
    {"Neuer Rekord!", "Gib deinen Namen ein:", "(h\xc3\xb6" "chstens 8 Buchstaben)", "Enter: speichern   Esc: abbrechen"},
    {"New high score!", "Enter your name:", "(up to 8 letters)", "Enter: save   Esc: cancel"}};
const FinalTexts FINALS[2] = {
    {"Geschafft!", "Alle Level gel\xc3\xb6st.", "Herzlichen Gl\xc3\xbc" "ckwunsch!"},
    {"Well done!", "All levels cleared.", "Congratulations!"}};

// The card: a glowing frame in the accent colour round a dark panel, inset so
// the glow stays inside the picture's rectangle.
void PaintCard(Canvas& Sheet, const Box& Rect, const Rgba& Accent)
{
    Box Card = ArtKit::Inset(Rect, 5);
    float fLeft = Card.x, fTop = Card.y, fRight = Card.Right(), fBottom = Card.Bottom();
    ArtKit::GlowOf(Sheet, Rect, 3, WithAlpha(Accent, 0.8f),
                   [&](float x, float y) { return Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, 14); });
    Style::FramePanel(Sheet, Card, 14.0f, 0.95f);
    Sheet.Fill(Card, [&](float x, float y) { return std::fabs(Shape::RoundedBox(x, y, fLeft, fTop, fRight, fBottom, 14) + 1.2f) - 1.0f; },
               [&](float, float y) { return Shade(Accent, 0.3f - (y - fTop) / (fBottom - fTop) * 0.6f); });
}

// A horizontal rule with a bright middle, under a title.
void PaintRule(Canvas& Sheet, const Box& Rect, float y, const Rgba& Accent)
{
    float cx = Rect.x + Rect.w * 0.5f, fHalf = Rect.w * 0.32f;
    Sheet.Fill(Rect, [&](float px, float py) { return Shape::Capsule(px, py, cx - fHalf, y, cx + fHalf, y, 1.6f); },
               [&](float px, float) { return WithAlpha(Shade(Accent, 0.2f), 1.0f - std::fabs(px - cx) / fHalf * 0.7f); });
}

void PaintSparkles(Canvas& Sheet, const Box& Rect, uint32_t nSeed, const Rgba& Colour)
{
    ForgeRandom Random(nSeed);
    // In the two upper corners, clear of the title.
    for (int n = 0; n < 6; ++n) {
        float fInset = Random.Range(16, 34);
        float x = n % 2 ? Rect.x + fInset : Rect.Right() - fInset, y = Rect.y + Random.Range(16, 62);
        std::vector<float> Star = ArtKit::StarPoints(x, y, Random.Range(3, 6), 1.0f, 4);
        Sheet.Fill(Rect, [&](float px, float py) { return Shape::Polygon(px, py, Star); }, Colour);
    }
}

void PaintPauseCard(Canvas& Sheet)
{
    Box Rect = BoxOf(Sheets::PAUSE_PICTURE);
    PaintCard(Sheet, Rect, Style::CYAN);
    float cx = Rect.x + Rect.w * 0.5f;
    // The pause sign: two rounded bars.
    for (float fSide : {-1.0f, 1.0f}) {
        float x = cx + fSide * 11;
        Sheet.Fill(Rect, [&](float px, float py) { return Shape::RoundedBox(px, py, x - 6, Rect.y + 28.0f, x + 6, Rect.y + 74.0f, 3) - 1.5f; },
                   Style::NIGHT);
        Sheet.Fill(Rect, [&](float px, float py) { return Shape::RoundedBox(px, py, x - 6, Rect.y + 28.0f, x + 6, Rect.y + 74.0f, 3); },
                   [&](float px, float py) { return Shade(Style::CYAN, 0.35f - (py - Rect.y - 28) / 46.0f * 0.5f - (px > x ? 0.1f : 0)); });
    }
    Font Title(Face::SansBold, 54), Hint(Face::Sans, 19), Small(Face::Sans, 16);
    Style::GlowText(Sheet, Title, cx, Rect.y + 142.0f, "PAUSE", Style::TEXT, Style::CYAN, Align::Centre, 6);
    PaintRule(Sheet, Rect, Rect.y + 160.0f, Style::CYAN);
    Style::ShadowText(Sheet, Hint, cx, Rect.y + 190.0f, "P: weiter", Style::TEXT, Align::Centre);
    Style::ShadowText(Sheet, Small, cx, Rect.y + 212.0f, "P: continue", Style::TEXT_DIM, Align::Centre);
}

void PaintNamePrompt(Canvas& Sheet, int nLanguage)
{
    Box Rect = BoxOf(Sheets::NAME_PROMPT[nLanguage]);
    const PromptTexts& Texts = PROMPTS[nLanguage];
    PaintCard(Sheet, Rect, Style::GOLD);
    PaintSparkles(Sheet, Rect, 61u + (uint32_t)nLanguage, Shade(Style::GOLD, 0.3f));
    float cx = Rect.x + Rect.w * 0.5f;
    Font Title(Face::SansBold, 30), Ask(Face::Sans, 18), Keys(Face::Condensed, 14);
    Style::GlowText(Sheet, Title, cx, Rect.y + 50.0f, Texts.szTitle, Hex(0xFFF0C0), Style::GOLD, Align::Centre, 5);
    Style::ShadowText(Sheet, Ask, cx, Rect.y + 84.0f, Texts.szAsk, Style::TEXT, Align::Centre);
    // The field the typed name appears in: it starts where the game prints,
    // centred card at (800 - width) / 2, text at x 330, y 289.
    float fCardX = (Sheets::SCREEN_WIDTH - Rect.w) / 2;
    float fFieldLeft = Rect.x + (Sheets::NAME_TEXT_X - fCardX) - 10, fFieldTop = Rect.y + (Sheets::NAME_TEXT_Y - Sheets::PAUSE_Y) - 6.0f;
    float fFieldRight = Rect.Right() - 14.0f, fFieldBottom = fFieldTop + Sheets::FONT2_LINE_STEP + 12;
    Sheet.Fill(Rect, [&](float x, float y) { return Shape::RoundedBox(x, y, fFieldLeft, fFieldTop, fFieldRight, fFieldBottom, 5); },
               [&](float x, float y) {
                   float fDepth = -Shape::RoundedBox(x, y, fFieldLeft, fFieldTop, fFieldRight, fFieldBottom, 5);
                   return fDepth < 1.5f ? Shade(Style::GOLD, y < fFieldTop + 3 ? -0.55f : -0.1f) : Hex(0x060915);
               });
    Style::ShadowText(Sheet, Keys, cx, Rect.y + 162.0f, Texts.szLimit, Style::TEXT_DIM, Align::Centre);
    Style::ShadowText(Sheet, Keys, cx, Rect.y + 200.0f, Texts.szKeys, Style::TEXT_DIM, Align::Centre);
}

// A trophy cup of gold, lit from the upper left.
void PaintTrophy(Canvas& Sheet, const Box& Rect, float cx, float fTop)
{
    auto Cup = [&](float x, float y) {
        float u = x - cx, v = y - fTop;
        std::vector<float> Bowl = {-17, 0, 17, 0, 13, 20, 5, 28, -5, 28, -13, 20};
        float fHandles = std::min(std::fabs(Shape::Circle(u, v, -17, 10, 6.5f)) - 2.0f, std::fabs(Shape::Circle(u, v, 17, 10, 6.5f)) - 2.0f);
        return std::min({Shape::Polygon(u, v, Bowl), std::max(fHandles, std::fabs(u) - 26), Shape::RoundedBox(u, v, -3, 27, 3, 37, 1),
                         Shape::RoundedBox(u, v, -12, 36, 12, 42, 2)});
    };
    Sheet.Fill(Rect, [&](float x, float y) { return Cup(x, y) - 1.5f; }, Style::NIGHT);
    Sheet.Fill(Rect, Cup, [&](float x, float y) {
        float fLight = 0.35f - (x - cx + 20) / 40.0f * 0.5f - (y - fTop) / 42.0f * 0.2f;
        return Shade(Style::GOLD, fLight);
    });
    std::vector<float> Star = ArtKit::StarPoints(cx, fTop + 12, 7, 3);
    Sheet.Fill(Rect, [&](float x, float y) { return Shape::Polygon(x, y, Star); }, Hex(0xFFF6D0));
}

void PaintFinalCard(Canvas& Sheet, int nLanguage)
{
    Box Rect = BoxOf(Sheets::FINAL_PICTURE[nLanguage]);
    const FinalTexts& Texts = FINALS[nLanguage];
    PaintCard(Sheet, Rect, Style::GOLD);
    PaintSparkles(Sheet, Rect, 97u + (uint32_t)nLanguage, Hex(0xFFF6D0));
    float cx = Rect.x + Rect.w * 0.5f;
    PaintTrophy(Sheet, Rect, cx, Rect.y + 20.0f);
    Font Title(Face::SansBold, 34), Line(Face::Sans, 19);
    Style::GlowText(Sheet, Title, cx, Rect.y + 110.0f, Texts.szTitle, Hex(0xFFF0C0), Style::GOLD, Align::Centre, 6);
    PaintRule(Sheet, Rect, Rect.y + 126.0f, Style::GOLD);
    Style::ShadowText(Sheet, Line, cx, Rect.y + 160.0f, Texts.szLine1, Style::TEXT, Align::Centre);
    Style::GlowText(Sheet, Line, cx, Rect.y + 196.0f, Texts.szLine2, Style::LIME, Shade(Style::LIME, -0.3f), Align::Centre, 3);
}

}  // namespace

bool ForgeOverlaySheets(const ForgeContext& Context)
{
    Canvas Pause(Sheets::PAUSE.nWidth, Sheets::PAUSE.nHeight);
    PaintPauseCard(Pause);
    Canvas Final(Sheets::ENDE.nWidth, Sheets::ENDE.nHeight);
    for (int nLanguage = 0; nLanguage < 2; ++nLanguage) {
        PaintNamePrompt(Pause, nLanguage);
        PaintFinalCard(Final, nLanguage);
    }
    return SavePicture(Context, Sheets::PAUSE.szName, Pause, PictureKind::MaskedSheet) &&
           SavePicture(Context, Sheets::ENDE.szName, Final, PictureKind::MaskedSheet);
}
