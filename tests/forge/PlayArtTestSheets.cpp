// Forging and loading play sheets for their tests.
#include "PlayArtTestSheets.h"

#include <gtest/gtest.h>

#include "korvid.h"
#include "support/TestApp.h"

namespace {

constexpr uint32_t PICTURE = 1, MASK = 2;

LoadedSheet ReadSheet(const SheetSize& Size)
{
    LoadedSheet Sheet;
    std::string Path = std::string("gfx/") + Size.szName + ".kvp";
    if (!Korvid.LoadChunky(PICTURE, Path.c_str(), KOR_LOAD_DEPTH16)) {
        ADD_FAILURE() << Path << " does not load";
        return Sheet;
    }
    const ChunkyObject* pPicture = Korvid.ChunkyRecord(PICTURE);
    Sheet.nWidth = pPicture->nWidth;
    Sheet.nHeight = pPicture->nHeight;
    Sheet.Pixels.assign(pPicture->Pixels16(), pPicture->Pixels16() + (size_t)Sheet.nWidth * Sheet.nHeight);
    Korvid.FreeChunky(PICTURE);
    if (!Size.bMask)
        return Sheet;
    std::string MaskPath = std::string("gfx/") + Size.szName + "_a.kvp";
    if (!Korvid.LoadChunky(MASK, MaskPath.c_str(), KOR_LOAD_DEPTH16) ||
        !Korvid.GrabChunky(MASK, MASK, 0, 0, (uint16_t)Sheet.nWidth, (uint16_t)Sheet.nHeight,
                           KOR_GRAB_ALPHAONLY | KOR_GRAB_NOTRIM, 0, 0) ||
        !Korvid.ChunkyRecord(MASK)->pAlpha) {
        ADD_FAILURE() << MaskPath << " gives no opacity";
        return Sheet;
    }
    const uint8_t* pAlpha = Korvid.ChunkyRecord(MASK)->pAlpha;
    Sheet.Opacity.assign(pAlpha, pAlpha + (size_t)Sheet.nWidth * Sheet.nHeight);
    Korvid.FreeChunky(MASK);
    return Sheet;
}

}  // namespace

void LoadedSheet::Colour(int x, int y, int& r, int& g, int& b) const
{
    KorvidRGB Rgb = KorvidConvert::Unpack565(At(x, y));
    r = Rgb.r, g = Rgb.g, b = Rgb.b;
}

int LoadedSheet::Brightness(int x, int y) const
{
    int r, g, b;
    Colour(x, y, r, g, b);
    return (r + g + b) / 3;
}

int LoadedSheet::OpaqueCount(const SheetRect& Rect) const
{
    int nCount = 0;
    for (int y = Rect.y; y < Rect.Bottom(); ++y)
        for (int x = Rect.x; x < Rect.Right(); ++x)
            nCount += Opaque(x, y);
    return nCount;
}

bool LoadedSheet::SamePixels(const SheetRect& A, const SheetRect& B) const
{
    for (int y = 0; y < A.h; ++y)
        for (int x = 0; x < A.w; ++x)
            if (At(A.x + x, A.y + y) != At(B.x + x, B.y + y))
                return false;
    return true;
}

void LoadedSheet::MeanColour(const SheetRect& Rect, double& r, double& g, double& b) const
{
    double fSum[3] = {0, 0, 0};
    int nCount = 0;
    for (int y = Rect.y; y < Rect.Bottom(); ++y)
        for (int x = Rect.x; x < Rect.Right(); ++x)
            if (Opaque(x, y)) {
                int c[3];
                Colour(x, y, c[0], c[1], c[2]);
                for (int n = 0; n < 3; ++n)
                    fSum[n] += c[n];
                ++nCount;
            }
    nCount = std::max(nCount, 1);
    r = fSum[0] / nCount, g = fSum[1] / nCount, b = fSum[2] / nCount;
}

bool ForgeAndLoad(bool (*pForge)(const ForgeContext&), const std::vector<const SheetSize*>& Sizes,
                  std::map<std::string, LoadedSheet>& Sheets)
{
    EnterScratchDirectory();
    bool bForged = false;
    g_TestApp.Config = [] {
        Korvid.SetFrameRate(KOR_FPS_ONE_FRAME);
        Korvid.ChangeDisplayMode(64, 64, 16, KOR_WINDOWED);
    };
    g_TestApp.Setup = [&] {
        ForgeContext Context{".", "", ""};
        bForged = pForge(Context);
        for (const SheetSize* pSize : Sizes)
            if (bForged)
                Sheets[pSize->szName] = ReadSheet(*pSize);
        return true;
    };
    Korvid.Main(0, nullptr);
    return bForged;
}
