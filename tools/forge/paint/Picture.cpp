// Canvas -> chunky -> KVP through the engine, so the game reads exactly what the
// engine's writer produced.
#include "Picture.h"

#include "services/ChunkyPng.h"
#include "korvid.h"

namespace {

// The chunky the forge converts through: the last one of the engine's default
// table, so the writer also works in programs that keep the default size.
constexpr uint32_t PICTURE_CHUNKY = 499;
constexpr int8_t KVP_LEVEL = 9;

// 4 x 4 Bayer thresholds, centred on 0.
constexpr float BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

uint8_t Channel(float fValue, int nLevels, float fDither)
{
    float fStep = 255.0f / (nLevels - 1);
    float fScaled = std::clamp(fValue, 0.0f, 1.0f) * 255.0f + fDither * fStep;
    int nLevel = std::clamp((int)std::floor(fScaled / fStep + 0.5f), 0, nLevels - 1);
    return (uint8_t)std::lround(nLevel * fStep);
}

bool Convert(const Canvas& Picture, PictureKind Kind, bool bMask)
{
    int nWidth = Picture.Width(), nHeight = Picture.Height();
    if (!Korvid.InitChunky(PICTURE_CHUNKY, (uint16_t)nWidth, (uint16_t)nHeight, 16))
        return false;
    uint16_t* pPixels = Korvid.ChunkyRecord(PICTURE_CHUNKY)->Pixels16();
    Rgba Ground = Hex(0x080808);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x) {
            Rgba Pixel = Picture.Get(x, y);
            uint16_t& nOut = pPixels[(size_t)y * nWidth + x];
            if (bMask)
                nOut = MaskPixel(Pixel.a);
            else if (Kind == PictureKind::Screen)
                nOut = PicturePixel(WithAlpha(Mix(Ground, Pixel, Pixel.a), 1), x, y);
            else if (Kind == PictureKind::MaskedSheet)
                // Transparent exactly where the mask is black, so picture and mask agree.
                nOut = MaskPixel(Pixel.a) == 0 ? 0 : PicturePixel(Pixel, x, y);
            else
                nOut = Pixel.a < 0.5f ? 0 : PicturePixel(Pixel, x, y);
        }
    return true;
}

bool Save(const ForgeContext& Context, const std::string& Name, const Canvas& Picture, PictureKind Kind, bool bMask)
{
    std::string Path = ForgePath(Context, "gfx/" + Name + ".kvp");
    bool bSaved = Convert(Picture, Kind, bMask) && Korvid.SaveChunky(PICTURE_CHUNKY, Path.c_str(), KOR_SAVE_KVP, KVP_LEVEL);
    if (bSaved && !Context.ContactDir.empty())
        bSaved = WriteChunkyPng(PICTURE_CHUNKY, Context.ContactDir + "/" + Name + ".png");
    Korvid.FreeChunky(PICTURE_CHUNKY);
    if (!bSaved)
        ForgeComplain("cannot save picture '%s'", Path.c_str());
    return bSaved;
}

}  // namespace

uint16_t PicturePixel(const Rgba& Colour, int x, int y)
{
    float fDither = BAYER[y & 3][x & 3] / 16.0f - 0.5f + 1.0f / 32;
    uint16_t nPixel = Korvid.Pack(Channel(Colour.r, 32, fDither), Channel(Colour.g, 64, fDither),
                                  Channel(Colour.b, 32, fDither));
    return nPixel ? nPixel : Korvid.Pack(8, 8, 8);
}

uint16_t MaskPixel(float fOpacity)
{
    // The reader takes (r + g + b) / 2.9 as the opacity; the small lift makes
    // up for the 5- and 6-bit channels rounding down, so full opacity stays 255.
    float fOpaque = std::clamp(fOpacity, 0.0f, 1.0f);
    int nGrey = std::clamp((int)std::lround(fOpaque * (255.0f * 2.9f / 3.0f + 8.0f)), 0, 255);
    return Korvid.Pack((uint8_t)nGrey, (uint8_t)nGrey, (uint8_t)nGrey);
}

bool SavePicture(const ForgeContext& Context, const std::string& Name, const Canvas& Picture, PictureKind Kind)
{
    if (!ForgeMakeFolders(ForgePath(Context, "gfx")))
        return false;
    if (!Save(Context, Name, Picture, Kind, false))
        return false;
    return Kind != PictureKind::MaskedSheet || Save(Context, Name + "_a", Picture, Kind, true);
}
