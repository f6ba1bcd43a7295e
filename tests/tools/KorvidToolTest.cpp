// The korvid tool run as a person runs it, its results judged by sox, ImageMagick and zlib.
#include <gtest/gtest.h>

#include <algorithm>

#include <zlib.h>

#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/ToolRun.h"

namespace {

ToolRun RunKorvid(const std::string& Arguments) { return RunProgram(KORVID_TOOL, Arguments); }

int Shell(const std::string& Command) { return system((Command + " >/dev/null 2>&1").c_str()); }

// A picture's pixels as ImageMagick decodes them: 8-bit red, green, blue.
std::string MagickRgb(const std::string& Path) { return RunProgram("convert", "'" + Path + "' -depth 8 rgb:-").Out; }

bool StartsWith(const std::string& Text, const std::string& Start) { return Text.rfind(Start, 0) == 0; }

TEST(KorvidTool, HelpAnswersAndMistakesGiveOneLine)
{
    EnterScratchDirectory();
    ToolRun Help = RunKorvid("--help");
    EXPECT_TRUE(Help.nStatus == 0 && Help.Out.find("korvid kar pack") != std::string::npos) << Help.Out;
    EXPECT_EQ(RunKorvid("kar explode x"), (ToolRun{1, "korvid: unknown command 'kar explode' (see korvid --help)\n"}));
    EXPECT_EQ(RunKorvid("kar extract only-one"), (ToolRun{1, "korvid: usage: korvid kar extract FILE DIR\n"}));
    EXPECT_FALSE(PathExists("debug.log")) << "the tool leaves no log beside the user's files";
}

TEST(KorvidTool, SoundsPackListAndExtractUnchangedAndDamagedOnesFailWithTheirReason)
{
    EnterScratchDirectory();
    ASSERT_EQ(Shell("mkdir in out odd && sox -n -r 22050 -b 16 in/b.wav synth 0.2 sine 440 && "
                    "sox -n -r 11025 -b 8 in/a.wav synth 0.1 sine 220 && "
                    "sox -n -r 22050 -e ms-adpcm in/c.wav synth 0.3 sine 330 && echo not a sound > in/notes.txt && "
                    "echo text > odd/fake.wav"),
              0);
    EXPECT_EQ(RunKorvid("kar pack in sounds.kar"), (ToolRun{0, "3 sounds packed into sounds.kar\n"}));
    ToolRun List = RunKorvid("kar list sounds.kar");
    EXPECT_EQ(List.nStatus, 0);
    EXPECT_TRUE(StartsWith(List.Out, "3 sounds, ")) << List.Out;
    size_t nA = List.Out.find("a.wav"), nB = List.Out.find("b.wav"), nC = List.Out.find("c.wav");
    EXPECT_TRUE(nA < nB && nB < nC && nC != std::string::npos) << "sorted by name: " << List.Out;
    EXPECT_EQ(RunKorvid("kar extract sounds.kar out").nStatus, 0);
    for (const char* szName : {"a.wav", "b.wav", "c.wav"})
        EXPECT_EQ(ReadFileText(std::string("out/") + szName), ReadFileText(std::string("in/") + szName)) << szName;

    WriteFileText("broken.kar", std::string("\x00\x00\x00\x02\x00\x00\x10\x00", 8));
    WriteFileText("noise.wav", "RIFF....WAVEnothing here");
    for (auto [szArguments, szStart] : {std::pair{"kar list broken.kar", "korvid: 'broken.kar': "},
                                        {"wav decode noise.wav out.wav", "korvid: 'noise.wav': "}}) {
        ToolRun Broken = RunKorvid(szArguments);
        EXPECT_EQ(Broken.nStatus, 1) << szArguments;
        EXPECT_TRUE(StartsWith(Broken.Out, szStart)) << Broken.Out;
        EXPECT_EQ(std::count(Broken.Out.begin(), Broken.Out.end(), '\n'), 1) << Broken.Out;
    }
    EXPECT_FALSE(PathExists("out.wav"));
    EXPECT_EQ(RunKorvid("kar pack odd odd.kar").nStatus, 1);
}

TEST(KorvidTool, WavDecodeGivesTheSamplesSoxDecodes)
{
    EnterScratchDirectory();
    // Two channels of ADPCM; sox decodes both, the game mixes them down to their truncated mean.
    ASSERT_EQ(Shell("sox -n -r 22050 -c 2 -e ms-adpcm stereo.wav synth 0.25 sine 300 sine 500 && "
                    "sox stereo.wav -t raw -e signed -b 16 both.raw"),
              0);
    ToolRun Decode = RunKorvid("wav decode stereo.wav mixer.wav");
    ASSERT_EQ(Decode.nStatus, 0) << Decode.Out;
    std::vector<uint8_t> Mixer = ReadFileBytes("mixer.wav"), Both = ReadFileBytes("both.raw");
    ASSERT_GT(Mixer.size(), 44u);
    EXPECT_EQ(std::string(Mixer.begin(), Mixer.begin() + 4), "RIFF");
    ASSERT_EQ(Mixer.size() - 44, Both.size() / 2);
    auto Sample = [](const std::vector<uint8_t>& Bytes, size_t nAt) {
        return (int16_t)(Bytes[nAt] | Bytes[nAt + 1] << 8);
    };
    for (size_t n = 0; n < Both.size() / 4; ++n)
        ASSERT_EQ(Sample(Mixer, 44 + 2 * n), (Sample(Both, 4 * n) + Sample(Both, 4 * n + 2)) / 2) << "sample " << n;
}

TEST(KorvidTool, PicturesConvertBetweenTheEngineFormatsAndPng)
{
    EnterScratchDirectory();
    ASSERT_EQ(Shell("convert -size 40x30 gradient:'rgb(250,20,10)-rgb(10,40,240)' -type truecolor in.bmp"), 0);
    EXPECT_EQ(RunKorvid("image info in.bmp"), (ToolRun{0, "in.bmp: 40 x 30, 24 bits per pixel, hot spot 0,0\n"}));
    // True colour through the engine's own KVP and out as PNG: every pixel as it came in.
    ASSERT_EQ(RunKorvid("image convert in.bmp mid.kvp").nStatus, 0);
    ASSERT_EQ(RunKorvid("image convert mid.kvp out.png").nStatus, 0);
    std::string In = MagickRgb("in.bmp");
    ASSERT_EQ(In.size(), 40u * 30u * 3u);
    EXPECT_EQ(MagickRgb("out.png"), In);
    // Down to a palette: a TGA of 8 bits that ImageMagick reads with the same size.
    ASSERT_EQ(RunKorvid("image convert in.bmp small.tga --depth 8").nStatus, 0);
    EXPECT_EQ(RunKorvid("image info small.tga"), (ToolRun{0, "small.tga: 40 x 30, 8 bits per pixel, hot spot 0,0\n"}));
    EXPECT_EQ(MagickRgb("small.tga").size(), In.size());

    EXPECT_EQ(RunKorvid("image convert in.bmp out.gif"),
              (ToolRun{1, "korvid: 'out.gif': pictures are written as .kvp, .tga, .bmp or .png\n"}));
    EXPECT_EQ(RunKorvid("image convert in.bmp out.png --depth 12").nStatus, 1);
    WriteFileText("fake.kvp", "not a picture");
    ToolRun Fake = RunKorvid("image info fake.kvp");
    EXPECT_EQ(Fake.nStatus, 1);
    EXPECT_TRUE(StartsWith(Fake.Out, "korvid: 'fake.kvp': ")) << Fake.Out;
}

void PutBE(std::string& Out, uint32_t nValue, int nBytes)
{
    for (int nShift = (nBytes - 1) * 8; nShift >= 0; nShift -= 8)
        Out.push_back((char)(nValue >> nShift));
}

// A silent 16 x 8 movie of three zlib key frames; frame n is palette index n + 1
// everywhere, and the palette makes index k the grey 40 k.
std::string ThreeFrameMovie()
{
    std::string Movie = "KORA\x01";
    PutBE(Movie, 3, 2);
    PutBE(Movie, 40, 4);
    PutBE(Movie, 16, 2);
    PutBE(Movie, 8, 2);
    Movie += "NONE";
    for (int nFrame = 0; nFrame < 3; ++nFrame) {
        Movie += "CMAP";
        for (int k = 0; k < 256; ++k)
            Movie.append(3, (char)(k < 6 ? 40 * k : 200));
        std::vector<uint8_t> Picture(16 * 8, (uint8_t)(nFrame + 1)), Packed(compressBound(Picture.size()));
        uLongf nPacked = Packed.size();
        compress2(Packed.data(), &nPacked, Picture.data(), Picture.size(), 9);
        Movie += "FRAM\x02";   // a Z-block key frame
        PutBE(Movie, (uint32_t)nPacked, 4);
        Movie.append((const char*)Packed.data(), nPacked);
    }
    return Movie;
}

TEST(KorvidTool, MoviesTellWhatTheyHoldAndGiveUpEveryFrame)
{
    EnterScratchDirectory();
    WriteFileText("clip.kva", ThreeFrameMovie());
    EXPECT_EQ(RunKorvid("movie info clip.kva"), (ToolRun{0, "clip.kva: 3 frames of 16 x 8, 40 ms each, silent\n"}));
    ASSERT_EQ(Shell("mkdir frames"), 0);
    EXPECT_EQ(RunKorvid("movie frames clip.kva frames"), (ToolRun{0, "3 frames written to frames\n"}));
    for (int nFrame = 0; nFrame < 3; ++nFrame)
        EXPECT_EQ(MagickRgb("frames/frame000" + std::to_string(nFrame) + ".png"),
                  std::string(16 * 8 * 3, (char)(40 * (nFrame + 1))));

    std::string Cut = ThreeFrameMovie();
    WriteFileText("cut.kva", Cut.substr(0, Cut.size() - 20));
    ToolRun Broken = RunKorvid("movie frames cut.kva frames");
    EXPECT_EQ(Broken.nStatus, 1);
    EXPECT_TRUE(StartsWith(Broken.Out, "korvid: 'cut.kva' ends early: ")) << Broken.Out;
}

}  // namespace

