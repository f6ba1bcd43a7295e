// Where start-up, the message loop and shutdown bring audio up and down.
#include "support/WavImages.h"

namespace {

using namespace wavtest;

class AudioLifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [this] {
            Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED);
            if (m_bWithoutSound)
                Korvid.SetAudioFormat(0, 8, 22050);
        };
        g_TestApp.Frame = [] {
            if (g_TestApp.nFrameCalls >= 2)
                Korvid.Quit();
        };
    }

    VirtualClockPlatform m_Platform;
    bool m_bWithoutSound = false;
};

TEST_F(AudioLifecycle, SoundStartsAfterTheHeapAndStopsAfterGraphics)
{
    g_TestApp.Setup = [] {
        WriteFileBytes("tune.wav", PcmWav(1, 22050, 16, Bytes(44100, 0)));
        return Korvid.LoadSound(0, "tune.wav") && Korvid.PlaySound(0, 0, 100);
    };
    ASSERT_TRUE(Korvid.Init());
    EXPECT_TRUE(Korvid.IsSoundOn());
    Korvid.MessageLoop();
    EXPECT_FALSE(Korvid.IsSoundOn());
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"KorvidAudio::SoundInit()", "SDL: Requesting Audio 22050Hz, 1 Channels, Format 0x8010",
         "SDL: Got Audio Format 22050Hz, 1 Channels, Format 0x8010", "KorvidGFX::GFXInit()", "Setup Application",
         "Sound: 0    Length: 1000", "Start of Korvid OS Message Loop", "End of Korvid OS Message Loop",
         "Korvid ShutDown()", "GFXShutDown()", "SoundShutDown()",
         "Korvid ShutDown <------------------------------------------------>",
         "All User/Private Memory accounted for"}));
}

TEST_F(AudioLifecycle, NoSoundIsStartedWhenNoneWasRequested)
{
    m_bWithoutSound = true;
    ASSERT_TRUE(Korvid.Init());
    EXPECT_FALSE(Korvid.IsSoundOn());
    Korvid.MessageLoop();
    std::vector<std::string> Log = LogMessages();
    EXPECT_EQ(IndexOf(Log, "KorvidAudio::SoundInit()"), -1);
    EXPECT_EQ(IndexOf(Log, "SoundShutDown()"), -1);
}

TEST_F(AudioLifecycle, AMixerThatWillNotOpenLeavesTheGameRunningSilently)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_TRUE(Korvid.Init());
    EXPECT_FALSE(Korvid.IsSoundOn());
    Korvid.MessageLoop();
    EXPECT_EQ(g_TestApp.nFrameCalls, 2);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** SoundInit() FAILED **", "KorvidGFX::GFXInit()",
                                                "Setup Complete <----------------------------------------->"}));
}

}  // namespace
