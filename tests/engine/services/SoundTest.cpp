// The sound slots on the virtual clock and the dummy audio driver: playing,
// stopping, volume, status and play times, loading and freeing; and where
// start-up, the message loop and shutdown bring audio up and down.
#include <SDL/SDL_mixer.h>

#include "ServiceTest.h"
#include "support/WavImages.h"

namespace {

using wavtest::AudioFixture;
using wavtest::PcmWav;

// Silence of whole seconds at 22050 Hz, 16-bit mono.
Bytes Seconds(uint32_t nSeconds) { return PcmWav(1, 22050, 16, Bytes(44100 * nSeconds, 0)); }

using SoundTable = AudioFixture;

TEST_F(SoundTable, VolumeIsScaledByTheSinglePrecisionFactorAndTruncated)
{
    ASSERT_TRUE(DecodeOwned(3, Seconds(1)));
    const std::pair<int16_t, int> Cases[] = {{100, 127}, {50, 63}, {79, 101}, {1, 1}, {0, 0}, {101, 128}, {-5, 0}};
    for (const auto& [nVolume, nMixerVolume] : Cases) {
        EXPECT_TRUE(Korvid.SetSoundVolume(3, nVolume));
        EXPECT_EQ(Korvid.SoundSlot(3)->nMixerVolume, nMixerVolume) << "volume " << nVolume;
    }
    ASSERT_TRUE(Korvid.PlaySound(3, 0, 79));
    EXPECT_EQ(Mix_Volume(Korvid.SoundSlot(3)->nChannel, -1), 101) << "the playing channel got it";
    EXPECT_FALSE(Korvid.SetSoundVolume(4, 50)) << "no sound in slot 4";
}

TEST_F(SoundTable, StatusFollowsThePlayTimeTheLoopMarkAndSoundOff)
{
    ASSERT_TRUE(DecodeOwned(3, Seconds(2)));
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_IDLE);
    ASSERT_TRUE(Korvid.PlaySound(3, 0, 100));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"Sound: 3    Length: 2000", "End Of Playsound"}));
    m_Platform.Advance(1999);
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_PLAYING);
    m_Platform.Advance(1);
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_IDLE);
    ASSERT_TRUE(Korvid.PlaySound(3, KOR_SOUND_LOOP, 100));
    m_Platform.Advance(5000);
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_LOOPING) << "even after the sound has ended";
    Korvid.StopSound(3);
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_IDLE);
    ASSERT_TRUE(Korvid.PlaySound(3, KOR_SOUND_LOOP | KOR_SOUND_NOLOOP, 100));
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_PLAYING) << "flag 2 clears what flag 1 set";
    Korvid.StopSound(3);
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_IDLE) << "stopping ends the play time";

    ASSERT_TRUE(Korvid.PlaySound(3, 0, 100));
    m_Platform.Advance(500);
    Korvid.WhilePlaying(3);   // waits out the rest
    EXPECT_EQ(m_Platform.m_nDelayed, 1500u);
    EXPECT_EQ(LogMessages().back(), "WhilePlaying(3) - Pause 1.500");
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_IDLE);
    Korvid.WhilePlaying(3);
    EXPECT_EQ(m_Platform.m_nDelayed, 1500u) << "not playing: no wait";

    ASSERT_TRUE(Korvid.PlaySound(3, 0, 100));
    Korvid.SoundOff();
    EXPECT_FALSE(Korvid.IsSoundOn());
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_UNAVAILABLE);
    EXPECT_EQ(Mix_Playing(-1), 0) << "what played was stopped";
    Korvid.SoundOn();
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_IDLE) << "the sound stayed loaded";
}

TEST_F(SoundTable, UnavailableSlotsAreLeftAlone)
{
    size_t nLines = LogMessages().size();
    EXPECT_TRUE(Korvid.PlaySound(200, 0, 100));
    EXPECT_TRUE(Korvid.PlaySound(5, 0, 100)) << "nothing loaded there";
    EXPECT_EQ(LogMessages().size(), nLines) << "not even End Of Playsound";
    EXPECT_EQ(Korvid.SoundStatus(200), KOR_SOUND_UNAVAILABLE);
    EXPECT_EQ(Korvid.SoundStatus(5), KOR_SOUND_UNAVAILABLE);
    EXPECT_EQ(Korvid.GetSoundPlayTime(5), 0u);
    Korvid.StopSound(200);
    Korvid.FreeSound(200);
    Korvid.WhilePlaying(200);
    EXPECT_EQ(m_Platform.m_nDelayed, 0u);
}

