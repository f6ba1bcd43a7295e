// The computer's serve: the ball waits on its paddle through a countdown of six
// seconds, shown on the field, a tick each second and "go" in the last, so the
// mouse player has time to get his paddle back under the play.
#include "ComputerPlayer.h"

#include "Balls.h"
#include "GameState.h"
#include "Sounds.h"

namespace {

constexpr int32_t SERVE_SECONDS = 6;
constexpr int TICK_SOUND = 8, TICK_VARIANT = 15;
constexpr int GO_SOUND = 10;

}  // namespace

void GameArmComputerServe()
{
    g_nComputerCountdown = SERVE_SECONDS;
    g_bComputerLaunchPending = 1;
}

void GameComputerServeTick()
{
    if (!g_bComputerLaunchPending || !g_bInGame || g_bHalted)
        return;
    if (g_nComputerCountdown <= 0) {
        g_bComputerLaunchPending = 0;
        GameComputerServe();
        return;
    }
    if (g_nComputerCountdown == 1)
        GamePlaySound(GO_SOUND, 0);
    else
        GamePlaySound(TICK_SOUND, TICK_VARIANT);
    g_nComputerCountdown--;
}
