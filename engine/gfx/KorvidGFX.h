// The graphics system: the chunky table, pixel formats and palettes, the blitter,
// fonts and primitives, and the display with its frame presentation.
//
// Where each part lives:
//   Chunky*.cpp       the chunky table, grabbing with alpha masks, copy/flip, scaling, tint
//   PixelFormat.cpp   formats and converter slots;  Palette.cpp  palette, colours, lookup and close tables
//   TransTable.cpp    the 8-bit trans table;  KorvidGFX.cpp  start-up, display modes, shutdown
//   Presentation.cpp  DumpChunkyBuffer;  BandwidthTest.cpp  the choice of the dirty list
//   ScaledPresentation.cpp  PresentScaled, into a surface larger than the display
//   Blitter*.cpp, Font*.cpp, Primitives*.cpp   the blitter, fonts and drawing primitives
#pragma once
#include <cstdint>

#include "core/KorvidMaths.h"
#include "gfx/BlendState.h"
#include "gfx/Chunky.h"
#include "gfx/FontBank.h"
#include "gfx/PixelFormat.h"

constexpr uint8_t KOR_WINDOWED = 1;
constexpr uint8_t KOR_FULLSCREEN = 2;
constexpr uint8_t KOR_TOGGLE_WINDOW = 4;
constexpr uint8_t KOR_BACKBUFFER_NOTOGGLE = 0x08;

// ---- Image files (ImageFiles.cpp, Kvp/Tga/Bmp/PcxFile.cpp) ------------------------------
// LoadChunky flags: replace the palette, and the depth to convert true-colour
// pictures to (applied in the order 8, 24, 16, file depth; the last set wins).
constexpr uint8_t KOR_LOAD_PALETTE = 0x01;
constexpr uint8_t KOR_LOAD_DEPTH8 = 0x02;
constexpr uint8_t KOR_LOAD_DEPTH16 = 0x04;
constexpr uint8_t KOR_LOAD_DEPTH24 = 0x08;
constexpr uint8_t KOR_LOAD_FILEDEPTH = 0x20;
// SaveChunky formats.
constexpr uint8_t KOR_SAVE_BMP = 0;
constexpr uint8_t KOR_SAVE_KVP = 1;
constexpr uint8_t KOR_SAVE_TGA = 2;
constexpr uint8_t KOR_SAVE_PCX = 3;

class KorvidGFX {
public:
    KorvidGFX();

    // ---- Display: start-up, modes, shutdown, presentation -------------------------------
    int GFXInit();
    int InitDisplay();
    int ChangeDisplayMode(uint16_t nWidth, uint16_t nHeight, uint8_t nDepth, uint8_t nWindowMode);
    void GFXShutDown();
    // Writes chunky 0 into a screen surface of the installed format; nPitch is the
    // distance in bytes between screen rows (negative for bottom-up surfaces).
    void DumpChunkyBuffer(const ChunkyObject* pChunky, void* pScreen, int32_t nPitch);
    // Writes chunky 0 into a larger surface as KorvidFitView (ScaledView.h) places
    // it, always whole (no dirty list); a pending full update also blacks the
    // bars. False when nothing was written.
    bool PresentScaled(const ChunkyObject* pChunky, void* pScreen, int32_t nPitch, int32_t nSurfaceWidth,
                       int32_t nSurfaceHeight, bool bSmooth);
    void ShowPointer() { m_bShowCursor = 1; }
    void HidePointer() { m_bShowCursor = 0; }

