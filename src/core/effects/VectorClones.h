#pragma once
// Loops whose arithmetic needs more than the x86-64 baseline offers (rounding a vector of doubles
// to whole numbers takes SSE4.1) are built twice, for AVX2 and for the baseline, and the loader
// picks the one the machine runs, so a release build stays portable. Only GCC builds the pair:
// clang cannot yet clone templates. Fused multiply-add is left out on purpose, since it would
// round differently from the scalar arithmetic.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define SONO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define SONO_VECTOR_CLONES
#endif

// Loops written out with AVX2 instructions (where the compiler's own vectors do not go far enough)
// are built on x86-64 by both compilers and taken only where the machine has AVX2.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define SONO_AVX2_LOOPS 1
inline bool machineHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif
