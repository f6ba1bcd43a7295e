// Saving the high-score names: the list replaces "data/hs.dat" whole through a
// temporary file beside it; one left by a crash is cleaned up, and a save that
// cannot write leaves the old list in place and says so.
#include "game/GameFixture.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "HighScores.h"
#include "Keys.h"

namespace {

using gametest::GameStart;

constexpr const char* HS_TEMP = "data/hs.dat.tmp";

class HighScoreSave : public GameStart {
protected:
    void StartWithList()
    {
        std::filesystem::create_directories(GamePath("data"));
        WriteFileBytes(GamePath(HS_FILE), m_OldList);
        WriteSettings("[Tamborel2]\nH1=5000\nH2=4000\nH3=3000\nH4=2000\nH5=1000\n");
        ASSERT_TRUE(StartGame());
    }

    // A new best score named "C".
    void EnterName()
    {
        ASSERT_TRUE(HSInsert(9000));
        HSNameEntryKey(GAME_KEY_A + 2);
        HSNameEntryKey(GAME_KEY_RETURN);
    }

    static bool HasLine(const std::string& Line) { return IndexOf(LogMessages(), Line) >= 0; }

    std::vector<uint8_t> m_OldList = std::vector<uint8_t>(HS_FILE_BYTES, HS_NAME_END);
};

TEST_F(HighScoreSave, ATemporaryFileLeftByACrashIsRemovedAndTheNewListSaved)
{
    StartWithList();
    WriteFileText(GamePath(HS_TEMP), "the first half of a list");
    EnterName();
    std::vector<uint8_t> Saved = ReadFileBytes(GamePath(HS_FILE));
    ASSERT_EQ(Saved.size(), (size_t)HS_FILE_BYTES);
    EXPECT_EQ(Saved[0], 2);              // "C" at the top
    EXPECT_EQ(Saved[1], HS_NAME_END);
    EXPECT_FALSE(std::filesystem::exists(GamePath(HS_TEMP)));
    EXPECT_TRUE(HasLine("SaveWhole: Removed Temporary File 'data/hs.dat.tmp' Left By An Earlier Save"));
}

TEST_F(HighScoreSave, ASaveThatCannotWriteKeepsTheOldListAndSaysSo)
{
    StartWithList();
    // A folder where the temporary file has to go: neither removed nor written.
    ASSERT_EQ(mkdir(GamePath(HS_TEMP).c_str(), 0700), 0);
    EnterName();
    EXPECT_EQ(ReadFileBytes(GamePath(HS_FILE)), m_OldList);
    EXPECT_TRUE(HasLine("ERROR: ** SaveWhole - Can't Write 'data/hs.dat.tmp' (File exists), 'data/hs.dat' Kept **"));
    const std::string Warning = "** WARNING ** OldWinMain: Could Not Open 'data/hs.dat' To Write '";
    const std::vector<std::string> Lines = LogMessages();
    EXPECT_TRUE(std::any_of(Lines.begin(), Lines.end(),
                            [&](const std::string& Line) { return Line.rfind(Warning, 0) == 0; }));
}

}  // namespace