TEST_F(SoundTable, SoundsTakeTheHighestIdleChannelAndStopOnlyTheirOwn)
{
    ASSERT_TRUE(DecodeOwned(1, Seconds(10)) && DecodeOwned(2, Seconds(10)));
    ASSERT_TRUE(Korvid.PlaySound(1, 0, 100) && Korvid.PlaySound(2, 0, 100));
    EXPECT_EQ(Korvid.SoundSlot(1)->nChannel, 7);
    EXPECT_EQ(Korvid.SoundSlot(2)->nChannel, 6);
    ASSERT_TRUE(Korvid.PlaySound(1, 0, 100));
    EXPECT_EQ(Korvid.SoundSlot(1)->nChannel, 7) << "a replayed sound stops first and frees its channel";
    Korvid.StopSound(2);
    Mix_HaltChannel(7);   // sound 1 ends on its own
    ASSERT_TRUE(Korvid.PlaySound(2, 0, 100));
    ASSERT_EQ(Korvid.SoundSlot(2)->nChannel, 7);
    Korvid.StopSound(1);
    EXPECT_EQ(Mix_Playing(7), 1) << "sound 2 plays on";
}

TEST_F(SoundTable, LoadingAndFreeingGiveBackTheSlotAndItsMemory)
{
    WriteFileBytes("beep.wav", Seconds(1));
    WriteFileBytes("broken.wav", Bytes(20, 1));
    uint32_t nBlocksBefore = Korvid.MemoryCounters().nUserBlocks;
    Korvid.SetTraceMask(KOR_TRACE_VERBOSE);
    ASSERT_TRUE(Korvid.LoadSound(0, "beep.wav"));
    EXPECT_STREQ(Korvid.SoundSlot(0)->szFileName, "beep.wav");
    ASSERT_TRUE(DecodeOwned(1, Seconds(1)));
    EXPECT_EQ(Korvid.FindFreeSoundSlot(), 2);
    EXPECT_GT(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore + 1);
    EXPECT_FALSE(Korvid.LoadSound(3, "missing.wav"));
    EXPECT_FALSE(Korvid.LoadSound(3, "broken.wav"));
    EXPECT_FALSE(Korvid.LoadSound(200, "missing.wav"));
    EXPECT_EQ(Korvid.SoundSlot(3)->szFileName, nullptr);
    Korvid.FreeSound(0);
    EXPECT_EQ(Korvid.FindFreeSoundSlot(), 0);
    Korvid.FreeAllSounds();
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore) << "file images, names and mixer images";
    for (uint32_t nId = 0; nId < 200; ++nId)
        ASSERT_TRUE(DecodeOwned(nId, PcmWav(1, 22050, 8, Bytes(8, 0x80))));
    EXPECT_EQ(Korvid.SoundSlotCount(), 200u);
    EXPECT_EQ(Korvid.FindFreeSoundSlot(), -1);
}

TEST_F(SoundTable, ZeroChannelsWithdrawTheRequestAndShutDownFreesEverything)
{
    uint32_t nBlocksBefore = Korvid.MemoryCounters().nUserBlocks;
    ASSERT_TRUE(DecodeOwned(3, Seconds(2)));
    ASSERT_TRUE(Korvid.PlaySound(3, 0, 100));
    Korvid.SetAudioFormat(0, 4, 44100);
    EXPECT_FALSE(Korvid.m_Config.bSoundRequested);
    EXPECT_EQ(Korvid.SoundStatus(3), KOR_SOUND_IDLE);
    EXPECT_EQ(Korvid.m_Config.nAudioRate, 44100);
    Korvid.SetAudioFormat(2, 8, 22050);
    EXPECT_TRUE(Korvid.m_Config.bSoundRequested);

    Korvid.SoundOff();
    Korvid.SoundShutDown();
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore) << "even sounds held while sound was off";
    Korvid.SoundOn();
    EXPECT_FALSE(Korvid.IsSoundOn()) << "no mixer to switch on";
    EXPECT_EQ(LogMessages().back(), "SoundShutDown()");
}

