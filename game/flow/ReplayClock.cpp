#include "ReplayClock.h"

namespace {
constexpr uint32_t START = 1000;
}

void ReplayClock::Record(OSGeneric* pUnder)
{
    m_pUnder = pUnder;
    m_bRecording = true;
    m_nUnderStart = pUnder->GetTicks();
}

void ReplayClock::Replay(OSGeneric* pUnder, bool bPaced)
{
    m_pUnder = pUnder;
    m_bRecording = false;
    m_bPaced = bPaced;
}

// The clock never runs backwards: a clock underneath that stands still while
// the engine waits (the demo's) is moved on by the waits passed to it.
void ReplayClock::CatchUp()
{
    const uint32_t nUnder = START + (m_pUnder->GetTicks() - m_nUnderStart);
    if ((int32_t)(nUnder - m_nNow) > 0)
        m_nNow = nUnder;
}

void ReplayClock::Delay(uint32_t nMilliseconds)
{
    if (m_bRecording || m_bPaced)
        m_pUnder->Delay(nMilliseconds);
    m_nNow += nMilliseconds;
    if (m_bRecording)
        CatchUp();
}

uint32_t ReplayClock::StartFrame()
{
    CatchUp();
    return m_nNow;
}

void ReplayClock::StartFrameAt(uint32_t nTime)
{
    m_nNow = nTime;
    if (!m_bPaced)
        return;
    if (!m_bPaceStarted) {
        m_bPaceStarted = true;
        m_nPaceTime = nTime;
        m_nPaceUnder = m_pUnder->GetTicks();
    }
    while ((int32_t)(m_pUnder->GetTicks() - m_nPaceUnder) < (int32_t)(nTime - m_nPaceTime))
        m_pUnder->Delay(1);
}
