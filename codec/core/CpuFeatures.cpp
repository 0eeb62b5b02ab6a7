// Processor features read once with cpuid. AVX2 also needs the operating system to save
// the YMM registers (XCR0 bits 1 and 2), which the cpuid bit alone does not say.
#include "codec/core/Kernels.h"

#include <cpuid.h>

#include <atomic>

namespace gs::base64::detail {
namespace {

enum Feature : unsigned { kRead = 1, kSsse3 = 2, kAvx2 = 4 };

std::uint32_t ReadXcr0() {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

unsigned Detect() {
    unsigned features = kRead;
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return features;
    if (c & bit_SSSE3)
        features |= kSsse3;
    const bool osSavesYmm = (c & bit_OSXSAVE) != 0 && (c & bit_AVX) != 0 && (ReadXcr0() & 6) == 6;
    if (osSavesYmm && __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & bit_AVX2))
        features |= kAvx2;
    return features;
}

// A plain atomic rather than a function-local static: the static's thread-safe guard
// would pull the C++ runtime's exception machinery into the library. Detection gives
// the same answer every time, so threads that race to the first read store the same
// value.
std::atomic<unsigned> g_features{0};

unsigned Cpu() {
    unsigned features = g_features.load(std::memory_order_relaxed);
    if (features == 0) {
        features = Detect();
        g_features.store(features, std::memory_order_relaxed);
    }
    return features;
}

} // namespace

bool CpuHasSsse3() {
    return (Cpu() & kSsse3) != 0;
}
bool CpuHasAvx2() {
    return (Cpu() & kAvx2) != 0;
}

} // namespace gs::base64::detail
