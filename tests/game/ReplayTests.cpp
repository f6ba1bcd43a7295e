// Recording games and playing them back through the real program.
#include "game/GameFixture.h"

#include <fstream>
#include <iterator>

#include "Keys.h"
#include "ReplayFormat.h"
#include "Version.h"

namespace {

using namespace gametest;

class Replay : public GameStart {
protected:
    // Records a chaotic demo from level 10 into "game.replay"; its summary line.
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
    Record("");
    ReplayFile Game = Read("game.replay");
    const std::vector<uint8_t> Whole = ReplayEncode(Game);
    Write("cut.replay", std::vector<uint8_t>(Whole.begin(), Whole.end() - 40));
    Write("garbage.replay", {'G', 'I', 'F', '8', '9', 'a'});
    Game.Header.GameVersion = "0.9";
    Write("old.replay", ReplayEncode(Game));
    Game.Header.GameVersion = GAME_VERSION;
    Game.Header.nFormat = 2;
    Write("future.replay", ReplayEncode(Game));
    Game.Header.nFormat = REPLAY_FORMAT_VERSION;
    Game.Header.DataDigest[0] ^= 1;
    Write("other-data.replay", ReplayEncode(Game));
    const std::pair<std::string, std::string> Cases[] = {
        {"cut", "replay: refused 'cut.replay': the file is damaged or cut short (its checksum does not match)\n"},
        {"garbage", "replay: refused 'garbage.replay': not a replay file\n"},
        {"old", "replay: refused 'old.replay': recorded by version 0.9, this is " + std::string(GAME_VERSION) + "\n"},
        {"future", "replay: refused 'future.replay': replay format 2, this game reads format 1\n"},
        {"other-data", "replay: refused: the replay was recorded on another data set\n"},
        {"missing", "replay: refused 'missing.replay': cannot read the file\n"}};
    for (const auto& [Name, Reason] : Cases) {
        RunResult Run = Play(Name + ".replay");
        EXPECT_EQ(Run.nStatus, 2) << Name;
        EXPECT_EQ(Run.Err.substr(Run.Err.find("replay: refused")), Reason) << Name;
    }
}

}  // namespace
