// The game started for real on a scratch copy of the forged data set. Files the
// data set does not hold yet (pictures, movies, sounds still being made) are
// filled in with small stand-ins, so start-up can be driven end to end, and the
// logo movies are always short stand-ins; a test changes the copy (removes a
// picture, writes a settings file) before starting.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvid.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

namespace gametest {

using Bytes = std::vector<uint8_t>;

struct Rgb {
    uint8_t r, g, b;
};

// A stored 24-bit .kvp picture of one colour.
Bytes SolidKvp(uint16_t nWidth, uint16_t nHeight, Rgb Colour);
// A .kva movie of nFrames raw frames of nWidth x nHeight, nFrameTime ms each, no sound.
Bytes RawKva(uint16_t nWidth, uint16_t nHeight, int16_t nFrames, uint32_t nFrameTime);
// A short silent PCM image.
Bytes QuietWav();
// Every sound file name the game asks the archive for, music first.
std::vector<std::string> GameSoundNames();

class GameStart : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The copy's own path for a name relative to the game directory ("data/gfx/ende.kvp").
    std::string GamePath(const std::string& Name) const { return m_GameDir + "/" + Name; }
    void WriteSettings(const std::string& Text) { WriteFileText(GamePath("data/tamborel2.ini"), Text); }
    void RemoveFile(const std::string& Name);
    // Init with the given command-line arguments (after the program name).
    bool StartGame(const std::vector<std::string>& Args = {});
    void EndGame();

    VirtualClockPlatform m_Platform;
    std::string m_ScratchDir;
    std::string m_GameDir;   // holds "data"; TAMBOREL_DATA points here

private:
    void FillMissingFiles();
    std::vector<std::string> m_ArgStore;
    std::vector<char*> m_Args;
    bool m_bStarted = false;
};

}  // namespace gametest
