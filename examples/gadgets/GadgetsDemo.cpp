// The engine's gadgets and the framework's modes, in a program of three pages:
//
//   the title page, with three buttons;
//   the name page, with a text field to type a name into;
//   the about page, whose button goes back to the page it was opened from.
//
// Each page is a mode: a setup function that runs once when the page opens and
// adds its gadgets, and an update function that runs every frame, draws the
// page and reacts to the button pressed. The framework's modes carry a game's
// names; this program uses three of them: Title, Game Intro for the name page
// and Instructions for the about page. Every page asks for a cross-fade as it
// opens, so the old page fades into the new one.
//
// Buttons answer to the mouse, and to the keyboard: Up and Down move the
// selection (the glowing button), Return presses it.
#include "GadgetsDemo.h"

#include "DemoArt.h"
#include "PlexaModes.h"
#include "korvid.h"

namespace {

// Gadget numbers, page by page.
constexpr int32_t TITLE_NAME = 0, TITLE_ABOUT = 1, TITLE_QUIT = 2;
constexpr int32_t NAME_FIELD = 0, NAME_ABOUT = 1, NAME_DONE = 2;
constexpr int32_t ABOUT_BACK = 0;

constexpr int16_t CENTRE_X = 400;
constexpr int32_t NAME_LENGTH = 16;
char g_szName[NAME_LENGTH + 1] = "";

// True when the left mouse button went down this frame: the player's click, or
// the click UpdateGadgets makes when Return presses the selected button.
bool LeftClick()
{
    bool bClicked = false;
    for (KorvidEvent Event = Korvid.GetMouseEvent(); Event.nType != KOR_EVENT_NONE; Event = Korvid.GetMouseEvent())
        bClicked |= Event.nType == KOR_EVENT_PRESS && Event.nCode == KOR_BUTTON_LEFT;
    return bClicked;
}

// Where the mouse was last frame. UpdateGadgets counts the selected button as
// pointed at, and the highest number wins, so a selection would take the clicks
// meant for a lower-numbered button: once the mouse moves, it takes over from
// the keyboard and no button stays selected.
uint16_t g_nMouseX = 0, g_nMouseY = 0;

// Draws this page's gadgets and returns the one pressed this frame, or -1.
int32_t PressedGadget()
{
    if (Korvid.MouseX() != g_nMouseX || Korvid.MouseY() != g_nMouseY)
        Korvid.SelectGadget(Plexa.Gadgets(), (int32_t)KOR_NO_GADGET);
    g_nMouseX = Korvid.MouseX();
    g_nMouseY = Korvid.MouseY();
    const int32_t nHot = Korvid.UpdateGadgets(Plexa.Gadgets());
    return LeftClick() ? nHot : -1;
}

void DrawPage(uint32_t nBackground, const char* szHeading)
{
    Korvid.Blit(nBackground, 0, 0, KOR_BLIT_NOCOOKIE, 0, 0);
    Korvid.FontPrint(CENTRE_X, 90, szHeading, KOR_PRINT_CENTRE | KOR_PRINT_SHADOW, Korvid.ColourWhite(), -1);
}

// ---- The title page ---------------------------------------------------------

bool TitleSetup(uint8_t)
{
    Plexa.RequestFade();
    Korvid.AddButtonGadget(Plexa.Gadgets(), TITLE_NAME, CENTRE_X, 250, 16, "ENTER YOUR NAME", 0);
    Korvid.AddButtonGadget(Plexa.Gadgets(), TITLE_ABOUT, CENTRE_X, 320, 16, "ABOUT", 0);
    Korvid.AddButtonGadget(Plexa.Gadgets(), TITLE_QUIT, CENTRE_X, 390, 16, "QUIT", 0);
    Korvid.SelectGadget(Plexa.Gadgets(), TITLE_NAME);
    return true;
}

void TitleUpdate()
{
    DrawPage(TITLE_BACKGROUND, "GADGETS AND MODES");
    char szGreeting[64] = "CLICK A BUTTON, OR USE UP, DOWN AND RETURN";
    if (g_szName[0])
        Korvid.StringPrintf(szGreeting, "HELLO, %s!", g_szName);
    Korvid.FontPrint(CENTRE_X, 160, szGreeting, KOR_PRINT_CENTRE, Korvid.ColourWhite(), -1);
    switch (PressedGadget()) {
    case TITLE_NAME: Plexa.EnterGameIntro(); break;
    case TITLE_ABOUT: Plexa.EnterInstructions(); break;
    case TITLE_QUIT: Korvid.Quit(); break;
    }
}

// ---- The name page ----------------------------------------------------------

bool NameSetup(uint8_t)
{
    Plexa.RequestFade();
    Korvid.FlushChars();   // letters typed on another page stay there
    Korvid.AddTextGadget(Plexa.Gadgets(), NAME_FIELD, CENTRE_X, 220, 20, "", 0);
    Korvid.AddButtonGadget(Plexa.Gadgets(), NAME_ABOUT, CENTRE_X - 130, 320, 14, "ABOUT", 0);
    Korvid.AddButtonGadget(Plexa.Gadgets(), NAME_DONE, CENTRE_X + 130, 320, 14, "DONE", 0);
    Korvid.SelectGadget(Plexa.Gadgets(), NAME_DONE);   // so Return finishes the name
    return true;
}

void NameUpdate()
{
    DrawPage(NAME_BACKGROUND, "WHAT IS YOUR NAME?");
    Korvid.EditString(g_szName, NAME_LENGTH);
    char szShown[NAME_LENGTH + 2];
    Korvid.StringPrintf(szShown, "%s_", g_szName);
    Korvid.SetGadgetText(Plexa.Gadgets(), NAME_FIELD, szShown);
    switch (PressedGadget()) {
    case NAME_ABOUT: Plexa.EnterInstructions(); break;
    case NAME_DONE: Plexa.EnterTitle(); break;
    }
}

// ---- The about page ---------------------------------------------------------

bool AboutSetup(uint8_t)
{
    Plexa.RequestFade();
    Korvid.AddButtonGadget(Plexa.Gadgets(), ABOUT_BACK, CENTRE_X, 470, 12, "BACK", 0);
    Korvid.SelectGadget(Plexa.Gadgets(), ABOUT_BACK);
    return true;
}

void AboutUpdate()
{
    DrawPage(ABOUT_BACKGROUND, "ABOUT");
    Korvid.FontPrintWrapped(120, 170, 560,
                            "EACH PAGE IS A MODE OF THE FRAMEWORK. ITS SETUP ADDS THE BUTTONS; ITS UPDATE DRAWS THE "
                            "PAGE EVERY FRAME AND ASKS WHICH BUTTON WAS PRESSED. BACK RETURNS TO THE PAGE BEFORE.",
                            KOR_PRINT_CENTRE, Korvid.ColourWhite(), -1);
    if (PressedGadget() == ABOUT_BACK)
        Plexa.ReturnToPreviousMode();
}

}  // namespace

void ConfigureGadgetsDemo()
{
    Korvid.SetAppNames("Korvid Gadgets", "KorvidGadgets");
    Korvid.SetFrameRate(50);
    Korvid.ChangeDisplayMode(800, 600, 16, KOR_WINDOWED);
    Korvid.HidePointer();   // the framework draws its own
}

bool PrepareGadgetsDemo()
{
    MakeDemoArt();
    KorvidGadgetList& Gadgets = Plexa.Gadgets();
    Gadgets.nOptions = KOR_GADGETS_KEYBOARD;
    Gadgets.nButtonPicture = BUTTON_TILES;
    Gadgets.nTextPicture = FIELD_TILES;
    Plexa.SetMousePointer(POINTER);
    Plexa.RegisterMode(PLEXA_MODE_TITLE, TitleSetup, TitleUpdate);
    Plexa.RegisterMode(PLEXA_MODE_GAME_INTRO, NameSetup, NameUpdate);
    Plexa.RegisterMode(PLEXA_MODE_INSTRUCTIONS, AboutSetup, AboutUpdate);
    return Plexa.EnterTitle();
}

void RunGadgetsDemo()
{
    Plexa.PlexaModeUpdate();
    Korvid.Flip();
}
