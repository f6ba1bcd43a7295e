// The editor's document: the user set read and saved back byte for byte, its
// edits undone and redone, the checks, and saves and reads that go wrong.
#include "game/GameFixture.h"

#include "EditorDocument.h"
#include "UserFiles.h"

namespace {

using namespace gametest;
namespace fs = std::filesystem;

using Problems = std::vector<EditorProblem>;
const std::string FORGED = std::string(TAMBOREL_DATA_SET) + "/";

// The forged user set in a scratch data folder, read into a document; the
// player's own folder is in the scratch too.
class EditorDocumentFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string Scratch = EnterScratchDirectory();
        Korvid.SetReadDir((Scratch + "/").c_str());
        Korvid.StartLog();
        fs::create_directory("data");
        fs::copy(FORGED + "userlevels", "data/userlevels");
        setenv("XDG_DATA_HOME", (Scratch + "/share").c_str(), 1);
        GameChooseUserFiles(false);
        Doc.Load();
    }
    // A file as the editor saved it into the player's folder.
    static std::string Saved(const std::string& Name) { return GameUserFiles().UserLevels + Name; }
    EditorDocument Doc;
};

// First: the engine keeps one log a process, in the first scratch folder; a damaged file loads empty.
TEST_F(EditorDocumentFiles, SavesGoToThePlayersFolderStopAtAFailureAndKeepTheOldFile)
{
    WriteFileBytes("data/userlevels/usrlev3.dat", Bytes(LEVEL_RECORD_BYTES + 1, 0));
    Doc.Load();
    EXPECT_EQ(Doc.DamagedFiles(), std::vector<int>{3});
    EXPECT_TRUE(LogStartsWith("** WARNING ** Editor: Level File 'data/userlevels/usrlev3.dat' Is Damaged (a level"));
    EXPECT_EQ(Doc.LevelAt(20).Cells, Level().Cells);
    const Bytes Shipped = ReadFileBytes("data/userlevels/usrlev1.dat");
    fs::create_directories(Saved("usrlev1.tmp"));   // in the way of the temporary file
    for (int nLevel : {5, 20, 30}) {
        Doc.SelectLevel(nLevel);
        Doc.SetBackground(7);
    }
    EditorSaveResult Result = Doc.Save();
    EXPECT_EQ(std::make_tuple(Result.bSaved, Result.nFilesWritten, Result.FailedFile),
              std::make_tuple(false, 0, Saved("usrlev1.dat")));
    EXPECT_TRUE(!PathExists(Saved("usrlev1.dat")) && !PathExists(Saved("usrlev4.dat")));
    fs::remove(Saved("usrlev1.tmp"));
    Result = Doc.Save();
    EXPECT_TRUE(Result.bSaved && Result.nFilesWritten == 6 && Doc.DamagedFiles().empty());
    EXPECT_EQ(ReadFileBytes("data/userlevels/usrlev1.dat"), Shipped);   // the data set is never written
    Doc.Place(4, 4, 497);
    EXPECT_TRUE(Doc.Save().bSaved);
    Doc.Load();   // the player's files are read before the data set's
    EXPECT_EQ(std::make_tuple(Doc.LevelAt(5).nBackground, Doc.LevelAt(30).nBackground,
                              Doc.LevelAt(30).Cells[LevelCellIndex(4, 4)]), std::make_tuple(7, 7, int16_t(497)));
}

