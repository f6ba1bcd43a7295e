// Opening and closing a movie: the header, the target chunky, the frame
// buffers and the sound track.
#include "gfx/Movie.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "gfx/ImageFiles.h"
#include "korvid.h"

using namespace KorvidImage;

namespace {

constexpr uint32_t KVA_HEADER_SIZE = 15;   // magic to height

bool TagIs(const uint8_t* pTag, const char* szTag) { return memcmp(pTag, szTag, 4) == 0; }

}  // namespace

int KorvidMovie::FailMovieOpen(const char* szFormat, ...)
{
    char szMessage[256];
    va_list Args;
    va_start(Args, szFormat);
    vsnprintf(szMessage, sizeof(szMessage), szFormat, Args);
    va_end(Args);
    Korvid.DebugLog("%s", szMessage);
    CloseMovie();
    return 0;
}

bool KorvidMovie::ReadMovieHeader()
{
    uint8_t Header[KVA_HEADER_SIZE] = {};
    int32_t nRead = Korvid.FileRead(m_hMovieFile, Header, 4);
    if (!TagIs(Header, "KORA")) {
        FailMovieOpen("ERROR: Bad KVA Header 0x%X", (unsigned)GetLE32(Header));
        return false;
    }
    if (nRead != 4 || !ReadExactly(m_hMovieFile, Header + 4, KVA_HEADER_SIZE - 4)) {
        FailMovieOpen("ERROR: ** KVA Header Truncated **");
        return false;
    }
    m_nMovieFrameCount = (int16_t)GetBE16(Header + 5);
    uint32_t nFrameTime = GetBE32(Header + 7);
    m_nMovieFrameTime = nFrameTime >= 1 && nFrameTime <= 100 ? (int32_t)nFrameTime : MOVIE_DEFAULT_FRAME_TIME;
    uint16_t nWidth = GetBE16(Header + 11), nHeight = GetBE16(Header + 13);
    if (m_nMovieFrameCount <= 0) {
        FailMovieOpen("ERROR: ** KVA Frame Count %d Invalid **", m_nMovieFrameCount);
        return false;
    }
    if (nWidth < 1 || nHeight < 1 || nWidth > MOVIE_MAX_SIDE || nHeight > MOVIE_MAX_SIDE) {
        FailMovieOpen("ERROR: ** KVA Frame Size %dx%d Invalid **", nWidth, nHeight);
        return false;
    }
    // A frame no file of this size could fill is damage: refused before two
    // frame buffers are taken for it.
    const int32_t nFileBytes = Korvid.FileSize(m_hMovieFile);
    if ((uint64_t)nWidth * nHeight > (uint64_t)(nFileBytes > 0 ? nFileBytes : 0) * MAX_PIXELS_PER_FILE_BYTE) {
        FailMovieOpen("ERROR: ** KVA Frame Size %dx%d Too Large For a File of %d Bytes **", nWidth, nHeight,
                      (int)nFileBytes);
        return false;
    }
    m_nMovieWidth = (int16_t)nWidth;
    m_nMovieHeight = (int16_t)nHeight;
    m_nMovieFrameSize = (int32_t)nWidth * nHeight;
    return true;
}

// A chunky that is missing or smaller than the movie is re-created at its size.
bool KorvidMovie::PrepareMovieChunky(uint32_t nChunky)
{
    const ChunkyObject* pChunky = Korvid.ExistingChunky(nChunky);
    if (pChunky && pChunky->nWidth >= m_nMovieWidth && pChunky->nHeight >= m_nMovieHeight)
        return true;
    Korvid.DebugLog("WARNING: Movie Was Too Big (%dx%d) for Buffer (%dx%d) - Re-Initializing To Correct Size",
                    m_nMovieWidth, m_nMovieHeight, pChunky ? pChunky->nWidth : 0, pChunky ? pChunky->nHeight : 0);
    if (Korvid.InitChunky(nChunky, (uint16_t)m_nMovieWidth, (uint16_t)m_nMovieHeight, 8))
        return true;
    FailMovieOpen("ERROR: ** Movie Chunky %d Could Not Be Created **", (int)nChunky);
    return false;
}

