// The bandwidth test: each time the back buffer is set up, presentation is
// timed with and without the dirty list and the faster way is kept.
#include "gfx/KorvidGFX.h"

#include "gfx/GfxInternal.h"
#include "korvid.h"

using namespace KorvidGfxInternal;

namespace {

constexpr uint32_t MIN_MILLISECONDS = 400;
constexpr uint32_t MIN_FRAMES = 2;
constexpr uint32_t MAX_FRAMES = 30;

}  // namespace

void KorvidGFX::FreeShadowBuffer()
{
    Release(m_pShadowBuffer);
    m_nShadowSize = 0;
}

// Presents frames back to back and returns the output rate in MB per second.
// With bDisturbShadow about one byte in nine of the shadow is inverted before
// each frame, so the dirty list finds a realistic share of changed groups.
float KorvidGFX::MeasurePresentation(const char* szLabel, float fOutputMB, bool bDisturbShadow)
{
    uint32_t nStart = Korvid.OS()->GetTicks();
    uint32_t nFrames = 0, nElapsed = 0;
    do {
        if (bDisturbShadow && m_pShadowBuffer)
            for (uint32_t n = 0; n < m_nShadowSize; n += 9)
                m_pShadowBuffer[n] = (uint8_t)~m_pShadowBuffer[n];
        Korvid.Flip();
        ++nFrames;
        nElapsed = Korvid.OS()->GetTicks() - nStart;
    } while ((nElapsed < MIN_MILLISECONDS || nFrames < MIN_FRAMES) && nFrames < MAX_FRAMES);
    // A clock that did not move still measured under one millisecond.
    float fSeconds = (nElapsed ? nElapsed : 1) / 1000.0f;
    float fRate = fOutputMB * nFrames / fSeconds;
    Korvid.DebugLog("%s: %d Frames in %.2fsecs, %.2fMB/sec, %.2ffps", szLabel, (int)nFrames, fSeconds, fRate,
                    nFrames / fSeconds);
    return fRate;
}

void KorvidGFX::RunBandwidthTest()
{
    FreeShadowBuffer();
    float fPixels = (float)m_nDisplayWidth * m_nDisplayHeight;
    float fSourceMB = m_nBytesPerPixel * fPixels / 1048576.0f;
    float fOutputMB = fPixels * m_Format.nScreenBytesPerPixel / 1048576.0f;
    Korvid.DebugLog("Bandwidth Test: %.2fMB Source Frame, %.2fMB Output Frame==", fSourceMB, fOutputMB);
    float fRateOff = MeasurePresentation("DirtyList Off", fOutputMB, false);

    uint32_t nShadowSize = BufferSize(m_nDisplayWidth, m_nDisplayHeight, m_nBytesPerPixel);
    m_pShadowBuffer = nShadowSize ? (uint8_t*)Korvid.AllocMemory(nShadowSize, KOR_MEM_CLEAR) : nullptr;
    if (!m_pShadowBuffer)
        return;
    m_nShadowSize = nShadowSize;
    m_bFullUpdate = 1;
    Korvid.Flip();
    float fRateOn = MeasurePresentation("DirtyList On", fOutputMB, true);
    if (fRateOn < fRateOff) {
        Korvid.DebugLog("DirtyList not desirable");
        FreeShadowBuffer();
    } else {
        m_bFullUpdate = 1;
    }
}