// Pictures Pillow wrote (its TGA rows follow the origin it declares): red at the
// top left, blue under it, whatever the reader and the depth asked for.
TEST(KorvidTool, PicturesFromEveryReaderComeOutUprightAtEveryDepth)
{
    EnterScratchDirectory();
    if (Shell("/usr/bin/python3 -c 'import PIL'") != 0)
        GTEST_SKIP() << "Pillow is not installed (scripts/bootstrap installs python3-pil)";
    ASSERT_EQ(Shell("/usr/bin/python3 -c \"from PIL import Image\n"
                    "im = Image.new('RGB', (4, 3), (0, 0, 255)); im.putpixel((0, 0), (255, 0, 0))\n"
                    "im.save('rgb.tga'); im.save('top.tga', orientation=1); im.convert('RGBA').save('rgba.tga')\n"
                    "im.save('rgb.bmp'); p = im.quantize(4); p.save('pal.tga'); p.save('pal.bmp'); p.save('pal.pcx')\""),
              0);
    for (const char* szIn : {"rgb.tga", "top.tga", "rgba.tga", "rgb.bmp", "pal.tga", "pal.bmp", "pal.pcx"})
        for (const char* szDepth : {"", " --depth 24", " --depth 16"}) {
            const std::string Case = std::string(szIn) + szDepth;
            ASSERT_EQ(RunKorvid("image convert " + std::string(szIn) + " out.png" + szDepth).nStatus, 0) << Case;
            const std::string Rgb = MagickRgb("out.png");
            ASSERT_EQ(Rgb.size(), 4u * 3u * 3u) << Case;
            const uint8_t nTopRed = Rgb[0], nTopBlue = Rgb[2], nUnderRed = Rgb[12], nUnderBlue = Rgb[14];
            EXPECT_TRUE(nTopRed > 200 && nTopBlue < 50 && nUnderRed < 50 && nUnderBlue > 200) << Case;
        }
}
