// The korvid tool run as a person runs it: exit status, output and the files it writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/wait.h>
#include <zlib.h>

#include "support/TestApp.h"
#include "support/ToolRun.h"

namespace {

ToolRun RunKorvid(const std::string& Arguments) { return RunProgram(KORVID_TOOL, Arguments); }

std::string Contents(const std::string& Path)
{
    std::ifstream File(Path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
}

int Shell(const std::string& Command) { return system((Command + " >/dev/null 2>&1").c_str()); }

TEST(KorvidTool, HelpListsEveryCommandAndMistakesGiveOneLine)
{
    EnterScratchDirectory();
    ToolRun Help = RunKorvid("--help");
    EXPECT_EQ(Help.nStatus, 0);
    for (const char* szCommand : {"korvid image info", "korvid image convert", "korvid movie info", "korvid movie frames",
                                  "korvid kar list", "korvid kar extract", "korvid kar pack", "korvid wav decode"})
        EXPECT_NE(Help.Out.find(szCommand), std::string::npos) << szCommand;

    ToolRun Unknown = RunKorvid("kar explode x");
    EXPECT_EQ(Unknown.nStatus, 1);
    EXPECT_EQ(Unknown.Out, "korvid: unknown command 'kar explode' (see korvid --help)\n");
    ToolRun Short = RunKorvid("kar extract only-one");
    EXPECT_EQ(Short.nStatus, 1);
    EXPECT_EQ(Short.Out, "korvid: usage: korvid kar extract FILE DIR\n");
    EXPECT_FALSE(std::ifstream("debug.log").good());   // the tool leaves no log beside the user's files
}

TEST(KorvidTool, SoundsPackListAndExtractUnchanged)
{
    EnterScratchDirectory();
    ASSERT_EQ(Shell("mkdir in out && sox -n -r 22050 -b 16 in/b.wav synth 0.2 sine 440 && "
                    "sox -n -r 11025 -b 8 in/a.wav synth 0.1 sine 220 && "
                    "sox -n -r 22050 -e ms-adpcm in/c.wav synth 0.3 sine 330 && echo not a sound > in/notes.txt"),
              0);
    ToolRun Pack = RunKorvid("kar pack in sounds.kar");
    EXPECT_EQ(Pack.nStatus, 0) << Pack.Out;
    EXPECT_EQ(Pack.Out, "3 sounds packed into sounds.kar\n");

    ToolRun List = RunKorvid("kar list sounds.kar");
    EXPECT_EQ(List.nStatus, 0);
    size_t nA = List.Out.find("a.wav"), nB = List.Out.find("b.wav"), nC = List.Out.find("c.wav");
    ASSERT_NE(nC, std::string::npos) << List.Out;
    EXPECT_TRUE(nA < nB && nB < nC);   // sorted by name
    EXPECT_EQ(List.Out.rfind("3 sounds, ", 0), 0u);

    EXPECT_EQ(RunKorvid("kar extract sounds.kar out").nStatus, 0);
    for (const char* szName : {"a.wav", "b.wav", "c.wav"})
        EXPECT_EQ(Contents(std::string("out/") + szName), Contents(std::string("in/") + szName)) << szName;
}

TEST(KorvidTool, ADamagedArchiveOrSoundFailsWithItsReason)
{
    EnterScratchDirectory();
    std::ofstream("broken.kar", std::ios::binary) << std::string("\x00\x00\x00\x02\x00\x00\x10\x00", 8);
    ToolRun Broken = RunKorvid("kar list broken.kar");
    EXPECT_EQ(Broken.nStatus, 1);
    EXPECT_EQ(Broken.Out.rfind("korvid: 'broken.kar': ", 0), 0u) << Broken.Out;
    EXPECT_EQ(std::count(Broken.Out.begin(), Broken.Out.end(), '\n'), 1);

    std::ofstream("noise.wav", std::ios::binary) << "RIFF....WAVEnothing here";
    ToolRun Noise = RunKorvid("wav decode noise.wav out.wav");
    EXPECT_EQ(Noise.nStatus, 1);
    EXPECT_EQ(Noise.Out.rfind("korvid: 'noise.wav': ", 0), 0u) << Noise.Out;
    EXPECT_FALSE(std::ifstream("out.wav").good());

    ASSERT_EQ(Shell("mkdir odd && echo text > odd/fake.wav"), 0);
    EXPECT_EQ(RunKorvid("kar pack odd odd.kar").nStatus, 1);
}

TEST(KorvidTool, WavDecodeGivesTheSamplesSoxDecodes)
{
    EnterScratchDirectory();
    // Two channels of ADPCM; sox decodes both, the game mixes them down to their
    // truncated mean.
    ASSERT_EQ(Shell("sox -n -r 22050 -c 2 -e ms-adpcm stereo.wav synth 0.25 sine 300 sine 500 && "
                    "sox stereo.wav -t raw -e signed -b 16 both.raw"),
              0);
    ToolRun Decode = RunKorvid("wav decode stereo.wav mixer.wav");
    ASSERT_EQ(Decode.nStatus, 0) << Decode.Out;
    std::string Mixer = Contents("mixer.wav"), Both = Contents("both.raw");
    ASSERT_GT(Mixer.size(), 44u);
    EXPECT_EQ(Mixer.substr(0, 4), "RIFF");
    ASSERT_EQ(Mixer.size() - 44, Both.size() / 2);
    for (size_t n = 0; n < Both.size() / 4; ++n) {
        int16_t Left = (int16_t)((uint8_t)Both[4 * n] | (uint8_t)Both[4 * n + 1] << 8);
        int16_t Right = (int16_t)((uint8_t)Both[4 * n + 2] | (uint8_t)Both[4 * n + 3] << 8);
        int16_t Mixed = (int16_t)((uint8_t)Mixer[44 + 2 * n] | (uint8_t)Mixer[45 + 2 * n] << 8);
        ASSERT_EQ(Mixed, (Left + Right) / 2) << "sample " << n;
    }
}

}  // namespace

namespace {

// A picture's pixels as ImageMagick decodes them: 8-bit red, green, blue.
std::string MagickRgb(const std::string& Path)
{
    std::string Bytes;
    FILE* pPipe = popen(("convert '" + Path + "' -depth 8 rgb:- 2>/dev/null").c_str(), "r");
    if (!pPipe)
        return Bytes;
    char Buffer[4096];
    for (size_t n; (n = fread(Buffer, 1, sizeof(Buffer), pPipe)) > 0;)
        Bytes.append(Buffer, n);
    pclose(pPipe);
    return Bytes;
}

TEST(KorvidTool, PicturesConvertBetweenTheEngineFormatsAndPng)
{
    EnterScratchDirectory();
    ASSERT_EQ(Shell("convert -size 40x30 gradient:'rgb(250,20,10)-rgb(10,40,240)' -type truecolor in.bmp"), 0);
    ToolRun Info = RunKorvid("image info in.bmp");
    EXPECT_EQ(Info.nStatus, 0);
    EXPECT_EQ(Info.Out, "in.bmp: 40 x 30, 24 bits per pixel, hot spot 0,0\n");

    // True colour through the engine's own KVP and out as PNG: every pixel as it came in.
    ASSERT_EQ(RunKorvid("image convert in.bmp mid.kvp").nStatus, 0);
    ASSERT_EQ(RunKorvid("image convert mid.kvp out.png").nStatus, 0);
    std::string In = MagickRgb("in.bmp");
    ASSERT_EQ(In.size(), 40u * 30u * 3u);
    EXPECT_EQ(MagickRgb("out.png"), In);

    // Down to a palette: a TGA of 8 bits that ImageMagick reads with the same size.
    ASSERT_EQ(RunKorvid("image convert in.bmp small.tga --depth 8").nStatus, 0);
    EXPECT_EQ(RunKorvid("image info small.tga").Out, "small.tga: 40 x 30, 8 bits per pixel, hot spot 0,0\n");
    EXPECT_EQ(MagickRgb("small.tga").size(), In.size());

    ToolRun Wrong = RunKorvid("image convert in.bmp out.gif");
    EXPECT_EQ(Wrong.nStatus, 1);
    EXPECT_EQ(Wrong.Out, "korvid: 'out.gif': pictures are written as .kvp, .tga, .bmp or .png\n");
    ToolRun Depth = RunKorvid("image convert in.bmp out.png --depth 12");
    EXPECT_EQ(Depth.nStatus, 1);
    std::ofstream("fake.kvp") << "not a picture";
    ToolRun Fake = RunKorvid("image info fake.kvp");
    EXPECT_EQ(Fake.nStatus, 1);
    EXPECT_EQ(Fake.Out.rfind("korvid: 'fake.kvp': ", 0), 0u) << Fake.Out;
}

}  // namespace

namespace {

void PutBE(std::string& Out, uint32_t nValue, int nBytes)
{
    for (int nShift = (nBytes - 1) * 8; nShift >= 0; nShift -= 8)
        Out.push_back((char)(nValue >> nShift));
}

// A silent 16 x 8 movie of three zlib key frames; frame n is palette index n + 1
// everywhere, and the palette makes index k the grey 40 k.
std::string ThreeFrameMovie()
{
    std::string Movie = "KORA";
    Movie.push_back(1);
    PutBE(Movie, 3, 2);
    PutBE(Movie, 40, 4);
    PutBE(Movie, 16, 2);
    PutBE(Movie, 8, 2);
    Movie += "NONE";
    for (int nFrame = 0; nFrame < 3; ++nFrame) {
        Movie += "CMAP";
        for (int k = 0; k < 256; ++k)
            Movie.append(3, (char)(k < 6 ? 40 * k : 200));
        std::vector<uint8_t> Picture(16 * 8, (uint8_t)(nFrame + 1));
        uLongf nPacked = compressBound(Picture.size());
        std::vector<uint8_t> Packed(nPacked);
        compress2(Packed.data(), &nPacked, Picture.data(), Picture.size(), 9);
        Movie += "FRAM";
        Movie.push_back(2);   // a Z-block key frame
        PutBE(Movie, (uint32_t)nPacked, 4);
        Movie.append((const char*)Packed.data(), nPacked);
    }
    return Movie;
}

TEST(KorvidTool, MoviesTellWhatTheyHoldAndGiveUpEveryFrame)
{
    EnterScratchDirectory();
    std::ofstream("clip.kva", std::ios::binary) << ThreeFrameMovie();
    ToolRun Info = RunKorvid("movie info clip.kva");
    EXPECT_EQ(Info.nStatus, 0) << Info.Out;
    EXPECT_EQ(Info.Out, "clip.kva: 3 frames of 16 x 8, 40 ms each, silent\n");

    ASSERT_EQ(Shell("mkdir frames"), 0);
    ToolRun Frames = RunKorvid("movie frames clip.kva frames");
    EXPECT_EQ(Frames.nStatus, 0) << Frames.Out;
    EXPECT_EQ(Frames.Out, "3 frames written to frames\n");
    for (int nFrame = 0; nFrame < 3; ++nFrame) {
        std::string Rgb = MagickRgb("frames/frame000" + std::to_string(nFrame) + ".png");
        ASSERT_EQ(Rgb.size(), 16u * 8u * 3u) << nFrame;
        EXPECT_EQ(Rgb, std::string(Rgb.size(), (char)(40 * (nFrame + 1)))) << nFrame;
    }

    std::string Cut = ThreeFrameMovie();
    std::ofstream("cut.kva", std::ios::binary) << Cut.substr(0, Cut.size() - 20);
    ToolRun Broken = RunKorvid("movie frames cut.kva frames");
    EXPECT_EQ(Broken.nStatus, 1);
    EXPECT_EQ(Broken.Out.rfind("korvid: 'cut.kva' ends early: ", 0), 0u) << Broken.Out;
}

}  // namespace
