// Reading finished sheets back through the engine's own picture reader.
#include "SheetReader.h"

#include "korvid.h"

namespace {

// A chunky of the engine's default table that the picture writer does not use.
constexpr uint32_t READ_CHUNKY = 498;

bool LoadPixels(const std::string& Path, Canvas& Out)
{
    if (!Korvid.FileExists(Path.c_str()) || !Korvid.LoadChunky(READ_CHUNKY, Path.c_str(), KOR_LOAD_DEPTH16))
        return false;
    const ChunkyObject* pChunky = Korvid.ChunkyRecord(READ_CHUNKY);
    bool bLoaded = pChunky && pChunky->Exists() && pChunky->nBytesPerPixel == 2;
    if (bLoaded) {
        Out = Canvas(pChunky->nWidth, pChunky->nHeight);
        const uint16_t* pPixels = pChunky->Pixels16();
        for (int y = 0; y < Out.Height(); ++y)
            for (int x = 0; x < Out.Width(); ++x) {
                uint16_t nPixel = pPixels[(size_t)y * Out.Width() + x];
                KorvidRGB Colour = Korvid.Unpack(nPixel);
                // Pure black is the game's transparent colour.
                Out.Set(x, y, {Colour.r / 255.0f, Colour.g / 255.0f, Colour.b / 255.0f, nPixel ? 1.0f : 0.0f});
            }
    }
    Korvid.FreeChunky(READ_CHUNKY);
    return bLoaded;
}

}  // namespace

const Canvas* SheetReader::Sheet(const std::string& Name)
{
    auto Found = m_Loaded.find(Name);
    if (Found != m_Loaded.end())
        return &Found->second;
    if (m_Missing.count(Name))
        return nullptr;
    Canvas Picture, Mask;
    if (!LoadPixels(ForgePath(m_Context, "gfx/" + Name + ".kvp"), Picture)) {
        ForgeSay("art-screens: sheet '%s' is not in the data set yet; its pictures are left out", Name.c_str());
        m_Missing[Name] = true;
        return nullptr;
    }
    // The mask's brightness is the opacity of the soft edges.
    if (LoadPixels(ForgePath(m_Context, "gfx/" + Name + "_a.kvp"), Mask) && Mask.Width() == Picture.Width() &&
        Mask.Height() == Picture.Height())
        for (int y = 0; y < Picture.Height(); ++y)
            for (int x = 0; x < Picture.Width(); ++x) {
                Rgba Pixel = Picture.Get(x, y), Grey = Mask.Get(x, y);
                if (Pixel.a > 0)
                    Picture.Set(x, y, WithAlpha(Pixel, std::clamp((Grey.r + Grey.g + Grey.b) / 2.9f, 0.0f, 1.0f)));
            }
    return &(m_Loaded[Name] = std::move(Picture));
}

Canvas SheetReader::Part(const std::string& Name, const SheetRect& Area, int w, int h)
{
    const Canvas* pSheet = Sheet(Name);
    if (!pSheet)
        return Canvas();
    Canvas Piece = pSheet->Crop({Area.x, Area.y, Area.w, Area.h});
    if (w > 0 && h > 0 && (w != Area.w || h != Area.h))
        return Piece.Scaled(w, h);
    return Piece;
}