    uint16_t DisplayWidth() const { return m_nDisplayWidth; }
    uint16_t DisplayHeight() const { return m_nDisplayHeight; }
    uint8_t DisplayDepth() const { return m_nDepth; }            // the internal depth, 8 or 16
    uint8_t InternalBytesPerPixel() const { return m_nBytesPerPixel; }
    uint8_t WindowMode() const { return m_nWindowMode; }
    bool DisplayOpen() const { return m_bDisplayOpen; }
    bool DisplayInitialised() const { return m_bDisplayInitialised; }
    uint8_t BackBufferOptions() const { return m_nBackBufferOptions; }
    bool ShowCursor() const { return m_bShowCursor; }
    void SetFullUpdate() { m_bFullUpdate = 1; }
    bool FullUpdatePending() const { return m_bFullUpdate; }
    bool DirtyListOn() const { return m_pShadowBuffer != nullptr; }
    int ScreenBitsPerPixel() const { return m_Format.nScreenDepth; }
    uint16_t ViewWidth() const { return m_nViewWidth; }
    uint16_t ViewHeight() const { return m_nViewHeight; }
    int16_t ViewOffsetX() const { return m_nViewOffsetX; }
    int16_t ViewOffsetY() const { return m_nViewOffsetY; }

    // ---- Chunky table --------------------------------------------------------------------
    void SetMaxChunkies(int32_t nCount);
    uint32_t ChunkyTableSize() const { return m_nChunkyTableSize; }   // 0 before GFXInit
    int InitChunky(uint32_t nChunky, uint16_t nWidth, uint16_t nHeight, uint8_t nDepth);
    void FreeChunky(uint32_t nChunky);
    void FreeAllChunkies();
    void ClearChunky(uint32_t nChunky, uint16_t nColour, uint16_t nRows = 0);
    int GrabChunky(uint32_t nDest, uint32_t nSource, uint16_t x, uint16_t y, uint16_t nWidth, uint16_t nHeight,
                   uint8_t nFlags = 0, uint16_t nFeatherRadius = 10, uint16_t nColour = 0);
    int CalcShapeClip(uint32_t nChunky, KorvidRect& Rect);
    void ChunkyCopy(uint32_t nSource, uint32_t nDest, uint16_t nRows = 0);
    void ChunkyFlip(uint32_t nChunky, uint8_t nFlags);
    void ChunkyScale(uint32_t nSource, uint32_t nDest, int16_t nWidth, int16_t nHeight, uint8_t nFlags);
    void ChunkyTint(uint32_t nChunky, uint16_t nColour, int16_t nPercent);
    void UseChunky(uint32_t nChunky);
    uint32_t GetUsedChunky();
    bool ChunkyExists(uint32_t nChunky) const { return ExistingChunky(nChunky) != nullptr; }
    bool ChunkyHasAlpha(uint32_t nChunky) const;
    uint16_t ChunkyWidth(uint32_t nChunky) const;
    uint16_t ChunkyHeight(uint32_t nChunky) const;
    uint8_t ChunkyDepth(uint32_t nChunky) const;
    uint8_t* ChunkyBuffer(uint32_t nChunky) const;
    uint16_t ChunkyScaledWidth(uint32_t nChunky, int16_t nMaxHeight) const;
    uint16_t ChunkyScaledHeight(uint32_t nChunky, int16_t nMaxWidth) const;
    int UpdateScaleTables(int32_t nWidth, int32_t nHeight, float fFactorX, float fFactorY);

    // The record of a chunky number below the table size (it may hold no pixels), else null.
    ChunkyObject* ChunkyRecord(uint32_t nChunky) const;
    // The record of an existing chunky (pixels allocated), else null.
    ChunkyObject* ExistingChunky(uint32_t nChunky) const;
    // The used chunky's record: the target of every drawing operation (null before GFXInit).
    ChunkyObject* UsedChunkyRecord() const { return m_pUsedChunky; }
    void ScanCookie(ChunkyObject& Chunky);
    int CreateAlphaMask(ChunkyObject& Chunky);
    // Writes DestRect of Dest from Source through the current scale tables: destination
    // column c, row r samples source (nSourceLeft + X[c], nSourceTop + Y[r]). Flags:
    // KOR_SCALE_AVERAGE, KOR_SCALE_COOKIE. The caller has run UpdateScaleTables for the
    // rectangle's size.
    void ScaleChunkyArea(const ChunkyObject& Source, int32_t nSourceLeft, int32_t nSourceTop, ChunkyObject& Dest,
                         const KorvidRect& DestRect, uint8_t nFlags);
    const uint16_t* ScaleTableX() const { return m_ScaleX.pTable; }
    const uint16_t* ScaleTableY() const { return m_ScaleY.pTable; }

