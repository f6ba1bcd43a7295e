// The information screen "m5": what the game is, who made it, and the keys.
#include "Picture.h"
#include "ScreenFamilies.h"
#include "ScreenKit.h"

using namespace ScreenKit;

namespace {

// ---- Texts of the information screen (German only: the game has no English "m5") --------
const char* const SUBTITLE = "\u00dcber das Spiel";
const char* const DESCRIPTION =
    "Tamborel 2 ist ein Steinbrecher f\u00fcr die Neon-Nacht: Halte mit dem Schl\u00e4ger die Kugeln im Spiel "
    "und r\u00e4ume in hundert Levels alle Steine ab. Fange Boni, meide die schlechten, schie\u00dfe mit dem "
    "Laser und nimm dich vor den Gegnern in Acht. Alle zehn Level wartet ein Endgegner.\n"
    "Spiele allein oder im Duell gegen den Computer.";
const char* const CREDIT_LINES[] = {"Tamborel 2 \u2014 ein Spiel von Ostra", "Engine: Korvid", "Version 2.0"};
const char* const KEYS_HEADER = "Tasten";
struct KeyLine {
    const char* szKey;
    const char* szMeaning;
};
const KeyLine KEYS[] = {
    {"Maus", "bewegt den Schl\u00e4ger"},
    {"Links", "Kugel starten, loslassen"},
    {"Rechts", "Laser abfeuern"},
    {"P", "Pause"},
    {"Esc", "zur\u00fcck, Spiel beenden"},
    {"F7", "Soundeffekte an/aus"},
    {"F9", "Musik an/aus"},
    {"F11", "Spiel starten"},
    {"Alt+\u21b5", "Fenster / Vollbild"},
};

void PaintAbout(Canvas& Screen)
{
    GameLogo(Screen, 400, 92, 58);
    Font Subtitle(Face::SansBold, 22);
    LitText(Screen, Subtitle, 400, 140, SUBTITLE, Style::TEXT, Style::CYAN, Align::Centre, 5);

    Style::FramePanel(Screen, {48, 162, 420, 336}, 12, 0.85f);
    Font Body(Face::Sans, 16);
    float fBaseline = ShadowParagraph(Screen, Body, 68, 194, 380, DESCRIPTION, Style::TEXT, 1.3f);
    fBaseline += 10;
    Screen.Fill({68, (int)fBaseline - 12, 380, 4}, [=](float x, float y) {
        return Shape::Capsule(x, y, 70, fBaseline - 10, 446, fBaseline - 10, 1.2f);
    }, WithAlpha(Style::CYAN, 0.5f));
    Font Credit(Face::CondensedBold, 17);
    for (const char* szLine : CREDIT_LINES) {
        fBaseline += 24;
        Style::ShadowText(Screen, Credit, 68, fBaseline, szLine, szLine == CREDIT_LINES[0] ? Style::GOLD : Style::TEXT_DIM);
    }

    Style::FramePanel(Screen, {488, 162, 264, 336}, 12, 0.85f);
    Font Header(Face::SansBold, 19);
    LitText(Screen, Header, 620, 192, KEYS_HEADER, Style::TEXT, Style::GOLD, Align::Centre, 4);
    Font Meaning(Face::Condensed, 15);
    int y = 206;
    for (const KeyLine& Key : KEYS) {
        KeyCap(Screen, {504, y, 62, 26}, Key.szKey);
        Style::ShadowText(Screen, Meaning, 576, y + 18, Key.szMeaning, Style::TEXT);
        y += 31;
    }
    BackButton(Screen);
}

}  // namespace

bool PaintAboutScreen(const ForgeContext& Context)
{
    Canvas Screen = MenuGround(5, Hex(0x27518F), Hex(0x5A2C8A));
    PaintAbout(Screen);
    return SavePicture(Context, "m5", Screen, PictureKind::Screen);
}
