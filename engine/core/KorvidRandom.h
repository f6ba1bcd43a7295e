// The engine's one random generator (a lagged-Fibonacci universal generator in
// single precision) with a four-deep stack of saved states.
#pragma once
#include <cstdint>

class KorvidRandom {
public:
    static constexpr int STACK_DEPTH = 4;

    KorvidRandom();
    void RandomSeed(int32_t nSeed);
    // The generator's native two-seed start; RandomSeed(s) is RandomSeedPair(s, 32000 - s).
    void RandomSeedPair(int32_t nFirst, int32_t nSecond);
    float RandomUniform();
    int32_t RandomRange(int32_t nLow, int32_t nHigh);
    int32_t Random32767();
    int32_t RandomBelow(int32_t n);
    void PushRandom();
    void PopRandom();
    int RandomStackDeepest() const { return m_nRandomDeepest; }

private:
    struct GeneratorState {
        float u[97];
        float c, cd, cm;
        uint32_t i, j;
    };
    GeneratorState m_Random = {};
    GeneratorState m_RandomStack[STACK_DEPTH] = {};
    int m_nRandomDepth = 0;
    int m_nRandomDeepest = 0;
};
