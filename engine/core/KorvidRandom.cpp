// The universal generator of Marsaglia, Zaman and Tsang ("RANMAR") in single
// precision: 97 lagged values combined by subtraction modulo 1, and an
// arithmetic sequence c subtracted from each result. Every value is a multiple
// of 2^-24, so single-precision arithmetic here is exact and the sequence is
// the same on every machine.
#include "core/KorvidRandom.h"

#include <cmath>

#include "korvid.h"

namespace {

constexpr int32_t SEED_RANGE = 32000;
constexpr int LAG_COUNT = 97;
constexpr uint32_t LAG_I_START = 96;
constexpr uint32_t LAG_J_START = 32;
constexpr int BITS_PER_VALUE = 24;
constexpr float C_START = 362436.0f / 16777216.0f;
constexpr float C_DECREMENT = 7654321.0f / 16777216.0f;
constexpr float C_MODULUS = 16777213.0f / 16777216.0f;

int32_t FoldSeed(int32_t nSeed)
{
    // The same as adding or subtracting 32000 until the seed lies in 0..32000.
    if (nSeed < 0)
        return SEED_RANGE - 1 - (-(int64_t)nSeed - 1) % SEED_RANGE;
    if (nSeed > SEED_RANGE)
        return (nSeed - 1) % SEED_RANGE + 1;
    return nSeed;
}

uint32_t StepDown(uint32_t nLag) { return nLag == 0 ? LAG_COUNT - 1 : nLag - 1; }

}  // namespace

KorvidRandom::KorvidRandom() { RandomSeed(1); }

void KorvidRandom::RandomSeed(int32_t nSeed)
{
    nSeed = FoldSeed(nSeed);
    RandomSeedPair(nSeed, SEED_RANGE - nSeed);
}

void KorvidRandom::RandomSeedPair(int32_t nFirst, int32_t nSecond)
{
    nFirst = FoldSeed(nFirst);
    nSecond = FoldSeed(nSecond);
    int32_t i = (nFirst / 177) % 177 + 2, j = nFirst % 177 + 2;
    int32_t k = (nSecond / 169) % 178 + 1, l = nSecond % 169;
    for (float& fValue : m_Random.u) {
        float s = 0.0f, t = 0.5f;
        for (int nBit = 0; nBit < BITS_PER_VALUE; ++nBit) {
            int32_t m = (((i * j) % 179) * k) % 179;
            i = j;
            j = k;
            k = m;
            l = (53 * l + 1) % 169;
            if ((l * m) % 64 >= 32)
                s += t;
            t *= 0.5f;
        }
        fValue = s;
    }
    m_Random.c = C_START;
    m_Random.cd = C_DECREMENT;
    m_Random.cm = C_MODULUS;
    m_Random.i = LAG_I_START;
    m_Random.j = LAG_J_START;
}

float KorvidRandom::RandomUniform()
{
    GeneratorState& R = m_Random;
    float v = R.u[R.i] - R.u[R.j];
    if (v < 0.0f)
        v += 1.0f;
    R.u[R.i] = v;
    R.i = StepDown(R.i);
    R.j = StepDown(R.j);
    R.c -= R.cd;
    if (R.c < 0.0f)
        R.c += R.cm;
    v -= R.c;
    if (v < 0.0f)
        v += 1.0f;
    return v;
}

// Rounding down (not toward zero) keeps every integer of a range that spans
// zero equally likely and leaves a negative low end reachable.
int32_t KorvidRandom::RandomRange(int32_t nLow, int32_t nHigh)
{
    float fSpan = (float)((int64_t)nHigh - nLow + 1);
    float fValue = RandomUniform() * fSpan + (float)nLow;
    if (fValue > (float)nHigh)
        return nHigh;
    int64_t nValue = (int64_t)std::floor(fValue);
    return nValue < nLow ? nLow : (int32_t)nValue;
}

int32_t KorvidRandom::Random32767() { return (int32_t)(RandomUniform() * 32767.0f); }

int32_t KorvidRandom::RandomBelow(int32_t n)
{
    float fValue = RandomUniform();
    if (n <= 0)
        return 0;
    int64_t nValue = (int64_t)(fValue * (float)n);
    return nValue >= n ? n - 1 : (int32_t)nValue;
}

void KorvidRandom::PushRandom()
{
    if (m_nRandomDepth >= STACK_DEPTH) {
        Korvid.DebugLog("WARNING: ** Random Stack FULL - %d Pushes **", m_nRandomDepth);
        return;
    }
    m_RandomStack[m_nRandomDepth++] = m_Random;
    if (m_nRandomDepth > m_nRandomDeepest)
        m_nRandomDeepest = m_nRandomDepth;
}

void KorvidRandom::PopRandom()
{
    if (m_nRandomDepth < 1) {
        Korvid.DebugLog("WARNING: ** Random Stack EMPTY **");
        return;
    }
    m_Random = m_RandomStack[--m_nRandomDepth];
}
