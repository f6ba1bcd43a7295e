// Playing a movie: frame pacing on the millisecond timer, palette changes,
// decoding key and delta frames, drawing them centred, and skipping runs of
// delta frames when playback lags far behind.
#include <cstring>

#include "gfx/ImageFiles.h"
#include "gfx/Movie.h"
#include "korvid.h"

using namespace KorvidImage;

namespace {

constexpr uint32_t MOVIE_PALETTE_SIZE = 768;
constexpr uint8_t MOVIE_SOUND_FLAGS = 4;
constexpr int16_t MOVIE_SOUND_VOLUME = 100;

bool TagIs(const uint8_t* pTag, const char* szTag) { return memcmp(pTag, szTag, 4) == 0; }

bool IsKeyFrame(uint8_t nType) { return nType == 2 || nType == 4 || nType == 6; }

}  // namespace

bool KorvidMovie::MovieEndedEarly()
{
    Korvid.DebugLog("ERROR: ** Movie File Ends Early at Frame %d of %d **", m_nMovieFrame, m_nMovieFrameCount);
    return false;
}

bool KorvidMovie::ReadFramePalette()
{
    uint8_t Tag[4];
    if (!ReadExactly(m_hMovieFile, Tag, 4))
        return MovieEndedEarly();
    if (!TagIs(Tag, "CMAP"))
        return true;
    uint8_t Palette[MOVIE_PALETTE_SIZE];
    if (!ReadExactly(m_hMovieFile, Palette, sizeof(Palette)))
        return MovieEndedEarly();
    for (int n = 0; n < 256; ++n) {
        Korvid.SetPaletteRed((uint8_t)n, Palette[n * 3]);
        Korvid.SetPaletteGreen((uint8_t)n, Palette[n * 3 + 1]);
        Korvid.SetPaletteBlue((uint8_t)n, Palette[n * 3 + 2]);
    }
    Korvid.ShowPalette(0);
    return true;
}

// Decodes the work frame in place. Whatever a decoder did not produce is
// cleared, so a short or refused block leaves black in a key frame and no
// change in a delta frame rather than stale bytes.
void KorvidMovie::DecodeWorkFrame(uint8_t nType, int32_t nLength)
{
    int32_t nProduced;
    switch (nType) {
    case 2:
    case 3: nProduced = Korvid.ZDeCompress(m_pMovieWork, nLength, m_nMovieFrameSize); break;
    case 4:
    case 5: nProduced = Korvid.DeCompress(m_pMovieWork, nLength, m_nMovieFrameSize); break;
    case 6:
    case 7: nProduced = Korvid.XDeCompress(m_pMovieWork, nLength, m_nMovieFrameSize); break;
    default: nProduced = nLength; break;
    }
    if (nProduced < 0)
        nProduced = 0;
    if (nProduced < m_nMovieFrameSize)
        memset(m_pMovieWork + nProduced, 0, (size_t)(m_nMovieFrameSize - nProduced));
}

// Writes the frame into the target chunky: centred when the target is the used
// chunky, else at its top-left and then blitted centred into the used chunky.
void KorvidMovie::DrawMovieFrame(bool bKeyFrame)
{
    ChunkyObject* pTarget = Korvid.ExistingChunky(m_nMovieChunky);
    if (!pTarget || pTarget->nWidth < m_nMovieWidth || pTarget->nHeight < m_nMovieHeight)
        return;
    const bool bTargetUsed = Korvid.UsedChunkyRecord() == pTarget;
    const int32_t nLeft = (pTarget->nWidth - m_nMovieWidth) >> 1;
    const int32_t nTop = (pTarget->nHeight - m_nMovieHeight) >> 1;
    uint8_t* pRow = pTarget->pPixels + (bTargetUsed ? (size_t)nTop * pTarget->nWidth + nLeft : 0);
    const uint8_t* pWork = m_pMovieWork;
    uint8_t* pReference = m_pMovieReference;
    for (int32_t y = 0; y < m_nMovieHeight; ++y, pRow += pTarget->nWidth) {
        if (bKeyFrame) {
            memcpy(pRow, pWork, (size_t)m_nMovieWidth);
        } else {
            for (int32_t x = 0; x < m_nMovieWidth; ++x) {
                pReference[x] ^= pWork[x];
                pRow[x] = pReference[x];
            }
        }
        pWork += m_nMovieWidth;
        pReference += m_nMovieWidth;
    }
    if (bKeyFrame)
        memcpy(m_pMovieReference, m_pMovieWork, (size_t)m_nMovieFrameSize);
    if (!bTargetUsed)
        Korvid.Blit(m_nMovieChunky, (Korvid.DisplayWidth() - m_nMovieWidth) / 2,
                    (Korvid.DisplayHeight() - m_nMovieHeight) / 2, KOR_BLIT_NOCOOKIE, Korvid.ColourWhite(), -1);
    Korvid.Flip();
}

