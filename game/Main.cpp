// The process entry of tamborel2: answers --help, --version and bad options
// before the engine opens a screen, then hands over to the engine.
#include "CommandLine.h"
#include "korvid.h"

int main(int nArgs, char** ppArgs)
{
    GameCommandLine Line = GameParseCommandLine(nArgs - 1, ppArgs + 1);
    int nStatus = GameAnswerCommandLine(Line);
    if (nStatus >= 0)
        return nStatus;
    return Korvid.Main(nArgs, ppArgs);
}
