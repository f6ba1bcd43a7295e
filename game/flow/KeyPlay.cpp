#include "KeyPlay.h"

#include <algorithm>

#include "GameState.h"
#include "Keys.h"
#include "Paddles.h"
#include "korvid.h"

namespace {

// Speeds in pixels per second: a tap moves a few pixels, a held key reaches
// full speed within a quarter of a second.
constexpr int32_t START_SPEED = 250, TOP_SPEED = 900, RAMP_MS = 250;
constexpr uint32_t LONGEST_STEP_MS = 50;   // a stalled frame does not throw the paddle across
constexpr uint32_t GAMEPAD_SCAN_MS = 3000;

uint32_t g_nLastSteer = 0;
int32_t g_nCarryX = 0, g_nCarryY = 0;   // thousandths of a pixel left over
uint32_t g_nLastGamepadScan = 0;
bool g_bGamepadsScanned = false;
const GameSteerKeys* g_pReplayKeys = nullptr;
bool g_bCtrlAlone = false;   // Left Ctrl went down and no other key since

constexpr int STEER_KEYS[GAME_STEER_KEY_COUNT] = {GAME_KEY_LEFT, GAME_KEY_RIGHT, GAME_KEY_A,
                                                   GAME_KEY_D,    GAME_KEY_UP,    GAME_KEY_DOWN};
enum SteerKey { LEFT, RIGHT, A, D, UP, DOWN };

// -1, 0 or 1 for the keys held toward either side, and how long the held one
// has been down.
int32_t Direction(const GameSteerKeys& Keys, SteerKey Less, SteerKey More, uint32_t nNow, uint32_t& nHeldFor)
{
    const int32_t nDirection = (Keys[More] ? 1 : 0) - (Keys[Less] ? 1 : 0);
    nHeldFor = nDirection ? nNow - Keys[nDirection < 0 ? Less : More] : 0;
    return nDirection;
}

int32_t Step(int32_t nDirection, uint32_t nHeldFor, uint32_t nElapsed, int32_t& nCarry)
{
    if (!nDirection) {
        nCarry = 0;
        return 0;
    }
    const int32_t nSpeed = START_SPEED + (TOP_SPEED - START_SPEED) * (int32_t)std::min<uint32_t>(nHeldFor, RAMP_MS) / RAMP_MS;
    nCarry += nSpeed * (int32_t)nElapsed;
    const int32_t nPixels = nCarry / 1000;
    nCarry %= 1000;
    return nDirection * nPixels;
}

void Steer()
{
    const uint32_t nNow = Korvid.Timer();
    const uint32_t nElapsed = std::min(nNow - g_nLastSteer, LONGEST_STEP_MS);
    g_nLastSteer = nNow;
    if (!g_bInGame || g_bHalted || g_nScoreEntry != GAME_SCORE_ENTRY_NONE)
        return;
    const GameSteerKeys Keys = g_pReplayKeys ? *g_pReplayKeys : GameEngineSteerKeys();
    uint32_t nHeldX = 0, nHeldY = 0;
    int32_t nX = Direction(Keys, LEFT, RIGHT, nNow, nHeldX);
    if (!nX)
        nX = Direction(Keys, A, D, nNow, nHeldX);
    // Up and Down steer only the ship of the boss stage.
    const int32_t nY = g_bBossStage ? Direction(Keys, UP, DOWN, nNow, nHeldY) : 0;
    const int32_t dx = Step(nX, nHeldX, nElapsed, g_nCarryX), dy = Step(nY, nHeldY, nElapsed, g_nCarryY);
    if (!dx && !dy)
        return;
    // From the paddle's range: a pointer beyond the wall would first have to
    // come back before the paddle moved.
    int16_t nMinX, nMaxX;
    GamePaddleRange(LocalPlayer(), PlayerPaddle(LocalPlayer()).Width(), nMinX, nMaxX);
    const int32_t nPointerX = g_bBossStage ? Korvid.MouseX() : std::clamp<int32_t>(Korvid.MouseX(), nMinX, nMaxX);
    Korvid.SetMousePosition(nPointerX + dx, Korvid.MouseY() + dy, false, false);
}

// SDL sees a pad plugged in later only after its joystick system restarts,
// which is too slow for every frame and would drop a pad in use during play.
void WatchGamepads()
{
    if (g_bInGame || g_nMenuScreen != GAME_SCREEN_TITLE)
        return;
    const uint32_t nNow = Korvid.Timer();
    if (g_bGamepadsScanned && nNow - g_nLastGamepadScan < GAMEPAD_SCAN_MS)
        return;
    g_bGamepadsScanned = true;
    g_nLastGamepadScan = nNow;
    Korvid.ScanGamepads();
}

// Left Ctrl fires on its release, but only when no other key was pressed while
// it was down: Ctrl-Z and Ctrl-G are the window's own keys. Read from the frame's
// key event, not from the keys held now, so a replay decides as the game did.
bool CtrlFires(const KorvidEvent& Key)
{
    if (Key.nType == KOR_EVENT_PRESS)
        g_bCtrlAlone = Key.nCode == GAME_KEY_LEFT_CTRL;
    if (Key.nType != KOR_EVENT_RELEASE || Key.nCode != GAME_KEY_LEFT_CTRL)
        return false;
    const bool bFires = g_bCtrlAlone;
    g_bCtrlAlone = false;
    return bFires;
}

}  // namespace

GameSteerKeys GameEngineSteerKeys()
{
    GameSteerKeys Keys;
    for (size_t n = 0; n < Keys.size(); ++n)
        // The engine's first millisecond reads 0, which stands for "not held" here.
        Keys[n] = Korvid.KeyHeld(STEER_KEYS[n]) ? std::max<uint32_t>(Korvid.KeyDownTime(STEER_KEYS[n]), 1) : 0;
    return Keys;
}

void GameReplaySteerKeys(const GameSteerKeys* pKeys)
{
    g_pReplayKeys = pKeys;
}

void GameKeyPlay(const KorvidEvent& Key)
{
    Steer();
    if (g_bInGame && g_nKeyValue == GAME_KEY_SPACE)
        g_bLeftClick = true;
    if (CtrlFires(Key) && g_bInGame)
        g_bRightClick = true;
    WatchGamepads();
}
