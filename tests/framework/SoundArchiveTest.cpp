// The sound archive: lookup by name, images found by offset, damaged archives.
#include <SDL/SDL_mixer.h>

#include <memory>

#include "SoundArchive.h"
#include "support/WavImages.h"

namespace {

using namespace wavtest;

void PutBE32(Bytes& Out, uint32_t n)
{
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        Out.push_back((uint8_t)(n >> nShift));
}

struct DirEntry {
    uint32_t nSize;
    uint32_t nOffset;
    std::string Name;
    bool bTerminated = true;
};

Bytes ArchiveBytes(const std::vector<DirEntry>& Directory, const Bytes& Data, uint32_t nCount = UINT32_MAX)
{
    Bytes Out;
    PutBE32(Out, nCount == UINT32_MAX ? (uint32_t)Directory.size() : nCount);
    for (const DirEntry& Entry : Directory) {
        PutBE32(Out, Entry.nSize);
        PutBE32(Out, Entry.nOffset);
        AppendText(Out, Entry.Name.c_str());
        if (Entry.bTerminated)
            Out.push_back(0);
    }
    Out.insert(Out.end(), Data.begin(), Data.end());
    return Out;
}

Bytes Tone(uint32_t nSeconds, int16_t nValue)
{
    return PcmWav(1, 22050, 16, Samples16(std::vector<int16_t>(22050 * nSeconds, nValue)));
}

// An archive of two tones stored in reverse order: b.wav first in the data block.
Bytes TwoTones()
{
    Bytes A = Tone(1, 0x0101), B = Tone(2, 0x0202), Data = B;
    Data.insert(Data.end(), A.begin(), A.end());
    return ArchiveBytes({{(uint32_t)A.size(), (uint32_t)B.size(), "a.wav"}, {(uint32_t)B.size(), 0, "b.wav"}}, Data);
}

class SoundArchive : public AudioFixture {
protected:
    void SetUp() override
    {
        AudioFixture::SetUp();
        m_pPack = std::make_unique<SoundPack>();
    }

    // Writes the archive and opens it into the pack.
    void Open(const Bytes& Archive)
    {
        WriteFileBytes("sounds.kar", Archive);
        OpenSoundPack(*m_pPack, "sounds.kar");
    }