// Without a started mixer, loading succeeds without loading anything.
using SoundDisabled = ServiceTest;

TEST_F(SoundDisabled, LoadsAreAcceptedAndOwnedImagesReleased)
{
    WriteFileBytes("beep.wav", Seconds(1));
    uint32_t nBlocksBefore = Korvid.MemoryCounters().nUserBlocks;
    EXPECT_TRUE(Korvid.LoadSound(3, "beep.wav"));
    EXPECT_TRUE(Korvid.DecodeWAV(3, Korvid.AllocMemory(100), 100, true));
    EXPECT_EQ(Korvid.MemoryCounters().nUserBlocks, nBlocksBefore);
    EXPECT_FALSE(Korvid.IsSoundLoaded(3));
    EXPECT_TRUE(Korvid.PlaySound(3, 0, 100));
    EXPECT_EQ(Korvid.FindFreeSoundSlot(), 0);
    EXPECT_FALSE(Korvid.LoadSound(200, "beep.wav")) << "the range is checked all the same";
}

class AudioLifecycle : public ::testing::Test {
protected:
    // Init with the given audio format (channels, none: the default), two frames, and shutdown.
    void Run(int nChannels, int32_t nRate)
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        g_TestApp.Config = [nChannels, nRate] {
            Korvid.ChangeDisplayMode(320, 240, 16, KOR_WINDOWED);
            if (nChannels >= 0)
                Korvid.SetAudioFormat((uint8_t)nChannels, 8, nRate);
        };
        g_TestApp.Frame = [] {
            if (g_TestApp.nFrameCalls >= 2)
                Korvid.Quit();
        };
        ASSERT_TRUE(Korvid.Init());
        m_bSoundOnAfterInit = Korvid.IsSoundOn();
        Korvid.MessageLoop();
        EXPECT_FALSE(Korvid.IsSoundOn());
        EXPECT_EQ(g_TestApp.nFrameCalls, 2);
    }

    VirtualClockPlatform m_Platform;
    bool m_bSoundOnAfterInit = false;
};

TEST_F(AudioLifecycle, SoundStartsAfterTheHeapAndStopsAfterGraphics)
{
    g_TestApp.Setup = [] {
        WriteFileBytes("tune.wav", Seconds(1));
        return Korvid.LoadSound(0, "tune.wav") && Korvid.PlaySound(0, 0, 100);
    };
    Run(-1, 0);
    EXPECT_TRUE(m_bSoundOnAfterInit);
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"KorvidAudio::SoundInit()", "SDL: Requesting Audio 22050Hz, 1 Channels, Format 0x8010",
         "SDL: Got Audio Format 22050Hz, 1 Channels, Format 0x8010", "KorvidGFX::GFXInit()", "Setup Application",
         "Sound: 0    Length: 1000", "Start of Korvid OS Message Loop", "End of Korvid OS Message Loop",
         "Korvid ShutDown()", "GFXShutDown()", "SoundShutDown()", "All User/Private Memory accounted for"}));
}

TEST_F(AudioLifecycle, NoSoundIsStartedWhenNoneWasRequested)
{
    Run(0, 22050);
    EXPECT_FALSE(m_bSoundOnAfterInit);
    EXPECT_FALSE(LogHas("KorvidAudio::SoundInit()") || LogHas("SoundShutDown()"));
}

TEST_F(AudioLifecycle, AMixerThatWillNotOpenLeavesTheGameRunningSilently)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Run(1, 44100);
    EXPECT_FALSE(m_bSoundOnAfterInit);
    EXPECT_FALSE(LogHas("SoundShutDown()")) << "nothing to shut down";
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"SDL: Requesting Audio 22050Hz, 1 Channels, Format 0x8010",
                                                "ERROR: ** SoundInit() FAILED **", "KorvidGFX::GFXInit()",
                                                "Setup Complete <----------------------------------------->"}));
    EXPECT_TRUE(LogMentions({"ERROR: ** SDL Mix_OpenAudio(44100, 1, 512) - failed: "}));
}

}  // namespace
