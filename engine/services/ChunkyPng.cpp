#include "ChunkyPng.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "korvid.h"

namespace {

std::vector<uint8_t> ChunkyToRGBA(const ChunkyObject& Chunky)
{
    std::vector<uint8_t> Pixels((size_t)Chunky.nWidth * Chunky.nHeight * 4);
    for (size_t n = 0; n < (size_t)Chunky.nWidth * Chunky.nHeight; ++n) {
        KorvidRGB Colour;
        if (Chunky.nBytesPerPixel == 1) {
            const KorvidPaletteEntry& Entry = Korvid.Palette()[Chunky.pPixels[n]];
            Colour = {Entry.r, Entry.g, Entry.b};
        } else if (Chunky.nBytesPerPixel == 3) {   // true colour, stored red, green, blue
            const uint8_t* pPixel = &Chunky.pPixels[n * 3];
            Colour = {pPixel[0], pPixel[1], pPixel[2]};
        } else {
            Colour = Korvid.Unpack(Chunky.Pixels16()[n]);
        }
        uint8_t* pOut = &Pixels[n * 4];
        pOut[0] = Colour.r;
        pOut[1] = Colour.g;
        pOut[2] = Colour.b;
        pOut[3] = Chunky.pAlpha ? Chunky.pAlpha[n] : 255;
    }
    return Pixels;
}

// libpng reports failures by longjmp back to the setjmp here.
bool WriteImage(png_structp pPng, png_infop pInfo, FILE* pFile, const ChunkyObject& Chunky,
                const std::vector<uint8_t>& Pixels)
{
    if (setjmp(png_jmpbuf(pPng)))
        return false;
    png_init_io(pPng, pFile);
    png_set_IHDR(pPng, pInfo, Chunky.nWidth, Chunky.nHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(pPng, pInfo);
    for (uint32_t y = 0; y < Chunky.nHeight; ++y)
        png_write_row(pPng, &Pixels[(size_t)y * Chunky.nWidth * 4]);
    png_write_end(pPng, nullptr);
    return true;
}

}  // namespace

bool WriteChunkyPng(uint32_t nChunky, const std::string& Path)
{
    const ChunkyObject* pChunky = Korvid.ExistingChunky(nChunky);
    if (!pChunky || pChunky->nBytesPerPixel > 3)
        return false;
    std::vector<uint8_t> Pixels = ChunkyToRGBA(*pChunky);
    FILE* pFile = fopen(Path.c_str(), "wb");
    if (!pFile)
        return false;
    png_structp pPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop pInfo = pPng ? png_create_info_struct(pPng) : nullptr;
    bool bWritten = pInfo && WriteImage(pPng, pInfo, pFile, *pChunky, Pixels);
    png_destroy_write_struct(&pPng, &pInfo);
    fclose(pFile);
    return bWritten;
}

namespace {

struct PngImage {
    uint32_t nWidth = 0, nHeight = 0;
    std::vector<uint8_t> Rgba;
    bool bHasAlpha = false;
};

// Pictures larger than this are refused rather than trusted with memory.
constexpr uint32_t LARGEST_SIDE = 16384;

bool ReadImage(png_structp pPng, png_infop pInfo, FILE* pFile, PngImage& Image)
{
    if (setjmp(png_jmpbuf(pPng)))
        return false;
    png_init_io(pPng, pFile);
    png_set_user_limits(pPng, LARGEST_SIDE, LARGEST_SIDE);
    png_read_info(pPng, pInfo);
    Image.nWidth = png_get_image_width(pPng, pInfo);
    Image.nHeight = png_get_image_height(pPng, pInfo);
    int nColourType = png_get_color_type(pPng, pInfo);
    Image.bHasAlpha = (nColourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(pPng, pInfo, PNG_INFO_tRNS);
    // Whatever the file holds, read 8-bit RGBA.
    png_set_expand(pPng);
    png_set_strip_16(pPng);
    png_set_gray_to_rgb(pPng);
    png_set_add_alpha(pPng, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(pPng);
    png_read_update_info(pPng, pInfo);
    Image.Rgba.resize((size_t)Image.nWidth * Image.nHeight * 4);
    std::vector<png_bytep> Rows(Image.nHeight);
    for (uint32_t y = 0; y < Image.nHeight; ++y)
        Rows[y] = &Image.Rgba[(size_t)y * Image.nWidth * 4];
    png_read_image(pPng, Rows.data());
    png_read_end(pPng, nullptr);
    return true;
}

}  // namespace

bool ReadChunkyPng(uint32_t nChunky, const std::string& Path)
{
    FILE* pFile = fopen(Path.c_str(), "rb");
    if (!pFile) {
        Korvid.DebugLog("ERROR: ** ReadChunkyPng('%s') - Can't Open File **", Path.c_str());
        return false;
    }
    PngImage Image;
    png_structp pPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop pInfo = pPng ? png_create_info_struct(pPng) : nullptr;
    bool bRead = pInfo && ReadImage(pPng, pInfo, pFile, Image);
    png_destroy_read_struct(&pPng, &pInfo, nullptr);
    fclose(pFile);
    if (!bRead || Image.nWidth == 0 || Image.nHeight == 0 || Image.nWidth > 65535 || Image.nHeight > 65535) {
        Korvid.DebugLog("ERROR: ** ReadChunkyPng('%s') - Not a readable PNG picture **", Path.c_str());
        return false;
    }
    uint8_t nDepth = Korvid.DisplayDepth() == 8 ? 8 : 16;
    if (!Korvid.InitChunky(nChunky, (uint16_t)Image.nWidth, (uint16_t)Image.nHeight, nDepth))
        return false;
    ChunkyObject* pChunky = Korvid.ExistingChunky(nChunky);
    size_t nPixels = (size_t)Image.nWidth * Image.nHeight;
    for (size_t n = 0; n < nPixels; ++n) {
        const uint8_t* pIn = &Image.Rgba[n * 4];
        if (nDepth == 8)
            pChunky->pPixels[n] = Korvid.FindClosestColour(pIn[0], pIn[1], pIn[2], KOR_SEARCH_EXHAUSTIVE);
        else
            pChunky->Pixels16()[n] = Korvid.Pack(pIn[0], pIn[1], pIn[2]);
    }
    // Only a picture that really uses its alpha channel gets a mask.
    bool bTranslucent = false;
    for (size_t n = 0; Image.bHasAlpha && !bTranslucent && n < nPixels; ++n)
        bTranslucent = Image.Rgba[n * 4 + 3] != 255;
    if (bTranslucent && Korvid.CreateAlphaMask(*pChunky))
        for (size_t n = 0; n < nPixels; ++n)
            pChunky->pAlpha[n] = Image.Rgba[n * 4 + 3];
    return true;
}
