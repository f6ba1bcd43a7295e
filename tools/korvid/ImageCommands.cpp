// korvid image: what a picture holds, and conversions between the engine's
// picture formats and PNG.
#include <algorithm>
#include <cstdio>
#include <strings.h>
#include <vector>

#include "services/ChunkyPng.h"
#include "Tool.h"
#include "korvid.h"

namespace {

constexpr uint32_t PICTURE = 1;

std::string Extension(const std::string& Path)
{
    size_t nDot = Path.rfind('.');
    std::string Ext = nDot == std::string::npos ? "" : Path.substr(nDot + 1);
    for (char& c : Ext)
        c = (char)tolower((unsigned char)c);
    return Ext;
}

// The header of a TGA file; empty when the file is shorter.
std::vector<uint8_t> TgaHeader(const std::string& Path)
{
    std::vector<uint8_t> Header(18);
    FILE* pFile = fopen(Path.c_str(), "rb");
    const bool bRead = pFile && fread(Header.data(), 1, Header.size(), pFile) == Header.size();
    if (pFile)
        fclose(pFile);
    return bRead ? Header : std::vector<uint8_t>();
}

constexpr size_t TGA_DEPTH = 16, TGA_DESCRIPTOR = 17;

// A 32-bit TGA at its own depth would load as a chunky no writer takes: its colours come at 24 bits.
uint8_t TgaDepthFlag(const std::vector<uint8_t>& Header, uint8_t nDepthFlag)
{
    return nDepthFlag == KOR_LOAD_FILEDEPTH && Header[TGA_DEPTH] == 32 ? KOR_LOAD_DEPTH24 : nDepthFlag;
}

// True when the engine's reader put the rows of a TGA file the other way up.
// A TGA says in bit 5 of its descriptor whether its rows start at the top; the
// engine reads every TGA bottom row first, but for 24-bit files loaded at their
// own depth top row first (the game's pictures rely on both).
bool TgaRowsTurned(const std::vector<uint8_t>& Header, uint8_t nDepthFlag)
{
    constexpr uint8_t TOP_FIRST = 0x20;
    const bool bEngineTopFirst = nDepthFlag == KOR_LOAD_FILEDEPTH && Header[TGA_DEPTH] == 24;
    return bEngineTopFirst != ((Header[TGA_DESCRIPTOR] & TOP_FIRST) != 0);
}

void TurnRows(uint8_t* pRows, size_t nRowBytes, int32_t nHeight)
{
    for (int32_t nTop = 0, nBottom = nHeight - 1; nTop < nBottom; ++nTop, --nBottom)
        std::swap_ranges(pRows + nTop * nRowBytes, pRows + (nTop + 1) * nRowBytes, pRows + nBottom * nRowBytes);
}

void TurnPicture(const ChunkyObject& Picture)
{
    TurnRows(Picture.pPixels, (size_t)Picture.nWidth * Picture.nBytesPerPixel, Picture.nHeight);
    if (Picture.pAlpha)
        TurnRows(Picture.pAlpha, Picture.nWidth, Picture.nHeight);
}

bool LoadPicture(const std::string& Path, uint8_t nDepthFlag, std::string& Error)
{
    size_t nMark = EngineLogMark();
    const std::vector<uint8_t> Tga = Extension(Path) == "tga" ? TgaHeader(Path) : std::vector<uint8_t>();
    if (!Tga.empty())
        nDepthFlag = TgaDepthFlag(Tga, nDepthFlag);
    bool bLoaded = Extension(Path) == "png" ? ReadChunkyPng(PICTURE, Path)
                                            : Korvid.LoadChunky(PICTURE, Path.c_str(), KOR_LOAD_PALETTE | nDepthFlag) == 1;
    if (bLoaded && !Tga.empty() && TgaRowsTurned(Tga, nDepthFlag))
        TurnPicture(*Korvid.ExistingChunky(PICTURE));
    if (!bLoaded) {
        std::string Reason = EngineErrorSince(nMark);
        Error = "'" + Path + "': " + (Reason.empty() ? "not a picture the engine reads" : Reason);
    }
    return bLoaded;
}

}  // namespace

bool ImageInfo(const ToolArgs& Args, std::string& Error)
{
    if (!LoadPicture(Args[0], KOR_LOAD_FILEDEPTH, Error))
        return false;
    const ChunkyObject& Picture = *Korvid.ExistingChunky(PICTURE);
    printf("%s: %d x %d, %d bits per pixel%s, hot spot %d,%d\n", Args[0].c_str(), Picture.nWidth, Picture.nHeight,
           Picture.nBytesPerPixel * 8, Picture.pAlpha ? ", with alpha mask" : "", Picture.nHotX, Picture.nHotY);
    return true;
}

bool ImageConvert(const ToolArgs& Arguments, std::string& Error)
{
    ToolArgs Args = Arguments;
    std::string Depth = TakeOption(Args, "--depth", "");
    uint8_t nDepthFlag = KOR_LOAD_FILEDEPTH;
    if (Depth == "8")
        nDepthFlag = KOR_LOAD_DEPTH8;
    else if (Depth == "16")
        nDepthFlag = KOR_LOAD_DEPTH16;
    else if (Depth == "24")
        nDepthFlag = KOR_LOAD_DEPTH24;
    else if (!Depth.empty() || Args.size() != 2) {
        Error = "usage: korvid image convert IN OUT [--depth 8|16|24]";
        return false;
    }
    if (!LoadPicture(Args[0], nDepthFlag, Error))
        return false;

    const std::string& Out = Args[1];
    std::string Ext = Extension(Out);
    size_t nMark = EngineLogMark();
    bool bSaved = false;
    if (Ext == "png")
        bSaved = WriteChunkyPng(PICTURE, Out);
    else if (Ext == "kvp")
        bSaved = Korvid.SaveChunky(PICTURE, Out.c_str(), KOR_SAVE_KVP, 9) != 0;
    else if (Ext == "bmp")
        bSaved = Korvid.SaveChunky(PICTURE, Out.c_str(), KOR_SAVE_BMP) != 0;
    else if (Ext == "tga")
        bSaved = Korvid.SaveChunky(PICTURE, Out.c_str(), KOR_SAVE_TGA) != 0;
    else {
        Error = "'" + Out + "': pictures are written as .kvp, .tga, .bmp or .png";
        return false;
    }
    std::string Reason = EngineErrorSince(nMark);
    if (!bSaved || !Reason.empty()) {
        Error = "'" + Out + "': " + (Reason.empty() ? "could not be written" : Reason);
        return false;
    }
    return true;
}