TEST_F(EditorDocumentFiles, ShippedFilesSaveBackByteForByteAndAnEditIsUndoneAcrossLevels)
{
    const Bytes Shipped = ReadFileBytes("data/userlevels/usrlev1.dat");
    const Level First = Doc.LevelAt(0);
    ASSERT_TRUE(Doc.DamagedFiles().empty());
    Doc.Place(0, 0, Doc.Cell(0, 0) == 5 ? 6 : 5);
    const Level Placed = Doc.Current();
    EXPECT_EQ(Doc.Save().nFilesWritten, 2);
    EXPECT_NE(ReadFileBytes(Saved("usrlev1.dat")), Shipped);
    Doc.SelectLevel(-1);
    Doc.BeginStroke();   // one drag with a nested one inside it, and places that change nothing
    for (int nRow : {0, 17, 18, 17})
        Doc.Place(3, nRow, 180);
    Doc.BeginStroke();
    Doc.Fill({18, 20, 16, 15}, 340);
    Doc.EndStroke();
    Doc.EndStroke();
    Doc.Copy({16, 15, 18, 17});
    Doc.SelectLevel(0);
    Doc.Paste(17, 16);   // the top left corner of the copy lands on the field's last column and next-to-last row
    Doc.Mirror();
    EXPECT_EQ((std::vector<int>{Doc.Cell(1, 16), Doc.Cell(0, 17), Doc.Cell(1, 17), Doc.Cell(0, 15), Doc.Cell(17, 18)}),
              (std::vector<int>{340, 340, 340, First.Cells[LevelCellIndex(18, 15)], -1}));
    EXPECT_TRUE(Doc.Undo() && Doc.Undo() && Doc.CurrentLevel() == 0);
    EXPECT_EQ(Doc.Current().Cells, Placed.Cells);
    EXPECT_TRUE(Doc.Undo() && Doc.CurrentLevel() == 99 && Doc.Current().Cells == Level().Cells);
    EXPECT_TRUE(Doc.Redo() && Doc.Cell(17, 17) == 340 && Doc.Cell(3, 0) == 180);
    EXPECT_EQ(Doc.Cell(16, 20) + Doc.Cell(3, 18), -2);   // below the played rows
    EXPECT_TRUE(Doc.Undo() && Doc.Undo() && !Doc.CanUndo() && Doc.Modified());
    Doc.SetBackground(Doc.Current().nBackground);   // changes nothing: redo stays
    EXPECT_TRUE(Doc.CanRedo() && Doc.Save().nFilesWritten == 2 && !Doc.Modified());
    EXPECT_EQ(ReadFileBytes(Saved("usrlev1.dat")), Shipped);
    EXPECT_EQ(ReadFileBytes(Saved("usrlev1p.dat")), ReadFileBytes(FORGED + "userlevels/usrlev1p.dat"));
    EXPECT_TRUE(Doc.Redo() && Doc.Modified());
    Doc.ClearLevel();
    EXPECT_FALSE(Doc.CanRedo());
}

// A replay plays on copies: the levels the player saved are read, and an editor
// opened in the replay saves over the copies only.
TEST_F(EditorDocumentFiles, AReplaysCopiesKeepThePlayersSavedLevels)
{
    Doc.SetBackground(9);
    ASSERT_TRUE(Doc.Save().bSaved);
    const std::string Players = Saved("usrlev1p.dat");
    const Bytes Before = ReadFileBytes(Players);
    GameUseScratchFiles(fs::current_path().string() + "/replay/");
    Doc.Load();
    EXPECT_EQ(Doc.Current().nBackground, 9);
    Doc.SetBackground(3);
    EXPECT_TRUE(Doc.Save().bSaved && Saved("usrlev1p.dat") != Players);
    EXPECT_EQ(ReadFileBytes(Players), Before);
}

TEST(EditorDocumentChecks, FlagTheThreeProblemsInOrderAndNoneOnAShippedLevel)
{
    const std::vector<std::pair<std::vector<std::array<int, 3>>, Problems>> Cases = {
        {{}, {EditorProblem::NoDestructibleBrick}},
        {{{0, 18, 5}, {1, 1, 180}, {2, 2, 498}}, {EditorProblem::NoDestructibleBrick, EditorProblem::TeleporterAlone}},
        {{{0, 0, 240}, {1, 1, 497}, {2, 2, 497}, {3, 3, 498}}, {EditorProblem::TeleporterTwice}},
        {{{0, 0, 30}, {1, 1, 497}, {2, 2, 497}}, {EditorProblem::TeleporterAlone, EditorProblem::TeleporterTwice}},
        {{{0, 17, 343}, {1, 1, 497}, {2, 2, 498}}, {}},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(EditorCheck(MakeLevel(0, Case.first)), Case.second) << Case.first.size();
    size_t nChecked = 0;
    for (LevelSet Set : {LevelSet::Normal, LevelSet::Hard, LevelSet::User})
        for (int nFile = 1; PathExists(FORGED + LevelFileName(Set, nFile)); ++nFile) {
            LevelFileData File;
            int nDropped = 0;
            std::string Reason;
            ASSERT_TRUE(LevelDecodeFile(ReadFileBytes(FORGED + LevelFileName(Set, nFile)),
                                        ReadFileBytes(FORGED + LevelParamFileName(Set, nFile)), nFile, File, nDropped,
                                        Reason)) << Reason;
            for (const Level& Each : File.Levels)
                EXPECT_EQ(EditorCheck(Each), Problems()) << LevelFileName(Set, nFile);
            nChecked += File.Levels.size();
        }
    EXPECT_GE(nChecked, 2u * EDITOR_LEVELS);   // the normal and the hard set at least
}

}  // namespace
