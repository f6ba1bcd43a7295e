// Screen pixel formats: the table of formats, installing one, and the converter
// slots every colour computation goes through.
#include "gfx/KorvidGFX.h"

#include <cstring>

#include "korvid.h"

namespace {

struct FormatDescription {
    const char* szName;
    uint8_t nRedBits, nGreenBits, nBlueBits;
    uint8_t nScreenDepth;
};

const FormatDescription FORMATS[KOR_PIXFMT_COUNT] = {
    {"KOR_PIXFMT_LUT8", 3, 3, 2, 8},      {"KOR_PIXFMT_RGB15", 5, 5, 5, 16},   {"KOR_PIXFMT_BGR15", 5, 5, 5, 16},
    {"KOR_PIXFMT_RGB15PC", 5, 5, 5, 16},  {"KOR_PIXFMT_BGR15PC", 5, 5, 5, 16}, {"KOR_PIXFMT_RGB16", 5, 6, 5, 16},
    {"KOR_PIXFMT_BGR16", 5, 6, 5, 16},    {"KOR_PIXFMT_RGB16PC", 5, 6, 5, 16}, {"KOR_PIXFMT_BGR16PC", 5, 6, 5, 16},
    {"KOR_PIXFMT_RGB24", 8, 8, 8, 24},    {"KOR_PIXFMT_BGR24", 8, 8, 8, 24},   {"KOR_PIXFMT_ARGB32", 8, 8, 8, 32},
    {"KOR_PIXFMT_BGRA32", 8, 8, 8, 32},   {"KOR_PIXFMT_RGBA32", 8, 8, 8, 32},
};

uint8_t FamilyOf(uint8_t nFormat)
{
    switch (nFormat) {
    case KOR_PIXFMT_RGB15:
        return KOR_CONVERT_RGB555;
    case KOR_PIXFMT_RGB15PC:
        return KOR_CONVERT_RGB555_SWAPPED;
    case KOR_PIXFMT_RGB16PC:
        return KOR_CONVERT_RGB565_SWAPPED;
    default:
        return KOR_CONVERT_RGB565;
    }
}

bool IsByteSwapped(uint8_t nFormat)
{
    return nFormat == KOR_PIXFMT_RGB15PC || nFormat == KOR_PIXFMT_BGR15PC || nFormat == KOR_PIXFMT_RGB16PC ||
           nFormat == KOR_PIXFMT_BGR16PC;
}

// The swapped families store their pixels high byte first, so their to-32
// converter exchanges the bytes before reading the fields.
uint32_t To32From565Swapped(uint16_t p) { return KorvidConvert::To32From565(KorvidConvert::SwapBytes(p)); }
uint32_t To32From555Swapped(uint16_t p) { return KorvidConvert::To32From555(KorvidConvert::SwapBytes(p)); }

}  // namespace

KorvidGFX::KorvidGFX()
{
    memset(m_Palette, 0, sizeof(m_Palette));
    // The shown palette starts different from every entry so the first
    // ShowPalette treats all 256 entries as changed.
    for (KorvidPaletteEntry& Entry : m_ShownPalette)
        Entry = {1, 1, 1, 0};
    memset(m_SavedPalette, 0, sizeof(m_SavedPalette));
    memset(m_PaletteChanged, 0, sizeof(m_PaletteChanged));
    InstallConverters(KOR_CONVERT_RGB565);
}

void KorvidGFX::InstallConverters(uint8_t nFamily)
{
    using namespace KorvidConvert;
    m_Format.nFamily = nFamily;
    switch (nFamily) {
    case KOR_CONVERT_RGB555:
        m_pPack = Pack555;
        m_pUnpack = Unpack555;
        m_pTo32 = To32From555;
        m_Format.nHalfMask = 0x3DEF;
        break;
    case KOR_CONVERT_RGB555_SWAPPED:
        m_pPack = Pack555Swapped;
        m_pUnpack = Unpack555Swapped;
        m_pTo32 = To32From555Swapped;
        m_Format.nHalfMask = 0;
        break;
    case KOR_CONVERT_RGB565_SWAPPED:
        m_pPack = Pack565Swapped;
        m_pUnpack = Unpack565Swapped;
        m_pTo32 = To32From565Swapped;
        m_Format.nHalfMask = 0;
        break;
    default:
        m_Format.nFamily = KOR_CONVERT_RGB565;
        m_pPack = Pack565;
        m_pUnpack = Unpack565;
        m_pTo32 = To32From565;
        m_Format.nHalfMask = 0x7BEF;
        break;
    }
}

void KorvidGFX::SetPixelFormat(uint8_t nFormat)
{
    if (nFormat < KOR_PIXFMT_COUNT) {
        const FormatDescription& Description = FORMATS[nFormat];
        Korvid.DebugLog("SetPixelFormat( %s )", Description.szName);
        m_Format.nRedBits = Description.nRedBits;
        m_Format.nGreenBits = Description.nGreenBits;
        m_Format.nBlueBits = Description.nBlueBits;
        m_Format.nScreenDepth = Description.nScreenDepth;
    }
    m_Format.nScreenBytesPerPixel = m_Format.nScreenDepth / 8;
    m_Format.bByteSwapped = IsByteSwapped(nFormat) ? 1 : 0;
    InstallConverters(FamilyOf(nFormat));
    m_Format.nId = nFormat;
}

void KorvidGFX::SetPixelFormatBits(uint16_t nRed, uint16_t nGreen, uint16_t nBlue, uint16_t nDepth)
{
    Korvid.DebugLog("SetPixelFormat( %d%d%d %dBit )", nRed, nGreen, nBlue, nDepth);
    uint8_t nFormat;
    switch (nDepth) {
    case 8:
        nFormat = KOR_PIXFMT_LUT8;
        break;
    case 16:
        nFormat = nGreen == 5 ? KOR_PIXFMT_RGB15 : KOR_PIXFMT_RGB16;
        break;
    case 24:
        nFormat = KOR_PIXFMT_RGB24;
        break;
    case 32:
        nFormat = KOR_PIXFMT_ARGB32;
        break;
    default:
        Korvid.DebugLog("ERROR: ** Unknown Depth Mode, Guessing RGB16 **");
        nFormat = KOR_PIXFMT_RGB16;
        break;
    }
    SetPixelFormat(nFormat);
}

bool KorvidGFX::IsCookie(uint16_t nColour) const
{
    if (m_nDepth == 8)
        return (nColour & 0xFF) == (m_nCookie & 0xFF);
    return nColour == m_nCookie;
}