// One frame record: the palette change, then the picture, shown or skipped.
bool KorvidMovie::PlayFrameRecord(uint8_t nFlags, int32_t nLag)
{
    if (!ReadFramePalette())
        return false;
    uint8_t Tag[4];
    if (!ReadExactly(m_hMovieFile, Tag, 4))
        return MovieEndedEarly();
    if (!TagIs(Tag, "FRAM"))
        return true;
    uint8_t Frame[5];
    if (!ReadExactly(m_hMovieFile, Frame, sizeof(Frame)))
        return MovieEndedEarly();
    const uint8_t nType = Frame[0];
    const uint32_t nLength = GetBE32(Frame + 1);
    if (nLength > (uint32_t)m_nMovieFrameSize) {
        Korvid.DebugLog("ERROR: ** Movie Frame %d Data (%u bytes) Larger Than the Frame (%d bytes) **",
                        m_nMovieFrame, nLength, m_nMovieFrameSize);
        return false;
    }
    if (!ReadExactly(m_hMovieFile, m_pMovieWork, nLength))
        return MovieEndedEarly();

    const bool bKeyFrame = IsKeyFrame(nType);
    if ((nFlags & KOR_MOVIE_ALLOWSKIP) && m_nMovieFrame > MOVIE_SKIP_AFTER_FRAME) {
        if (bKeyFrame)
            m_bMovieSkipping = 0;
        else if (nLag > 10 * m_nMovieFrameTime)
            m_bMovieSkipping = 1;
    }
    if (m_bMovieSkipping) {
        ++m_nMovieSkipped;
        if (m_nMovieFrame % 5 == 0)
            Korvid.DebugLog("Lagging on Frame (%d/%d) by %dms", m_nMovieFrame, m_nMovieFrameCount, nLag);
        return true;
    }
    if (!bKeyFrame && !m_bMovieHadKeyFrame)
        Korvid.DebugLog("NOTE: Movie Frame %d is a Delta Frame Before Any Key Frame - Applied to a Cleared Picture",
                        m_nMovieFrame);
    m_bMovieHadKeyFrame = m_bMovieHadKeyFrame || bKeyFrame;
    DecodeWorkFrame(nType, (int32_t)nLength);
    DrawMovieFrame(bKeyFrame);
    return true;
}

int KorvidMovie::UpdateMovie(uint8_t nFlags)
{
    if (!Korvid.DisplayOpen() || !m_bMovieOpen)
        return 0;
    const uint32_t nNow = Korvid.Timer();
    int32_t nLag = 0;
    if (m_nMovieFrame == 0) {
        m_nMovieStart = nNow;
        if (m_nMovieSound >= 0)
            Korvid.PlaySound((uint32_t)m_nMovieSound, MOVIE_SOUND_FLAGS, MOVIE_SOUND_VOLUME);
    } else {
        nLag = (int32_t)(nNow - ((uint32_t)m_nMovieFrame * (uint32_t)m_nMovieFrameTime + m_nMovieStart));
        if (nLag < 0)
            return 1;
    }
    bool bPlayed = PlayFrameRecord(nFlags, nLag);
    if (bPlayed)
        ++m_nMovieFrame;
    if (!bPlayed || m_nMovieFrame >= m_nMovieFrameCount) {
        CloseMovie();
        return 0;
    }
    return 1;
}
