// Helpers for the audio tests: WAV images made in memory, files, sox, and a
// fixture with the mixer open on the virtual clock.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "korvid.h"
#include "support/Bytes.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

namespace wavtest {

// A canonical PCM image: 44-byte header and the given sample bytes.
inline Bytes PcmWav(uint16_t nChannels, uint32_t nRate, uint16_t nBits, const Bytes& Data)
{
    const uint32_t nFrameBytes = nChannels * (nBits / 8);
    Bytes Out = {'R', 'I', 'F', 'F'};
    Append(Out, LE({{Data.size() + 36, 4}}));
    AppendText(Out, "WAVEfmt ");
    Append(Out, LE({{16, 4}, {1, 2}, {nChannels, 2}, {nRate, 4}, {nRate * nFrameBytes, 4}, {nFrameBytes, 2},
                    {nBits, 2}}));
    AppendText(Out, "data");
    Append(Out, LE({{Data.size(), 4}}));
    Append(Out, Data);
    return Out;
}

inline Bytes Samples16(const std::vector<int16_t>& Samples)
{
    Bytes Out;
    for (int16_t n : Samples)
        Append(Out, LE({{(uint16_t)n, 2}}));
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
