// What the framework draws over each frame of a mode: the cross-fade from the
// screen the last mode change left, and the mouse pointer.
#include "PlexaModes.h"

namespace {

constexpr uint16_t FADE_BLIT = KOR_BLIT_TRANS | KOR_BLIT_NOCOOKIE;
constexpr int16_t FADE_FULL = 100;

// The accumulation buffer takes the highest free chunky below the font banks,
// where a program's own numbers are least likely to reach.
int64_t FreeChunkyFromTop()
{
    const int64_t nBelowFonts = (int64_t)Korvid.ChunkyTableSize() - 256 * (int64_t)Korvid.FontBankCount();
    for (int64_t nChunky = nBelowFonts - 1; nChunky > 0; --nChunky)
        if (!Korvid.ChunkyExists((uint32_t)nChunky))
            return nChunky;
    return -1;
}

}  // namespace

bool PlexaFramework::MakeAccumulationBuffer()
{
    if (m_bHasAccumulation)
        return Korvid.ChunkyExists(m_nAccumulation);
    const int64_t nChunky = FreeChunkyFromTop();
    if (nChunky < 0 || !Korvid.InitChunky((uint32_t)nChunky, Korvid.ChunkyWidth(0), Korvid.ChunkyHeight(0),
                                          Korvid.DisplayDepth())) {
        Korvid.DebugLog("ERROR: ** No Chunky Free For The Accumulation Buffer **");
        return false;
    }
    m_bHasAccumulation = true;
    m_nAccumulation = (uint32_t)nChunky;
    Korvid.DebugLog("Initialized Accumulation Buffer [%d]", (int)nChunky);
    return true;
}

// A requested fade keeps this frame's screen; the frames after it draw that
// picture over the new one ever more transparently. The counter falls fast at
// first and slowly at the end: 95, 79, 65, 54 ... 2, 1, 0.
void PlexaFramework::RunFade()
{
    if (m_bFadeRequested) {
        if (MakeAccumulationBuffer())
            Korvid.ChunkyCopy(0, m_nAccumulation);
        m_nFadeCounter = PLEXA_FADE_START;
        m_bFadeRequested = false;
        return;
    }
    if (m_nFadeCounter <= 0)
        return;
    // Before the first fade there is no picture to fade from: the counter only runs down.
    if (m_bHasAccumulation && Korvid.ChunkyExists(m_nAccumulation))
        Korvid.Blit(m_nAccumulation, 0, 0, FADE_BLIT, 0, (int16_t)(FADE_FULL - m_nFadeCounter));
    m_nFadeCounter -= m_nFadeCounter / 6 + 1;
}

void PlexaFramework::DrawPointer()
{
    if (m_nPointer != PLEXA_NO_POINTER && m_bPointerShown)
        Korvid.Blit((uint32_t)m_nPointer, Korvid.MouseX() - 1, Korvid.MouseY() - 1, KOR_BLIT_COOKIE, 0, -1);
}
