// Shared by the movie tests: the engine on a virtual clock with an 8-bit
// display, a walk over the records of a .kva file as bytes, and playing a movie
// through the engine's own player frame by frame.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "movie/KvaWriter.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "korvid.h"

namespace movietest {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t MOVIE_CHUNKY = 1;

inline uint32_t BE(const Bytes& Data, size_t nAt, int nBytes)
{
    uint32_t nValue = 0;
    for (int n = 0; n < nBytes; ++n)
        nValue = nValue << 8 | (nAt + n < Data.size() ? Data[nAt + n] : 0);
    return nValue;
}
inline std::string Tag(const Bytes& Data, size_t nAt)
{
    return nAt + 4 <= Data.size() ? std::string(Data.begin() + (long)nAt, Data.begin() + (long)nAt + 4) : "";
}

// What a .kva file holds, read straight from its bytes.
struct KvaLayout {
    int nFrames = 0, nFrameTime = 0, nWidth = 0, nHeight = 0;
    Bytes Sound;                       // the WAV image, empty without a sound track
    std::vector<bool> Palettes;        // per frame: a "CMAP" record came with it
    std::vector<int> Types;            // per frame: the frame type, -1 for a frame without a picture
    bool bWhole = false;               // every record was complete and nothing followed the last
};

inline KvaLayout ReadLayout(const Bytes& File)
{
    KvaLayout Layout;
    if (Tag(File, 0) != "KORA")
        return Layout;
    Layout.nFrames = (int16_t)BE(File, 5, 2);
    Layout.nFrameTime = (int)BE(File, 7, 4);
    Layout.nWidth = (int)BE(File, 11, 2);
    Layout.nHeight = (int)BE(File, 13, 2);
    size_t nAt = 19;
    if (Tag(File, 15) == "WAVE") {
        size_t nLength = BE(File, 19, 4);
        Layout.Sound.assign(File.begin() + 23, File.begin() + (long)std::min(File.size(), 23 + nLength));
        nAt = 23 + nLength;
    }
    for (int n = 0; n < Layout.nFrames && nAt + 8 <= File.size(); ++n) {
        bool bPalette = Tag(File, nAt) == "CMAP";
        Layout.Palettes.push_back(bPalette);
        nAt += bPalette ? 4 + 768 : 4;
        if (Tag(File, nAt) != "FRAM") {
            Layout.Types.push_back(-1);
            nAt += 4;
            continue;
        }
        Layout.Types.push_back(BE(File, nAt + 4, 1));
        nAt += 9 + BE(File, nAt + 5, 4);
    }
    Layout.bWhole = (int)Layout.Types.size() == Layout.nFrames && nAt == File.size();
    return Layout;
}

inline bool IsKeyType(int nType) { return nType == 2 || nType == 4 || nType == 6; }

// One frame as the player showed it.
struct ShownFrame {
    Bytes Pixels;        // the movie's picture, row-major
    KvaPalette Palette;  // the engine's palette after the frame
};

// The engine running on a virtual clock with an 8-bit display, as the game
// plays its movies.
class MovieEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [] { Korvid.ChangeDisplayMode(640, 480, 8, KOR_WINDOWED); };
        ASSERT_TRUE(Korvid.Init());
    }
    void TearDown() override
    {
        Korvid.CloseMovie();
        Korvid.ShutDown();
        Korvid.FinalShutDown();
    }

    // Plays the movie through the engine's player, one frame time per step, and
    // keeps every frame as it was shown. Empty when the movie does not open.
    std::vector<ShownFrame> Play(const std::string& Path)
    {
        std::vector<ShownFrame> Shown;
        if (Korvid.OpenMovie(MOVIE_CHUNKY, Path.c_str(), -1) != 1)
            return Shown;
        const ChunkyObject& Chunky = *Korvid.ExistingChunky(MOVIE_CHUNKY);
        int nGoesOn = 1;
        while (nGoesOn) {
            int16_t nFrame = Korvid.MovieFrame();
            nGoesOn = Korvid.UpdateMovie(0);
            if (nGoesOn && Korvid.MovieFrame() == nFrame) {
                m_Platform.Advance(1);   // not yet due
                continue;
            }
            ShownFrame Frame;
            for (int y = 0; y < Korvid.ChunkyHeight(MOVIE_CHUNKY); ++y)
                Frame.Pixels.insert(Frame.Pixels.end(), Chunky.pPixels + (size_t)y * Chunky.nWidth,
                                    Chunky.pPixels + (size_t)y * Chunky.nWidth + Korvid.ChunkyWidth(MOVIE_CHUNKY));
            for (int n = 0; n < 256; ++n) {
                Frame.Palette[n * 3] = Korvid.PaletteRed((uint8_t)n);
                Frame.Palette[n * 3 + 1] = Korvid.PaletteGreen((uint8_t)n);
                Frame.Palette[n * 3 + 2] = Korvid.PaletteBlue((uint8_t)n);
            }
            Shown.push_back(Frame);
        }
        return Shown;
    }

    VirtualClockPlatform m_Platform;
};

}  // namespace movietest
