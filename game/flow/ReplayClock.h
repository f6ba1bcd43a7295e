// The clock of a recorded or replayed game. Time stands still while a frame
// runs, so every reading of the clock in one frame gives the frame's time.
// Recording, it follows the clock underneath (the real one, or the demo's);
// replaying, the recorded frame lengths set it, and waits only pass on to the
// real clock when the replay is paced like the game it came from.
#pragma once
#include "platform/OSEnvironment.h"

class ReplayClock : public OSEnvironment {
public:
    // Takes the place of the engine's platform object, over pUnder.
    void Record(OSGeneric* pUnder);
    void Replay(OSGeneric* pUnder, bool bPaced);

    uint32_t GetTicks() override { return m_nNow; }
    void Delay(uint32_t nMilliseconds) override;

    // Recording: the time of the frame that starts now.
    uint32_t StartFrame();
    // Replaying: the frame's time as recorded; paced, after the real wait for it.
    void StartFrameAt(uint32_t nTime);

private:
    void CatchUp();

    OSGeneric* m_pUnder = nullptr;
    bool m_bRecording = false;
    bool m_bPaced = false;
    uint32_t m_nNow = 1000;
    uint32_t m_nUnderStart = 0;          // m_pUnder's time when this clock read 1000
    bool m_bPaceStarted = false;
    uint32_t m_nPaceTime = 0, m_nPaceUnder = 0;   // a frame's time and m_pUnder's then
};
