#include "ReplayState.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "Balls.h"
#include "Bonuses.h"
#include "BossStage.h"
#include "Enemies.h"
#include "Field.h"
#include "GameState.h"
#include "Levels.h"
#include "Paddles.h"

namespace {

// The numbers the digest is taken over: where the game is, and everything that
// moves or counts in play.
std::vector<int32_t> PlayState()
{
    std::vector<int32_t> State = {g_nMenuScreen, g_bInGame,      g_bHalted,      g_nScoreEntry, g_nCurrentLevel,
                                  g_nMatchLevel, g_bBossStage,   g_nBricksLeft,  g_nScore[0],   g_nScore[1],
                                  g_nLives[0],   g_nLives[1],    g_bBallsLaunched, g_bTwoPlayers};
    for (const Ball& B : g_Balls)
        if (B.bActive)
            State.insert(State.end(), {B.x, B.y, B.dx, B.dy, B.nSpecial, B.nHeldBy});
    for (const Paddle& P : g_Paddles)
        State.insert(State.end(), {P.x, P.y, P.Width(), P.nLaserLevel, P.nMultiplier});
    for (const FallingBonus& F : g_Bonuses)
        if (F.bActive)
            State.insert(State.end(), {F.x, F.y, F.nType});
    for (const Enemy& E : g_Enemies)
        if (E.bActive)
            State.insert(State.end(), {E.x, E.y, E.nKind});
    if (g_bBossStage)
        State.insert(State.end(), {g_Boss.nBossEnergy, g_Boss.nBossLives, g_Boss.nPlayerEnergy, g_Boss.nShipY});
    return State;
}

int32_t BallsInPlay()
{
    int32_t nBalls = 0;
    for (const Ball& B : g_Balls)
        nBalls += B.bActive ? 1 : 0;
    return nBalls;
}

}  // namespace

ReplayCheckpoint ReplayTakeCheckpoint(uint32_t nFrame)
{
    const int nPlayer = LocalPlayer() - 1;
    ReplayCheckpoint C;
    C.nFrame = nFrame;
    C.nLevel = g_nCurrentLevel;
    C.nScore = g_nScore[nPlayer];
    C.nLives = g_nLives[nPlayer];
    C.nBalls = BallsInPlay();
    const std::vector<int32_t> State = PlayState();
    KorMD5 Md5;
    Md5.Update(reinterpret_cast<const uint8_t*>(State.data()), (uint32_t)(State.size() * sizeof(int32_t)));
    memcpy(C.StateDigest.data(), Md5.Digest(), C.StateDigest.size());
    return C;
}

std::string ReplayDescribe(const ReplayCheckpoint& C)
{
    char szText[96];
    snprintf(szText, sizeof(szText), "level=%d score=%d lives=%d balls=%d state=%02x%02x%02x%02x", (int)C.nLevel,
             (int)C.nScore, (int)C.nLives, (int)C.nBalls, C.StateDigest[0], C.StateDigest[1], C.StateDigest[2],
             C.StateDigest[3]);
    return szText;
}

bool ReplaySameCheckpoint(const ReplayCheckpoint& A, const ReplayCheckpoint& B)
{
    return A.nFrame == B.nFrame && A.nLevel == B.nLevel && A.nScore == B.nScore && A.nLives == B.nLives &&
           A.nBalls == B.nBalls && A.StateDigest == B.StateDigest;
}