    // ---- Pixel formats, palette, colours -------------------------------------------------
    void SetPixelFormat(uint8_t nFormat);
    void SetPixelFormatBits(uint16_t nRed, uint16_t nGreen, uint16_t nBlue, uint16_t nDepth);
    const KorvidPixelFormat& PixelFormat() const { return m_Format; }
    uint16_t Pack(uint8_t r, uint8_t g, uint8_t b) const { return m_pPack(r, g, b); }
    KorvidRGB Unpack(uint16_t nPixel) const { return m_pUnpack(nPixel); }
    uint32_t To32(uint16_t nPixel) const { return m_pTo32(nPixel); }

    void MakeColour(uint16_t& nColour, uint8_t r, uint8_t g, uint8_t b, uint8_t nSearchMode = KOR_SEARCH_EXHAUSTIVE);
    uint8_t FindClosestColour(uint8_t r, uint8_t g, uint8_t b, uint8_t nSearchMode);
    void SetCookie(uint8_t r, uint8_t g, uint8_t b);
    void GetCookie(uint16_t& nColour) const { nColour = m_nCookie; }
    void SetCookieColour(uint16_t nColour) { m_nCookie = nColour; }
    uint16_t CookieColour() const { return m_nCookie; }
    // True when a colour value equals the cookie colour in the internal depth's terms.
    bool IsCookie(uint16_t nColour) const;

    void SetPaletteEntry(uint32_t nIndex, uint32_t r, uint32_t g, uint32_t b);
    void SetPaletteRed(uint8_t nIndex, uint8_t nValue);
    void SetPaletteGreen(uint8_t nIndex, uint8_t nValue);
    void SetPaletteBlue(uint8_t nIndex, uint8_t nValue);
    uint8_t PaletteRed(uint8_t nIndex) const { return m_Palette[nIndex].r; }
    uint8_t PaletteGreen(uint8_t nIndex) const { return m_Palette[nIndex].g; }
    uint8_t PaletteBlue(uint8_t nIndex) const { return m_Palette[nIndex].b; }
    const KorvidPaletteEntry* Palette() const { return m_Palette; }
    void SetBrightness(float fFactor);
    float Brightness() const { return m_fBrightness; }
    void ShowPalette(uint8_t bForce);
    void UpdatePaletteTables(const uint8_t* pChanged = nullptr);
    void SavePalette();
    void RestorePalette();
    // 8-bit depth: palette index -> screen pixel (u16 entries on 16-bit screens, u32 on 32-bit), or null.
    const void* PaletteLookup() const { return m_pPaletteLookup; }
    uint32_t PaletteLookupSize() const { return m_nPaletteLookupSize; }

    uint16_t ColourWhite() const { return m_nWhite; }
    uint16_t ColourBlack() const { return m_nBlack; }
    uint16_t ColourRed() const { return m_nRed; }
    uint16_t ColourGreen() const { return m_nGreen; }
    uint16_t ColourBlue() const { return m_nBlue; }
    uint16_t ClearColour() const { return m_nClearColour; }
    void SetClearColour(uint16_t nColour) { m_nClearColour = nColour; }

    void LoadTransTable(const char* szName, uint8_t nSearchMode);
    void SaveTransTable(const char* szName);
    // 65536 bytes: entry i x 256 + j is the index nearest the average of i and j; null until loaded.
    const uint8_t* TransTable() const { return m_pTransTable; }

    // ---- Image files (ImageFiles.cpp) ------------------------------------------------------
    // Reads a .kvp, TGA, BMP or PCX picture (chosen by the name) into the chunky: 1 on success.
    int LoadChunky(uint32_t nChunky, const char* szName, uint8_t nFlags);
    // Writes the chunky as KOR_SAVE_BMP, _KVP (at a zlib level) or _TGA: 0 when nothing could be opened.
    int SaveChunky(uint32_t nChunky, const char* szName, uint8_t nFormat, int8_t nLevel = 0);

