// What every fuzz target shares: the engine set up once per process in a
// scratch directory of its own, on a clock that only moves when told to, and
// the input written to a file for the readers that take a file name.
#pragma once
#include <cstddef>
#include <cstdint>

enum class FuzzEngineParts {
    Files,     // memory, file layer and log only
    Sound,     // plus the mixer (dummy audio driver)
    Display,   // a full Init with a small 8-bit window (dummy video driver)
};

// Idempotent. FUZZ_LOG=1 in the environment keeps a debug.log in the scratch
// directory (slow, for looking at one input); otherwise the log stays closed.
void FuzzStartEngine(FuzzEngineParts Parts);

// Writes the bytes to szName under the scratch directory (folders are made).
// A fuzzer that cannot write its input has nothing to test: it aborts.
void FuzzWriteFile(const char* szName, const uint8_t* pData, size_t nSize);

// The engine's clock, which stands still unless a target moves it.
uint32_t FuzzClockNow();
void FuzzAdvanceClock(uint32_t nMilliseconds);

// Fails (through FuzzFail with szWhat) when any of the nSize bytes at pBlock
// lies outside a live allocation, as the address checker sees it. Without the
// checker every byte is read, so that at least unmapped memory faults.
void FuzzCheckReadable(const void* pBlock, size_t nSize, const char* szWhat);

// Reports an oracle failure (a reader gave a wrong answer without crashing)
// and aborts, so that the fuzzer keeps the input.
[[noreturn]] void FuzzFail(const char* szWhat);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);
