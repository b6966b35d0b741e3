#include "ui/vector_state.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void ZeroUpperHalves() { _mm256_zeroupper(); }

// Whether the processor and the system support the wide registers at all.
const bool kHasWideVectors = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") != 0;
}();

}  // namespace

void ClearVectorState()
{
    if (kHasWideVectors)
        ZeroUpperHalves();
}

#else

void ClearVectorState() {}

#endif
