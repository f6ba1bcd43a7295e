// The demo's pilot in a boss stage. Like a person's hand it moves the pointer a
// limited distance a frame, so it can be caught out by a volley; it looks at
// where each of the boss's shots will cross the ship's column and keeps clear.
#include "DemoShip.h"

#include <cstdlib>

#include "BossStage.h"
#include "korvid.h"

namespace {

constexpr int32_t HAND_SPEED = 10;             // pointer pixels a frame
constexpr int32_t SHOT_BELOW_SHIP = 40;        // the ship's shot starts this far below its top
constexpr int32_t SHOT_HEIGHT = 20, SHIP_HEIGHT = 65, SHIP_FRONT_X = 44, SHOT_SPEED = 4;
constexpr int32_t LOOK_AHEAD_FRAMES = 70;      // shots further away than this are not worried about
constexpr int32_t SAFETY = 8;                  // pixels kept clear above and below a shot
// Where the ship's shot hurts the boss: the head's and the lower zone's middle,
// and the middle of the open jaw below the jaw's top.
constexpr int32_t HEAD_MIDDLE_Y = 98, LOWER_MIDDLE_Y = 470, JAW_MIDDLE_BELOW_JAW = 60;
constexpr int32_t JAW_HURTS_BELOW = 30;
constexpr int32_t ALIGNED = 12;                // close enough to the target line to fire
constexpr int32_t SEARCH_STEP = 10;

// The ship's top for a shot through the middle of a zone.
int32_t ShipYFor(int32_t nZoneMiddleY) { return nZoneMiddleY - SHOT_HEIGHT / 2 - SHOT_BELOW_SHIP; }

// The jaw while the boss is worn down and still has lives; else the armour,
// head or lower zone, whichever is nearer.
int32_t TargetShipY()
{
    if (g_Boss.nBossEnergy < JAW_HURTS_BELOW && g_Boss.nBossLives > 0)
        return ShipYFor(g_Boss.nJawY + JAW_MIDDLE_BELOW_JAW);
    const int32_t nHead = ShipYFor(HEAD_MIDDLE_Y), nLower = ShipYFor(LOWER_MIDDLE_Y);
    return std::abs(g_Boss.nShipY - nHead) < std::abs(g_Boss.nShipY - nLower) ? nHead : nLower;
}

// True when a boss shot would hit a ship at nShipY as it crosses the ship's column.
bool InDanger(int32_t nShipY)
{
    for (const BossShot& S : g_Boss.BossShots) {
        if (!S.bActive || S.x < 0)
            continue;
        const int32_t nFrames = S.x > SHIP_FRONT_X ? (S.x - SHIP_FRONT_X) / SHOT_SPEED : 0;
        if (nFrames > LOOK_AHEAD_FRAMES)
            continue;
        const int32_t y = S.y + S.nStepY * nFrames;
        if (y + SHOT_HEIGHT + SAFETY > nShipY && y - SAFETY < nShipY + SHIP_HEIGHT)
            return true;
    }
    return false;
}

// The safe height nearest the target, searched outward from it.
int32_t SafeShipY(int32_t nTarget)
{
    for (int32_t nOffset = 0; nOffset <= BOSS_SHIP_BOTTOM_Y; nOffset += SEARCH_STEP)
        for (int32_t y : {nTarget - nOffset, nTarget + nOffset}) {
            const int32_t nClamped = Korvid.Clamp(y, BOSS_SHIP_TOP_Y, BOSS_SHIP_BOTTOM_Y);
            if (!InDanger(nClamped))
                return nClamped;
        }
    return nTarget;
}

}  // namespace

void DemoFlyShip(uint64_t nFrame)
{
    const int32_t nTarget = Korvid.Clamp(TargetShipY(), BOSS_SHIP_TOP_Y, BOSS_SHIP_BOTTOM_Y);
    const int32_t nWanted = SafeShipY(nTarget);
    const int32_t nStep = Korvid.Clamp(nWanted - g_Boss.nShipY, -HAND_SPEED, HAND_SPEED);
    const int32_t nPointerY = g_Boss.nShipY + nStep;
    Korvid.SetMousePosition(Korvid.MouseX(), nPointerY, false, false);
    if (g_Boss.nShipCooldown == 0 && std::abs(g_Boss.nShipY - nTarget) <= ALIGNED && nFrame % DEMO_FIRE_EVERY_FRAMES == 0)
        Korvid.SimulateClick(KOR_BUTTON_RIGHT, (uint16_t)Korvid.MouseX(), (uint16_t)nPointerY);
}
