// Shared by the forge tests: steps run inside a tiny headless engine in a scratch
// folder, their pictures read back through the engine's own loader, and what a
// step wrote compared with the build's data set.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Forge.h"
#include "korvid.h"
#include "sheets.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"

// A picture as the game loads it: RGB565 pixels, 0 the transparent key. Outside
// the picture reads as transparent, so checks of a missing picture fail, not crash.
struct Picture16 {
    int nWidth = 0, nHeight = 0;
    std::vector<uint16_t> Pixels;
    std::vector<uint8_t> Opacity;   // from NAME_a.kvp, when loaded with its mask

    uint16_t At(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < nWidth && y < nHeight ? Pixels[y * nWidth + x] : 0;
    }
    bool Opaque(int x, int y) const { return At(x, y) != 0; }
    // Drawn even where the game ignores the mask: at least half opaque.
    bool Solid(int x, int y) const { return Opaque(x, y) && (Opacity.empty() || Opacity[y * nWidth + x] >= 128); }
    KorvidRGB Rgb(int x, int y) const { return KorvidConvert::Unpack565(At(x, y)); }
    // Brightness 0..1 as the eye weighs the colours.
    float Light(int x, int y) const { return (0.3f * Rgb(x, y).r + 0.59f * Rgb(x, y).g + 0.11f * Rgb(x, y).b) / 255; }
};

// Loads "gfx/NAME.kvp" of the current folder, and its mask's opacity when asked;
// call while the engine runs.
inline Picture16 LoadPicture(const std::string& Name, bool bMask = false)
{
    Picture16 Picture;
    if (!Korvid.LoadChunky(1, ("gfx/" + Name + ".kvp").c_str(), KOR_LOAD_DEPTH16)) {
        ADD_FAILURE() << "gfx/" << Name << ".kvp does not load";
        return Picture;
    }
    const ChunkyObject* pChunky = Korvid.ChunkyRecord(1);
    Picture.nWidth = pChunky->nWidth, Picture.nHeight = pChunky->nHeight;
    Picture.Pixels.assign(pChunky->Pixels16(), pChunky->Pixels16() + Picture.nWidth * Picture.nHeight);
    Korvid.FreeChunky(1);
    if (bMask && Korvid.LoadChunky(2, ("gfx/" + Name + "_a.kvp").c_str(), KOR_LOAD_DEPTH16) &&
        Korvid.GrabChunky(2, 2, 0, 0, (uint16_t)Picture.nWidth, (uint16_t)Picture.nHeight,
                          KOR_GRAB_ALPHAONLY | KOR_GRAB_NOTRIM, 0, 0) && Korvid.ChunkyRecord(2)->pAlpha)
        Picture.Opacity.assign(Korvid.ChunkyRecord(2)->pAlpha, Korvid.ChunkyRecord(2)->pAlpha + Picture.Pixels.size());
    EXPECT_EQ(Picture.Opacity.empty(), !bMask) << Name << "_a gives no opacity";
    Korvid.FreeChunky(2);
    return Picture;
}

struct AreaStats {
    int nPixels = 0, nOpaque = 0, nSolid = 0;
    int nBright = 0;              // opaque pixels whose Light() reaches the threshold
    float fBrightest = 0;         // the highest Light() of an opaque pixel
    float fMeanLight = 0;         // Light() of the opaque pixels summed, divided by all pixels
    double Mean[3] = {0, 0, 0};   // red, green, blue of the opaque pixels
};

// A rectangle the game draws lies inside its picture.
inline void ExpectInside(const Picture16& Picture, const SheetRect& R)
{
    EXPECT_TRUE(R.x >= 0 && R.y >= 0 && R.w > 0 && R.h > 0 && R.Right() <= Picture.nWidth &&
                R.Bottom() <= Picture.nHeight)
        << R.x << "," << R.y << " " << R.w << " x " << R.h << " is not inside the picture";
}

inline AreaStats Measure(const Picture16& Picture, const SheetRect& Area, float fBright = 0.6f)
{
    ExpectInside(Picture, Area);
    AreaStats Stats;
    for (int y = Area.y; y < Area.Bottom(); ++y)
        for (int x = Area.x; x < Area.Right(); ++x, ++Stats.nPixels) {
            if (!Picture.Opaque(x, y))
                continue;
            float fLight = Picture.Light(x, y);
            KorvidRGB c = Picture.Rgb(x, y);
            ++Stats.nOpaque, Stats.nSolid += Picture.Solid(x, y), Stats.nBright += fLight >= fBright;
            Stats.fMeanLight += fLight;
            Stats.fBrightest = std::max(Stats.fBrightest, fLight);
            Stats.Mean[0] += c.r, Stats.Mean[1] += c.g, Stats.Mean[2] += c.b;
        }
    Stats.fMeanLight /= std::max(Stats.nPixels, 1);
    for (double& fMean : Stats.Mean)
        fMean /= std::max(Stats.nOpaque, 1);
    return Stats;
}

// How many pixels differ between two rectangles of the same size (of one picture or two).
inline int Differences(const Picture16& A, const SheetRect& RectA, const Picture16& B, const SheetRect& RectB)
{
    ExpectInside(A, RectA);
    ExpectInside(B, RectB);
    int nDiffering = 0;
    for (int y = 0; y < RectA.h; ++y)
        for (int x = 0; x < RectA.w; ++x)
            nDiffering += A.At(RectA.x + x, RectA.y + y) != B.At(RectB.x + x, RectB.y + y);
    return nDiffering;
}

// Compares every file of the data-set folders below Root with the build's copy,
// byte for byte: a step writes the same bytes on every run. Returns the count.
inline size_t ExpectSameAsDataSet(const std::string& Root = ".")
{
    size_t nCompared = 0;
    std::error_code Missing;   // a folder the step does not write
    for (const char* szFolder : {"gfx", "sound", "levels", "userlevels"})
        for (const auto& Entry : std::filesystem::recursive_directory_iterator(Root + "/" + szFolder, Missing))
            if (Entry.is_regular_file()) {
                std::string Relative = std::filesystem::relative(Entry.path(), Root).string();
                EXPECT_TRUE(ReadFileBytes(Entry.path()) == ReadFileBytes(TAMBOREL_DATA_SET "/" + Relative))
                    << Relative << " differs from the build's data set";
                ++nCompared;
            }
    return nCompared;
}

// The engine headless with a small 16-bit display, in a scratch folder that is the data set.
class ForgeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        g_TestApp.Config = [] {
            Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
            Korvid.ChangeDisplayMode(64, 64, 16, KOR_WINDOWED);
        };
    }

    void RunInEngine(const std::function<void(const ForgeContext&)>& Body)
    {
        g_TestApp.Setup = [&] {
            Body(ForgeContext{".", "", ""});
            return true;
        };
        EXPECT_EQ(Korvid.Main(0, nullptr), 0);
    }

    // Runs one family of sheets, compares what it wrote with the data set and
    // keeps the sheets (with their masks) in m_Sheets.
    void ForgeAndLoad(bool (*pForge)(const ForgeContext&), const std::vector<SheetSize>& Sizes)
    {
        RunInEngine([&](const ForgeContext& Context) {
            ASSERT_TRUE(pForge(Context));
            size_t nFiles = 0;
            for (const SheetSize& Size : Sizes) {
                m_Sheets[Size.szName] = LoadPicture(Size.szName, Size.bMask);
                nFiles += Size.bMask ? 2 : 1;
            }
            EXPECT_EQ(ExpectSameAsDataSet(), nFiles);
        });
    }

    std::map<std::string, Picture16> m_Sheets;
};
