// KorvidConfig: the engine's limits and the display, set before the engine starts.
#include "CommandLine.h"
#include "GameState.h"
#include "StartCheck.h"
#include "UserFiles.h"
#include "korvid.h"

void KorvidConfig()
{
    GameCommandLine Line = GameEngineCommandLine();
    GameChooseUserFiles(GameLocateData(Line) == KorvidDataPlace::BesideProgram);
    g_nChosenStartLevel = (int32_t)Line.nStartLevel - 1;
    Korvid.ChangeDisplayMode(800, 600, 16, Line.nWindowMode);
    Korvid.SetWindowScale(Line.nScale ? (int)Line.nScale : 1, Line.bSmooth);
    Korvid.SetFrameRate(50);
    Korvid.SetMaxChunkies(1000);
    Korvid.HidePointer();
    Korvid.SetFileCacheSize(0);
    Korvid.SetAppNames("Tamborel 2", "Tamborel2");
    Korvid.SetAudioFormat(2, 8, 22050);
    Korvid.RandomSeed((int32_t)Korvid.Timer());
}
