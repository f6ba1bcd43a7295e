// Recording games and playing them back through the real program.
#include "game/GameFixture.h"

#include <fstream>
#include <iterator>

#include "GameState.h"
#include "Keys.h"
#include "Replay.h"
#include "ReplayFormat.h"
#include "Version.h"
#include "support/TestInput.h"

namespace {

using namespace gametest;

class Replay : public GameStart {
protected:
    // Records 20 s of a chaotic demo into "game.replay" (a later --demo=N sets
    // another length); its summary line.
    std::string Record(const std::string& Arguments)
    {
        RunResult Run = RunGame("", "--windowed --demo=20 --fast --chaos --seed=9 --record=game.replay " + Arguments);
        EXPECT_EQ(Run.nStatus, 0) << Run.Err;
        return Run.Out;
    }
    RunResult Play(const std::string& File) { return RunGame("", "--windowed --fast --replay=" + File); }
    ReplayFile Read(const std::string& File)
    {
        std::ifstream In(File, std::ios::binary);
        const std::vector<uint8_t> Bytes{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
        ReplayFile Game;
        std::string Problem;
        EXPECT_TRUE(ReplayDecode(Bytes.data(), Bytes.size(), Game, Problem)) << Problem;
        return Game;
    }
    void Write(const std::string& File, const std::vector<uint8_t>& Bytes)
    {
        std::ofstream(File, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), (long)Bytes.size());
    }
};

TEST_F(Replay, ARecordedChaoticDemoPlaysBackToTheSameEnd)
{
    Record("--level=10");
    const ReplayFile Game = Read("game.replay");
    ASSERT_GE(Game.Checkpoints.size(), 4u);   // every 5 s of game time and the end
    RunResult Run = Play("game.replay");
    EXPECT_EQ(Run.nStatus, 0) << Run.Out << Run.Err;
    EXPECT_EQ(Run.Out.rfind("replay: frames=" + std::to_string(Game.Frames.size()) + " levels=", 0), 0u) << Run.Out;
    EXPECT_NE(Run.Out.find(" ok\n"), std::string::npos) << Run.Out;
}

TEST_F(Replay, AnEditedKeyDivergesAtTheNextCheckpoint)
{
    Record("--level=10");
    ReplayFile Game = Read("game.replay");
    // Far into play, one Escape that was never pressed: the game is given up, or its pause ended.
    const size_t nEdited = Game.Checkpoints[1].nFrame + 1;
    Game.Frames[nEdited - 1].Key = {GAME_KEY_ESCAPE, 1, KOR_EVENT_RELEASE, 0, 0, 0};
    Write("edited.replay", ReplayEncode(Game));
    RunResult Run = Play("edited.replay");
    EXPECT_EQ(Run.nStatus, 4);
    const std::string Where = "replay: diverged at frame " + std::to_string(Game.Checkpoints[2].nFrame) + ": expected ";
    EXPECT_EQ(Run.Out.rfind(Where, 0), 0u) << Run.Out;
}

TEST_F(Replay, FilesThisGameCannotPlayAreRefusedWithTheirReason)
{
    Record("--demo=5");
    ReplayFile Game = Read("game.replay");
    const std::vector<uint8_t> Whole = ReplayEncode(Game);
    Write("cut.replay", std::vector<uint8_t>(Whole.begin(), Whole.end() - 40));
    Write("garbage.replay", {'G', 'I', 'F', '8', '9', 'a'});
    Game.Header.GameVersion = "0.9";
    Write("old.replay", ReplayEncode(Game));
    Game.Header.GameVersion = GAME_VERSION;
    Game.Header.nFormat = REPLAY_FORMAT_VERSION + 1;
    Write("future.replay", ReplayEncode(Game));
    Game.Header.nFormat = REPLAY_FORMAT_VERSION;
    Game.Header.DataDigest[0] ^= 1;
    Write("other-data.replay", ReplayEncode(Game));
    const std::pair<std::string, std::string> Cases[] = {
        {"cut", "replay: refused 'cut.replay': the file is damaged or cut short (its checksum does not match)\n"},
        {"garbage", "replay: refused 'garbage.replay': not a replay file\n"},
        {"old", "replay: refused 'old.replay': recorded by version 0.9, this is " + std::string(GAME_VERSION) + "\n"},
        {"future", "replay: refused 'future.replay': replay format 3, this game reads format 2\n"},
        {"other-data", "replay: refused: the replay was recorded on another data set\n"},
        {"missing", "replay: refused 'missing.replay': cannot read the file\n"}};
    for (const auto& [Name, Reason] : Cases) {
        RunResult Run = Play(Name + ".replay");
        EXPECT_EQ(Run.nStatus, 2) << Name;
        EXPECT_EQ(Run.Err.substr(Run.Err.find("replay: refused")), Reason) << Name;
    }
}

// With user levels on, the user set as the game reads it belongs to the data
// set: levels a player saved over it make another game.
TEST_F(Replay, WithUserLevelsOnTheLevelsAPlayerSavedAreChecked)
{
    WriteSettings("[Tamborel2]\nUL=1\n");
    Record("--demo=5");
    const std::string Saved = m_ScratchDir + "/xdg-data/tamborel2/userlevels/";
    std::filesystem::create_directories(Saved);
    std::filesystem::copy_file(GamePath("data/userlevels/usrlev1p.dat"), Saved + "usrlev1p.dat");
    EXPECT_EQ(Play("game.replay").nStatus, 0);   // saved, but the same levels
    WriteFileBytes(Saved + "usrlev1p.dat", Bytes(40, 0));
    RunResult Run = Play("game.replay");
    EXPECT_EQ(Run.nStatus, 2);
    EXPECT_NE(Run.Err.find("the replay was recorded on another data set"), std::string::npos) << Run.Err;
}

// Played here on the virtual clock in frames of uneven length, steered with held
// keys: the fast replay of the file ends the same, and without the keys it does not.
TEST_F(Replay, AKeyboardGameOfUnevenFramesReplaysFastToTheSameEnd)
{
    GameCommandLine Line;
    Line.RecordFile = "keys.replay";
    Line.bSeedGiven = true;
    ASSERT_EQ(ReplayPrepare(Line), -1);
    Start();
    constexpr uint32_t LENGTHS[] = {20, 7, 33, 12, 41, 16, 25};
    const std::pair<int, SDLKey> KEYS[] = {{0, SDLK_F11}, {60, SDLK_RIGHT}, {90, SDLK_SPACE}, {140, SDLK_a},
                                           {200, SDLK_LEFT}, {260, SDLK_d}, {330, SDLK_RIGHT}, {485, SDLK_LEFT}};
    for (int nFrame = 0, nKey = 0; nFrame < 500; ++nFrame) {
        if (nKey < (int)std::size(KEYS) && KEYS[nKey].first == nFrame)
            InjectKeyDown(KEYS[nKey].second);
        // Each key is held for 25 frames; the last one still at the end, where the final checkpoint is.
        if (nKey < (int)std::size(KEYS) && KEYS[nKey].first + 25 == nFrame)
            InjectKeyUp(KEYS[nKey++].second);
        PumpAllEvents();
        m_Platform.Advance(LENGTHS[nFrame % std::size(LENGTHS)]);
        KorvidMain();
    }
    ASSERT_TRUE(g_bInGame);
    ReplayFinish();
    ReplayFile Game = Read("keys.replay");
    RunResult Run = Play("keys.replay");
    EXPECT_EQ(Run.nStatus, 0) << Run.Out << Run.Err;
    EXPECT_EQ(Run.Out.rfind("replay: frames=500 ", 0), 0u) << Run.Out;
    for (ReplayFrame& F : Game.Frames)
        F.SteerKeyDown = {};
    Write("unsteered.replay", ReplayEncode(Game));
    EXPECT_EQ(Play("unsteered.replay").nStatus, 4);
}

// Short games kept with the tests: play that changes on purpose re-records them (README).
// Recorded after the logo movies, they play here without them: how long the start-up
// took is no part of the game.
TEST_F(Replay, KeptGamesReplayToTheirRecordedEnd)
{
    for (const char* szMovie : {"data/gfx/ostra.kva", "data/gfx/velmora.kva"})
        RemoveFile(szMovie);
    for (const char* szName : {"seed6-boss", "seed7-chaos", "seed2-match"}) {
        RunResult Run = Play(std::string(TAMBOREL_REPLAYS) + "/" + szName + ".replay");
        EXPECT_EQ(Run.nStatus, 0) << szName << ": " << Run.Out << Run.Err;
        EXPECT_NE(Run.Out.find(" ok\n"), std::string::npos) << szName << ": " << Run.Out;
    }
}

}  // namespace
