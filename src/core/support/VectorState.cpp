#include "support/VectorState.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

namespace sono {

namespace {
__attribute__((target("avx"))) void zeroUpper() {
    _mm256_zeroupper();
}
} // namespace

void clearUpperVectorHalves() {
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) zeroUpper();
}

} // namespace sono
#else
namespace sono {
void clearUpperVectorHalves() {}
} // namespace sono
#endif
