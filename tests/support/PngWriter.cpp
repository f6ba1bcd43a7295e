#include "support/PngWriter.h"

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
    if (!pChunky || pChunky->nBytesPerPixel > 2)
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