    // ---- Blitter (Blitter*.cpp) ------------------------------------------------------------
    void Blit(uint32_t nChunky, int32_t x, int32_t y, uint16_t nFlags, uint16_t nColour, int16_t nParam);
    void BlitArea(uint32_t nChunky, int32_t nSourceX, int32_t nSourceY, int32_t nWidth, int32_t nHeight,
                  int32_t nDestX, int32_t nDestY, uint8_t nFlags, uint16_t nColour, int16_t nParam);
    void BlitScale(uint32_t nChunky, const KorvidRect& Source, const KorvidRect& Dest, uint8_t nFlags);
    void BlitRotate(uint32_t nChunky, int16_t x, int16_t y, double fAngle, int16_t nCentreX, int16_t nCentreY);
    // Fills m_Blend and m_BlendRows for a translucent blit with this colour and parameter.
    void PrepareBlend(uint16_t nColour, int16_t nParam);
    const KorvidBlendState& BlendState() const { return m_Blend; }
    const KorvidBlendRows& BlendRows() const { return m_BlendRows; }

    // ---- Fonts and primitives (Font*.cpp, Primitives*.cpp) -------------------------------
    void SetMaxFonts(int32_t nCount);   // honoured before GFXInit only
    uint32_t FontBankCount() const { return m_nFontBankCount; }
    uint32_t CurrentFontBank() const { return m_nCurrentFont; }
    KorvidFontBank* FontBanks() const { return m_pFontBanks; }
    void UseFont(uint32_t nBank);
    void GrabFont(uint32_t nSource, uint16_t x, uint16_t y, uint16_t nCellWidth, uint16_t nCellHeight,
                  uint16_t nCellsPerRow, uint8_t nFirstCode, uint8_t nLastCode, uint8_t nGrabFlags,
                  uint16_t nFeatherRadius, uint16_t nColour);
    void FontPrint(int16_t x, int16_t y, const char* szText, uint8_t nFlags, uint16_t nColour, int16_t nParam);
    void FontPrintWrapped(uint16_t x, uint16_t y, uint16_t nBoxWidth, const char* szText, uint8_t nFlags,
                          uint16_t nColour, int16_t nParam);
    int16_t FontWidth(const char* szText, uint8_t nFlags);
    uint16_t FontHeight();
    void Plot(uint16_t x, uint16_t y, uint16_t nColour);
    uint16_t Point(uint16_t& nColour, uint16_t x, uint16_t y);
    void Line(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint16_t nColour, uint8_t nMode);
    void Box(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint16_t nColour, uint8_t nMode);
    void BoxFill(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint16_t nColour, uint8_t nMode, int16_t nParam);
    void DrawCircle(uint16_t nCentreX, uint16_t nCentreY, uint16_t nRadiusX, uint16_t nRadiusY, uint16_t nColour);

private:
    struct ScaleTable {
        uint16_t* pTable = nullptr;
        int32_t nCapacity = 0;
        int32_t nCount = -1;        // count and factor the entries were built for
        float fFactor = 0.0f;
    };

    // Chunky records.
    bool AllocateChunkyTable();
    int InitChunkyRecord(ChunkyObject& Chunky, uint16_t nWidth, uint16_t nHeight, uint8_t nDepth);
    void ReleasePixels(ChunkyObject& Chunky);
    void ReleaseAlpha(ChunkyObject& Chunky);
    void CopyChunkyArea(const ChunkyObject& Source, const KorvidRect& Rect, ChunkyObject& Dest);
    int BuildGrabAlpha(uint32_t nDest, const ChunkyObject& Source, const KorvidRect& Rect, uint8_t nFlags,
                       uint16_t nFeatherRadius, uint16_t nColour);
    void BlendColourIntoSoftEdge(ChunkyObject& Dest, uint16_t nColour);
    bool GrowScaleTable(ScaleTable& Table, int32_t nCount, const char* szAxis);
    void FreeScaleTables();