// Reads the audio tag and, after "WAVE", the sound track: decoded into sound
// slot 0 when the caller asked for the movie's own (id -1), skipped otherwise.
bool KorvidMovie::ReadMovieSoundTrack(int16_t& nSoundId)
{
    uint8_t Tag[4];
    if (!ReadExactly(m_hMovieFile, Tag, 4)) {
        FailMovieOpen("ERROR: ** KVA Header Truncated **");
        return false;
    }
    if (!TagIs(Tag, "WAVE"))
        return true;
    uint8_t Length[4];
    if (!ReadExactly(m_hMovieFile, Length, 4)) {
        FailMovieOpen("ERROR: ** KVA Header Truncated **");
        return false;
    }
    const uint32_t nLength = GetBE32(Length);
    const int32_t nLeft = Korvid.FileSize(m_hMovieFile) - Korvid.FilePoss(m_hMovieFile);
    if (nLeft < 0 || nLength > (uint32_t)nLeft) {
        FailMovieOpen("ERROR: ** KVA Sound Track Length %u Beyond the File **", nLength);
        return false;
    }
    uint8_t* pImage = nSoundId == -1 && nLength ? (uint8_t*)Korvid.AllocMemory(nLength) : nullptr;
    if (!pImage) {
        if (nSoundId != -1)
            Korvid.DebugLog("Using Alternative Pre-Loaded Audio");
        Korvid.FileSeek(m_hMovieFile, (int32_t)nLength, 1);
        return true;
    }
    if (!ReadExactly(m_hMovieFile, pImage, nLength)) {
        Korvid.FreeMemory(pImage);
        FailMovieOpen("ERROR: ** KVA Header Truncated **");
        return false;
    }
    // The slot owns the image from here on, and releases it itself when decoding fails.
    if (Korvid.DecodeWAV(0, pImage, nLength, true))
        nSoundId = 0;
    return true;
}

int KorvidMovie::OpenMovie(uint32_t nChunky, const char* szName, int16_t nSoundId)
{
    CloseMovie();
    m_nMovieFrame = 0;
    m_nMovieSkipped = 0;
    m_bMovieSkipping = 0;
    m_bMovieHadKeyFrame = false;
    m_hMovieFile = szName ? Korvid.FileOpen(szName, KOR_FILE_READ) : 0;
    if (!m_hMovieFile) {
        Korvid.DebugLog("Korvid: Failed to Open Movie '%s'", szName ? szName : "");
        return 0;
    }
    m_bMovieOpen = 1;
    if (!ReadMovieHeader() || !PrepareMovieChunky(nChunky))
        return 0;
    m_nMovieChunky = nChunky;
    Korvid.DebugLog("Frames, %d, %dx%d %dfps", m_nMovieFrameCount, m_nMovieWidth, m_nMovieHeight,
                    1000 / m_nMovieFrameTime);
    for (uint32_t n = 0; n < 256; ++n)
        Korvid.SetPaletteEntry(n, 0, 0, 0);

    // Cleared so that a delta frame before any key frame meets a defined picture.
    m_pMovieReference = (uint8_t*)Korvid.AllocMemory((uint32_t)m_nMovieFrameSize, KOR_MEM_CLEAR);
    m_pMovieWork = (uint8_t*)Korvid.AllocMemory((uint32_t)m_nMovieFrameSize, KOR_MEM_CLEAR);
    if (!m_pMovieReference || !m_pMovieWork)
        return FailMovieOpen("ERROR: ** Couldn't Allocate Frame Buffer(s) **");
    if (!ReadMovieSoundTrack(nSoundId))
        return 0;

    Korvid.ClearChunky(nChunky, Korvid.ClearColour());
    Korvid.ShowPalette(0);
    m_nMovieSound = nSoundId;
    return 1;
}

void KorvidMovie::CloseMovie()
{
    if (m_bMovieOpen) {
        Korvid.FileClose(m_hMovieFile);
        m_hMovieFile = 0;
        Korvid.StopSound(0);
        Korvid.FreeSound(0);
        m_bMovieOpen = 0;
        if (m_nMovieFrame > 0)
            Korvid.DebugLog("Movie Closed at %d Frames. Ave Frame Time = %dms, Frames Skipped %d", m_nMovieFrame,
                            (int)((Korvid.Timer() - m_nMovieStart) / (uint32_t)m_nMovieFrame), m_nMovieSkipped);
    }
    if (m_pMovieReference)
        Korvid.FreeMemory(m_pMovieReference);
    if (m_pMovieWork)
        Korvid.FreeMemory(m_pMovieWork);
    m_pMovieReference = m_pMovieWork = nullptr;
}
