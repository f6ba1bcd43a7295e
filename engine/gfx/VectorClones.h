// Function multiversioning for the hottest pixel loops: each marked function is
// compiled for AVX2 and for the baseline instruction set, and the loader binds
// the one the processor runs. Both versions compute the same pixels; only the
// width of the vector registers the compiler may use differs.
//
// KORVID_BASELINE_ONLY (CMake option KORVID_VECTOR_CLONES=OFF) builds the baseline
// alone, so that the tests can check, on any machine, the code that processors
// without AVX2 run.
//
// GCC only: clang refuses target_clones on function templates, which the blit
// loops are, so a clang build (the fuzzers) runs the baseline everywhere.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(KORVID_BASELINE_ONLY)
#define KORVID_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KORVID_VECTOR_CLONES
#endif
