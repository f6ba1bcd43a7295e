// The sound archive, the movies and the level files of the forged data set, and
// the forge's promise to write the same bytes on every run.
#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "DataSetFixture.h"
#include "SoundArchive.h"
#include "support/TestFiles.h"

namespace {

// Every sound the game fetches from the archive, by name.
std::vector<std::string> GameSoundNames()
{
    std::vector<std::string> Names = {"beam.wav", "step1.wav", "step2.wav", "hangup.wav", "go.wav", "gameover.wav",
                                      "tipp.wav", "intro_96.wav", "ingame_96.wav"};
    auto AddRun = [&](const char* szPattern, int nLast) {
        for (int n = 1; n <= nLast; ++n) {
            char szName[32];
            snprintf(szName, sizeof(szName), szPattern, n);
            Names.push_back(szName);
        }
    };
    AddRun("explo%d.wav", 5);
    for (const char* szKind : {"stn%d.wav", "stb%d.wav", "stm%d.wav", "stbr%d.wav", "stg%d.wav", "sth%d.wav"})
        AddRun(szKind, 19);
    AddRun("boni%d.wav", 35);
    AddRun("schuss%d.wav", 5);
    AddRun("bande%d.wav", 3);
    return Names;
}

// Relative paths of every regular file below Folder (the forge's stamp left out).
void ListFiles(const std::string& Folder, const std::string& Prefix, std::vector<std::string>& Files)
{
    DIR* pDir = opendir(Folder.c_str());
    if (!pDir)
        return;
    while (dirent* pEntry = readdir(pDir)) {
        std::string Name = pEntry->d_name;
        if (Name == "." || Name == ".." || Name == ".forged")
            continue;
        struct stat Info;
        std::string Path = Folder + "/" + Name;
        if (stat(Path.c_str(), &Info) != 0)
            continue;
        if (S_ISDIR(Info.st_mode))
            ListFiles(Path, Prefix + Name + "/", Files);
        else
            Files.push_back(Prefix + Name);
    }
    closedir(pDir);
}

}  // namespace

TEST_F(DataSetTest, TheSoundArchiveHoldsEverySoundAndEachDecodes)
{
    WithEngine([] {
        static SoundPack Pack;
        OpenSoundPack(Pack, DataFile("sound/sounds.kar").c_str());
        std::vector<std::string> Names = GameSoundNames();
        EXPECT_EQ(Pack.nEntries, Names.size());
        for (const std::string& Name : Names) {
            EXPECT_TRUE(LoadPackSound(Pack, 1, Name.c_str())) << Name;
            Korvid.FreeSound(1);
        }
    });
}

TEST_F(DataSetTest, BothLogoMoviesOpenAsSmallPaletteMovies)
{
    WithEngine([] {
        for (const char* szMovie : {"gfx/ostra.kva", "gfx/velmora.kva"}) {
            // The game plays them on a 640 x 480, 8-bit chunky.
            ASSERT_TRUE(Korvid.InitChunky(2, 640, 480, 8));
            ASSERT_EQ(Korvid.OpenMovie(2, DataFile(szMovie).c_str(), 0xFFFF), 1) << szMovie;
            int32_t nMilliseconds = Korvid.MovieFrameCount() * Korvid.MovieFrameTime();
            EXPECT_GE(nMilliseconds, 1500) << szMovie;
            EXPECT_LE(nMilliseconds, 10000) << szMovie;
            Korvid.CloseMovie();
            Korvid.FreeChunky(2);
        }
    });
}

TEST_F(DataSetTest, EveryLevelFileAndParameterFileHasTenRecords)
{
    struct LevelSet {
        const char* szPattern;
        int nFiles;
    };
    for (const LevelSet& Set : {LevelSet{"levels/lv%d", 10}, LevelSet{"levels/swrlev%d", 10},
                                LevelSet{"userlevels/usrlev%d", 1}})
        for (int n = 1; n <= Set.nFiles; ++n) {
            char szBase[64];
            snprintf(szBase, sizeof(szBase), Set.szPattern, n);
            EXPECT_EQ(ReadFileBytes(DataFile(std::string(szBase) + ".dat")).size(), 7980u) << szBase;
            EXPECT_EQ(ReadFileBytes(DataFile(std::string(szBase) + "p.dat")).size(), 40u) << szBase;
        }
}

TEST_F(DataSetTest, ASecondForgeRunWritesTheSameBytes)
{
    // Into a folder with capitals in its path: the forge must not depend on them.
    std::string Again = "Again/Data";
    std::string Command = std::string(TAMBOREL_FORGE) + " " + Again + " >forge.out 2>&1";
    ASSERT_EQ(system(Command.c_str()), 0) << ReadFileText("forge.out");
    EXPECT_EQ(ReadFileText("forge.out").find("ERROR"), std::string::npos) << ReadFileText("forge.out");
    std::vector<std::string> Rebuilt;
    ListFiles(Again, "", Rebuilt);
    EXPECT_GT(Rebuilt.size(), 100u);
    for (const std::string& File : Rebuilt)
        EXPECT_TRUE(ReadFileBytes(Again + "/" + File) == ReadFileBytes(DataFile(File))) << File << " differs";
}
