// The process entry of tamborel2: answers --help, --version and bad options
// before the engine opens a screen, says so when there is no data set or no
// display to start with, then hands over to the engine; a demo
// prints its summary once the engine has ended, and says when it found the
// game stuck; a recording is saved and a replay says how it went.
#include "CommandLine.h"
#include "Demo.h"
#include "Replay.h"
#include "Setup.h"
#include "StartCheck.h"
#include "korvid.h"

int main(int nArgs, char** ppArgs)
{
    GameCommandLine Line = GameParseCommandLine(nArgs - 1, ppArgs + 1);
    int nStatus = GameAnswerCommandLine(Line);
    if (nStatus >= 0)
        return nStatus;
    Korvid.KeepProgramPath(ppArgs[0]);
    if (!GameReadyToStart(Line))
        return GAME_EXIT_START_FAILED;
    DemoPrepare(Line);
    nStatus = ReplayPrepare(Line);
    if (nStatus >= 0)
        return nStatus;
    nStatus = Korvid.Main(nArgs, ppArgs);
    if (!GameSetupDone()) {
        GameTellFailedStart();
        return GAME_EXIT_START_FAILED;
    }
    DemoPrintSummary();
    ReplayFinish();
    return ReplayExitStatus(DemoExitStatus(nStatus));
}
