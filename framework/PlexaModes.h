// The framework's mode machine: eleven numbered modes, each with a setup run
// once on entry and an update run every frame. Entering a mode starts it on a
// clean slate (no pending keys or clicks, no zones, no gadgets); a program may
// ask for a cross-fade from the screen a mode leaves, and may have the
// framework draw its own mouse pointer over every frame.
#pragma once
#include <cstdint>

#include "korvid.h"

constexpr uint8_t PLEXA_MODE_COUNT = 11;
constexpr uint8_t PLEXA_MODE_IN_GAME = 0;        // "In Game"
constexpr uint8_t PLEXA_MODE_PAUSED = 1;         // "Paused Mode"
constexpr uint8_t PLEXA_MODE_IN_GAME_MENU = 2;   // "In-Game Menu"
constexpr uint8_t PLEXA_MODE_CHOOSE_LEVEL = 3;   // "Choose Level"
constexpr uint8_t PLEXA_MODE_TITLE = 4;          // "Title"
constexpr uint8_t PLEXA_MODE_GAME_INTRO = 6;     // "Game Intro"
constexpr uint8_t PLEXA_MODE_HI_SCORES = 7;      // "Hi-Scores"
constexpr uint8_t PLEXA_MODE_GAME_OVER = 8;      // "GameOver"
constexpr uint8_t PLEXA_MODE_INSTRUCTIONS = 9;   // "Instructions"
constexpr uint8_t PLEXA_MODE_SPARE = 10;         // a mode without a name

constexpr int32_t PLEXA_FADE_START = 95;
constexpr int32_t PLEXA_NO_POINTER = -1;

using PlexaSetupFunction = bool (*)(uint8_t nParameter);   // true when the mode accepts the entry
using PlexaUpdateFunction = void (*)();

class PlexaFramework {
public:
    // Stores a mode's two functions; a mode above 10 is ignored.
    void RegisterMode(uint8_t nMode, PlexaSetupFunction pSetup, PlexaUpdateFunction pUpdate);
    // Makes a mode current without running its setup.
    void SetCurrentMode(uint8_t nMode) { m_nCurrentMode = nMode; }
    // Enters a mode: false only when it has no setup. With bOnlyIfAccepted the
    // mode becomes current only when its setup accepts.
    bool PlexaModeSetup(uint8_t nMode, uint8_t nParameter, bool bOnlyIfAccepted);
    bool ReturnToPreviousMode() { return PlexaModeSetup(m_nPreviousMode, m_nPreviousParameter, false); }
    // The frame: the current mode's update, then the cross-fade and the pointer.
    void PlexaModeUpdate();

    // Each named mode's entry point. A pause or an in-game menu that its setup
    // refuses leaves the game where it was.
    bool EnterInGame(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_IN_GAME, nParameter, false); }
    bool EnterPausedMode(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_PAUSED, nParameter, true); }
    bool EnterInGameMenu(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_IN_GAME_MENU, nParameter, true); }
    bool EnterChooseLevel(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_CHOOSE_LEVEL, nParameter, false); }
    bool EnterTitle(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_TITLE, nParameter, false); }
    bool EnterGameIntro(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_GAME_INTRO, nParameter, false); }
    bool EnterHiScores(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_HI_SCORES, nParameter, false); }
    bool EnterGameOver(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_GAME_OVER, nParameter, false); }
    bool EnterInstructions(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_INSTRUCTIONS, nParameter, false); }
    bool EnterSpareMode(uint8_t nParameter = 0) { return PlexaModeSetup(PLEXA_MODE_SPARE, nParameter, false); }

    // The next frame's end keeps the screen as it is then, and the frames after
    // it fade from that picture to whatever the new mode draws.
    void RequestFade() { m_bFadeRequested = true; }
    // A chunky drawn at the mouse every frame (PLEXA_NO_POINTER for none), and whether it shows.
    void SetMousePointer(int32_t nChunky) { m_nPointer = nChunky; }
    void ShowMousePointer(bool bShown) { m_bPointerShown = bShown; }

    // The gadgets of the current mode; every mode entry clears them.
    KorvidGadgetList& Gadgets() { return m_Gadgets; }
    uint8_t CurrentMode() const { return m_nCurrentMode; }
    uint8_t PreviousMode() const { return m_nPreviousMode; }
    uint8_t PreviousParameter() const { return m_nPreviousParameter; }
    int32_t FadeCounter() const { return m_nFadeCounter; }

private:
    // PlexaOverlay.cpp: what the framework draws over each frame.
    void RunFade();
    bool MakeAccumulationBuffer();
    void DrawPointer();

    uint8_t m_nCurrentMode = PLEXA_MODE_TITLE;
    uint8_t m_nPreviousMode = PLEXA_MODE_TITLE;
    uint8_t m_nPreviousParameter = 0;
    bool m_bFadeRequested = false;
    int32_t m_nFadeCounter = 90;
    bool m_bHasAccumulation = false;
    uint32_t m_nAccumulation = 0;
    int32_t m_nPointer = PLEXA_NO_POINTER;
    bool m_bPointerShown = true;
    PlexaSetupFunction m_pSetup[PLEXA_MODE_COUNT] = {};
    PlexaUpdateFunction m_pUpdate[PLEXA_MODE_COUNT] = {};
    KorvidGadgetList m_Gadgets;
};

extern PlexaFramework Plexa;
