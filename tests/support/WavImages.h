// Helpers for the audio tests: WAV images made in memory, files, sox, and a
// fixture with the mixer open on the virtual clock.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "korvid.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

namespace wavtest {

using Bytes = std::vector<uint8_t>;

inline void PutLE16(Bytes& Out, uint32_t n)
{
    Out.push_back((uint8_t)n);
    Out.push_back((uint8_t)(n >> 8));
}

inline void PutLE32(Bytes& Out, uint32_t n)
{
    PutLE16(Out, n & 0xFFFF);
    PutLE16(Out, n >> 16);
}

inline void PutText(Bytes& Out, const char* szText) { Out.insert(Out.end(), szText, szText + strlen(szText)); }

// A canonical PCM image: 44-byte header and the given sample bytes.
inline Bytes PcmWav(uint16_t nChannels, uint32_t nRate, uint16_t nBits, const Bytes& Data)
{
    Bytes Out;
    PutText(Out, "RIFF");
    PutLE32(Out, (uint32_t)Data.size() + 36);
    PutText(Out, "WAVEfmt ");
    PutLE32(Out, 16);
    PutLE16(Out, 1);
    PutLE16(Out, nChannels);
    PutLE32(Out, nRate);
    PutLE32(Out, nRate * nChannels * (nBits / 8));
    PutLE16(Out, nChannels * (nBits / 8));
    PutLE16(Out, nBits);
    PutText(Out, "data");
    PutLE32(Out, (uint32_t)Data.size());
    Out.insert(Out.end(), Data.begin(), Data.end());
    return Out;
}

inline Bytes Samples16(const std::vector<int16_t>& Samples)
{
    Bytes Out;
    for (int16_t n : Samples)
        PutLE16(Out, (uint16_t)n);
    return Out;
}

inline std::vector<int16_t> ToSamples16(const uint8_t* p, size_t nBytes)
{
    std::vector<int16_t> Out(nBytes / 2);
    for (size_t n = 0; n < Out.size(); ++n)
        Out[n] = (int16_t)(p[2 * n] | p[2 * n + 1] << 8);
    return Out;
}

using ::ReadFileBytes;
using ::WriteFileBytes;

// Runs sox with the arguments; the peer every WAV test measures against.
inline bool RunSox(const std::string& Arguments)
{
    return std::system(("sox " + Arguments + " 2>/dev/null").c_str()) == 0;
}

// The samples of the slot's mixer-ready image (after its 44-byte header).
inline std::vector<int16_t> MixerSamples(uint32_t nId)
{
    const KorvidSoundSlot* pSlot = Korvid.SoundSlot(nId);
    if (!pSlot || !pSlot->pWavImage)
        return {};
    return ToSamples16(pSlot->pWavImage + 44, pSlot->Format.nDataSize);
}

// Log on, virtual clock installed, mixer open on the dummy driver.
class AudioFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        Korvid.PrepareMainThread();
        Korvid.StartLog();
        Korvid.SoundInit();
        ASSERT_TRUE(Korvid.IsSoundOn()) << "the dummy audio driver opens the mixer";
    }
    void TearDown() override { Korvid.SoundShutDown(); }

    // Decodes a copy of the image that the memory manager owns, as LoadSound does.
    bool DecodeOwned(uint32_t nId, const Bytes& Image)
    {
        void* pCopy = Korvid.AllocMemory((uint32_t)Image.size());
        memcpy(pCopy, Image.data(), Image.size());
        return Korvid.DecodeWAV(nId, pCopy, (uint32_t)Image.size(), true);
    }

    VirtualClockPlatform m_Platform;
};

}  // namespace wavtest