    std::unique_ptr<SoundPack> m_pPack;
};

TEST_F(SoundArchive, ImagesAreFoundByTheirOffsetsNamesMatchExactlyAndOneImageFillsTwoSlots)
{
    Open(TwoTones());
    ASSERT_EQ(m_pPack->nEntries, 2u);
    Bytes Stored(m_pPack->pData, m_pPack->pData + m_pPack->nDataSize);
    ASSERT_TRUE(LoadPackSound(*m_pPack, 1, "a.wav"));
    ASSERT_TRUE(LoadPackSound(*m_pPack, 2, "b.wav"));
    ASSERT_TRUE(LoadPackSound(*m_pPack, 5, "a.wav"));
    EXPECT_EQ(MixerSamples(1), std::vector<int16_t>(22050, 0x0101));
    EXPECT_EQ(MixerSamples(2), std::vector<int16_t>(44100, 0x0202));
    EXPECT_EQ(Korvid.GetSoundPlayTime(2), 2000u);
    EXPECT_TRUE(Korvid.PlaySound(1, 0, 100) && Korvid.PlaySound(5, 0, 100));
    EXPECT_EQ(Mix_Playing(-1), 2);
    EXPECT_EQ(Bytes(m_pPack->pData, m_pPack->pData + m_pPack->nDataSize), Stored)
        << "the archive's images stay as read";
    for (const char* szName : {"A.wav", "c.wav", "a.wa"}) {
        EXPECT_FALSE(LoadPackSound(*m_pPack, 3, szName)) << szName;
        EXPECT_EQ(LogMessages().back(), std::string("WARNING: ** Failed to find Sound '") + szName + "' **");
    }
    // A file that cannot be opened leaves the pack as it was.
    OpenSoundPack(*m_pPack, "nothing-here.kar");
    EXPECT_EQ(LogMessages().back(), "Error Opening Archive File 'nothing-here.kar'");
    EXPECT_TRUE(LoadPackSound(*m_pPack, 6, "a.wav"));
}

TEST_F(SoundArchive, TheFirstOfTwoEqualNamesWinsAndADamagedImageFailsOnlyItsOwnLoad)
{
    Bytes First = Tone(1, 11), Second = Tone(1, 22), Data = First;
    Data.insert(Data.end(), Second.begin(), Second.end());
    Data.insert(Data.end(), 60, 0x33);
    uint32_t nSize = (uint32_t)First.size();
    std::string Longest(63, 'n');
    Open(ArchiveBytes({{nSize, nSize, Longest}, {nSize, 0, Longest}, {60, 2 * nSize, "bad.wav"}}, Data));
    ASSERT_TRUE(LoadPackSound(*m_pPack, 4, Longest.c_str())) << "63 characters is the longest name";
    EXPECT_EQ(MixerSamples(4), std::vector<int16_t>(22050, 22));
    EXPECT_FALSE(LoadPackSound(*m_pPack, 1, "bad.wav"));
    EXPECT_TRUE(LoadPackSound(*m_pPack, 2, Longest.c_str()));
}

TEST_F(SoundArchive, DamagedArchivesAreRefusedAndLeaveThePackEmpty)
{
    Bytes Image = Tone(1, 5), TwoImages = Image;
    uint32_t nSize = (uint32_t)Image.size();
    TwoImages.insert(TwoImages.end(), Image.begin(), Image.end());
    Bytes Truncated = ArchiveBytes({{nSize, 0, "a.wav"}}, Image);
    Truncated.pop_back();
    const std::pair<Bytes, const char*> DAMAGED[] = {
        {ArchiveBytes(std::vector<DirEntry>(251, {0, 0, "x"}), {}), "251 Entries, At Most 250"},
        {ArchiveBytes({{nSize, 0, std::string(64, 'n')}}, Image), "Name of Entry 0 Longer Than 63 Characters"},
        {ArchiveBytes({{nSize, 0, "a.wav"}, {0, 0, "b.w", false}}, {}), "Name of Entry 1 Not Terminated"},
        {ArchiveBytes({}, {}, 2), "Name of Entry 0 Not Terminated"},   // the directory cut short
        {Truncated, "Data Block of 44144 Bytes Runs Past End of File"},
        {ArchiveBytes({{0xFFFFFFF0, 0, "a.wav"}, {0x20, 0, "b.wav"}}, Image),
         "Data Block of 4294967312 Bytes Runs Past End of File"},
        {ArchiveBytes({{nSize, 0, "a.wav"}, {nSize, nSize + 1, "b.wav"}}, TwoImages),
         "Entry 'b.wav' (Offset 44145, Size 44144) Outside Data Block of 88288 Bytes"},
        {ArchiveBytes({{nSize, 0, "a.wav"}, {nSize, 0xFFFFFF00, "b.wav"}}, TwoImages),
         "Entry 'b.wav' (Offset 4294967040, Size 44144) Outside Data Block of 88288 Bytes"},
        {ArchiveBytes({{nSize, 100, "b.wav"}, {nSize, 0, "a.wav"}}, TwoImages), "Entries 'a.wav' and 'b.wav' Overlap"},
    };
    uint32_t nBlocksBefore = Korvid.MemoryCounters().nUserBlocks;
    for (const auto& [Archive, szReason] : DAMAGED) {
        Open(TwoTones());
        ASSERT_EQ(m_pPack->nEntries, 2u);
        Open(Archive);
        EXPECT_EQ(LogMessages().back(), std::string("Error Archive File 'sounds.kar' - ") + szReason);
        EXPECT_EQ(m_pPack->nEntries, 0u) << szReason;
        EXPECT_EQ(m_pPack->pData, nullptr) << szReason;
        EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore) << szReason << ": old and new data released";
        EXPECT_FALSE(LoadPackSound(*m_pPack, 1, "a.wav")) << szReason;
    }
}

}  // namespace