    // Blitter: draws the visible part (source coordinates) of a validated blit, source
    // pixel (i, j) landing on (i + nOffsetX, j + nOffsetY) of the used chunky.
    void BlitClipped(const char* szCaller, uint32_t nChunky, const ChunkyObject& Source, const KorvidRect& Visible,
                     int32_t nOffsetX, int32_t nOffsetY, uint16_t nFlags, uint16_t nColour, int16_t nParam);

    // Palette and formats.
    void InstallConverters(uint8_t nFamily);
    void RecomputeStandardColours();
    bool EnsurePaletteLookup();
    bool BuildCloseTable();
    uint8_t ExhaustiveSearch(uint8_t r, uint8_t g, uint8_t b) const;
    void FreePaletteTables();

    // Display.
    bool AllocateFontBanks();
    void FreeFontBanks();
    void CreateBackBuffer();
    void CloseDisplay();
    bool DumpIndexed(const ChunkyObject* pChunky, uint8_t* pScreen, int32_t nPitch, bool bDirty);
    bool DumpPacked(const ChunkyObject* pChunky, uint8_t* pScreen, int32_t nPitch, bool bDirty);
    void RunBandwidthTest();
    float MeasurePresentation(const char* szLabel, float fOutputMB, bool bDisturbShadow);
    void FreeShadowBuffer();

    // Blend state shared by the blitter's translucent modes and BoxFill.
    KorvidBlendState m_Blend;
    KorvidBlendRows m_BlendRows;

    // Chunky table and the used chunky.
    ChunkyObject* m_pChunkies = nullptr;
    uint32_t m_nChunkyTableSize = 0;
    uint32_t m_nUsedChunky = 0;
    ChunkyObject* m_pUsedChunky = nullptr;
    ScaleTable m_ScaleX, m_ScaleY;

    // Font banks (records owned here; filled by GrabFont).
    KorvidFontBank* m_pFontBanks = nullptr;
    uint32_t m_nFontBankCount = 0;
    uint32_t m_nCurrentFont = 0;

    // Pixel format and converters.
    KorvidPixelFormat m_Format;
    KorvidPackFunc m_pPack;
    KorvidUnpackFunc m_pUnpack;
    KorvidTo32Func m_pTo32;

    // Palette and derived tables.
    KorvidPaletteEntry m_Palette[256];
    KorvidPaletteEntry m_ShownPalette[256];
    KorvidPaletteEntry m_SavedPalette[256];
    uint8_t m_PaletteChanged[256];
    float m_fBrightness = 1.0f;
    void* m_pPaletteLookup = nullptr;
    uint32_t m_nPaletteLookupSize = 0;
    uint8_t* m_pCloseTable = nullptr;
    uint8_t* m_pTransTable = nullptr;
    uint16_t m_nWhite = 0, m_nBlack = 0, m_nRed = 0, m_nGreen = 0, m_nBlue = 0;
    uint16_t m_nClearColour = 0;
    uint16_t m_nCookie = 0;

    // Display state.
    uint16_t m_nDisplayWidth = 320;
    uint16_t m_nDisplayHeight = 240;
    uint8_t m_nDepth = 8;
    uint8_t m_nBytesPerPixel = 1;
    uint8_t m_nWindowMode = KOR_WINDOWED;
    uint8_t m_bDisplayInitialised = 0;
    uint8_t m_bDisplayOpen = 0;
    uint16_t m_nViewWidth = 320, m_nViewHeight = 240;
    int16_t m_nViewOffsetX = 0, m_nViewOffsetY = 0;
    uint8_t* m_pShadowBuffer = nullptr;   // the dirty list: the last presented frame, or null
    uint32_t m_nShadowSize = 0;
    uint8_t m_bFullUpdate = 1;
    uint8_t m_bShowCursor = 1;
    uint8_t m_nBackBufferOptions = 0;
};
