#include "game/GameFixture.h"

#include <cstdlib>
#include <filesystem>

#include "SoundArchiveWriter.h"
#include "support/WavImages.h"
#include "sheets.h"

namespace gametest {

namespace {

void PutBE16(Bytes& Out, uint32_t n)
{
    Out.push_back((uint8_t)(n >> 8));
    Out.push_back((uint8_t)n);
}
void PutBE32(Bytes& Out, uint32_t n)
{
    PutBE16(Out, n >> 16);
    PutBE16(Out, n & 0xFFFF);
}
void PutText(Bytes& Out, const char* sz) { Out.insert(Out.end(), sz, sz + strlen(sz)); }

constexpr uint16_t STAND_IN_SIDE = 16;

void WriteIfMissing(const std::string& Path, const Bytes& Bytes)
{
    if (PathExists(Path))
        return;
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path());
    WriteFileBytes(Path, Bytes);
}

}  // namespace

Bytes SolidKvp(uint16_t nWidth, uint16_t nHeight, Rgb Colour)
{
    Bytes Out;
    PutText(Out, "KVP1");
    Out.push_back(1);
    Out.push_back(0);
    PutBE16(Out, nWidth);
    PutBE16(Out, nHeight);
    Out.push_back(24);
    Out.push_back(0);
    PutBE32(Out, (uint32_t)nWidth * nHeight * 3);
    for (uint32_t n = 0; n < (uint32_t)nWidth * nHeight; ++n) {
        Out.push_back(Colour.r);
        Out.push_back(Colour.g);
        Out.push_back(Colour.b);
    }
    return Out;
}

Bytes RawKva(uint16_t nWidth, uint16_t nHeight, int16_t nFrames, uint32_t nFrameTime)
{
    Bytes Out;
    PutText(Out, "KORA");
    Out.push_back(1);
    PutBE16(Out, (uint16_t)nFrames);
    PutBE32(Out, nFrameTime);
    PutBE16(Out, nWidth);
    PutBE16(Out, nHeight);
    PutText(Out, "NONE");
    for (int16_t nFrame = 0; nFrame < nFrames; ++nFrame) {
        PutText(Out, "XXXX");
        PutText(Out, "FRAM");
        Out.push_back(0);   // raw delta: a changing stripe pattern
        PutBE32(Out, (uint32_t)nWidth * nHeight);
        for (uint32_t n = 0; n < (uint32_t)nWidth * nHeight; ++n)
            Out.push_back((uint8_t)((n + (uint32_t)nFrame) % 7 == 0));
    }
    return Out;
}

Bytes QuietWav() { return wavtest::PcmWav(1, 22050, 16, Bytes(400, 0)); }

std::vector<std::string> GameSoundNames()
{
    std::vector<std::string> Names = {"intro_96.wav", "ingame_96.wav", "beam.wav", "step1.wav", "step2.wav",
                                      "tipp.wav", "hangup.wav", "go.wav", "gameover.wav"};
    auto AddRun = [&Names](const char* szStem, int nCount) {
        for (int n = 1; n <= nCount; ++n)
            Names.push_back(szStem + std::to_string(n) + ".wav");
    };
    for (const char* szStem : {"stn", "stb", "stm", "stbr", "stg", "sth"})
        AddRun(szStem, 19);
    AddRun("explo", 5);
    AddRun("boni", 35);
    AddRun("schuss", 5);
    AddRun("bande", 3);
    return Names;
}

void GameStart::SetUp()
{
    m_ScratchDir = EnterScratchDirectory();
    m_GameDir = m_ScratchDir + "/game";
    std::filesystem::create_directories(m_GameDir);
    std::filesystem::copy(TAMBOREL_DATA_SET, m_GameDir + "/data", std::filesystem::copy_options::recursive);
    std::filesystem::remove(m_GameDir + "/data/tamborel2.ini");
    FillMissingFiles();
    setenv("TAMBOREL_DATA", m_GameDir.c_str(), 1);
    Korvid.SetPlatform(&m_Platform);
}

void GameStart::TearDown() { EndGame(); }

void GameStart::FillMissingFiles()
{
    const Rgb Grey = {128, 128, 128};
    for (const char* szScreen : {"m1", "m1_en", "spaceback", "m3_1"})
        WriteIfMissing(GamePath(std::string("data/gfx/") + szScreen + ".kvp"),
                       SolidKvp(STAND_IN_SIDE, STAND_IN_SIDE, Grey));
    for (const SheetSize& Sheet : Sheets::ALL_SHEETS) {
        std::string Stem = GamePath(std::string("data/gfx/") + Sheet.szName);
        WriteIfMissing(Stem + ".kvp", SolidKvp(STAND_IN_SIDE, STAND_IN_SIDE, Grey));
        if (Sheet.bMask)
            WriteIfMissing(Stem + "_a.kvp", SolidKvp(STAND_IN_SIDE, STAND_IN_SIDE, {255, 255, 255}));
    }
    // Short stand-ins replace the logo movies: presenting their eight seconds of
    // film was half the time of every start. The data tests play the real ones.
    for (const char* szMovie : {"ostra", "velmora"})
        WriteFileBytes(GamePath(std::string("data/gfx/") + szMovie + ".kva"), RawKva(32, 16, 10, 40));
    if (PathExists(GamePath("data/sound/sounds.kar")))
        return;
    std::vector<SoundArchiveEntry> Entries;
    for (const std::string& Name : GameSoundNames())
        Entries.push_back({Name, QuietWav()});
    std::string Error;
    Bytes Archive = BuildSoundArchive(Entries, Error);
    ASSERT_FALSE(Archive.empty()) << Error;
    WriteIfMissing(GamePath("data/sound/sounds.kar"), Archive);
}

void GameStart::RemoveFile(const std::string& Name) { std::filesystem::remove(GamePath(Name)); }

bool GameStart::StartGame(const std::vector<std::string>& Args)
{
    m_ArgStore = {"tamborel2"};
    m_ArgStore.insert(m_ArgStore.end(), Args.begin(), Args.end());
    m_Args.clear();
    for (std::string& Arg : m_ArgStore)
        m_Args.push_back(Arg.data());
    m_Args.push_back(nullptr);
    Korvid.SetArgs((int)m_ArgStore.size(), m_Args.data());
    m_bStarted = Korvid.Init();
    return m_bStarted;
}

void GameStart::EndGame()
{
    if (!m_bStarted)
        return;
    m_bStarted = false;
    Korvid.ShutDown();
    Korvid.FinalShutDown();
}

}  // namespace gametest
