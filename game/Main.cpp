// The process entry of tamborel2: answers --help, --version and bad options
// before the engine opens a screen, then hands over to the engine; a demo
// prints its summary once the engine has ended, and says when it found the
// game stuck.
#include "CommandLine.h"
#include "Demo.h"
#include "korvid.h"

int main(int nArgs, char** ppArgs)
{
    GameCommandLine Line = GameParseCommandLine(nArgs - 1, ppArgs + 1);
    int nStatus = GameAnswerCommandLine(Line);
    if (nStatus >= 0)
        return nStatus;
    DemoPrepare(Line);
    nStatus = Korvid.Main(nArgs, ppArgs);
    DemoPrintSummary();
    return DemoExitStatus(nStatus);
}
