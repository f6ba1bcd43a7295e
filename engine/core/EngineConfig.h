// The engine's one record of limits and settings. Built-in defaults live here;
// an application changes them only from its KorvidConfig function (or through
// setters that refuse once the resource they size exists).
#pragma once
#include <cstdint>

// Special frame rates: run without padding, or run exactly one frame and quit.
constexpr uint16_t KOR_FPS_UNLIMITED = 0x6666;
constexpr uint16_t KOR_FPS_ONE_FRAME = 0x7777;

struct KorvidEngineConfig {
    bool bRunning = true;
    int32_t nInitCount = 1;
    uint16_t nFrameRateLimit = 65;
    int32_t nMinFrameTime = 15;          // ms; or one of the two KOR_FPS_ markers
    int16_t nMaxZones = 200;
    int32_t nMaxChunkies = 500;
    int32_t nMaxFonts = 1;
    int32_t nFileWindowSize = 1024;
    bool bSoundRequested = true;
    int32_t nAudioChannels = 2;
    int32_t nAudioSecondCount = 8;
    int32_t nAudioRate = 22050;
    int32_t nSoundSlots = 200;
    bool bShowCursor = true;
    int16_t nMouseButtons = 1;           // raised as higher buttons are seen
    uint32_t nMemoryNoteThreshold = 409600;
    int32_t nMallocCacheSize = 20;
    uint16_t nTraceMask = 0;
};

// The engine object takes its configuration as its first base so that every
// module can read it through Korvid.m_Config from construction on.
class KorvidConfigured {
public:
    KorvidEngineConfig m_Config;
};
