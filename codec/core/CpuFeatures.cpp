// Processor features read once with cpuid. AVX2 also needs the operating system to save
// the YMM registers (XCR0 bits 1 and 2), which the cpuid bit alone does not say.
#include "codec/core/Kernels.h"

#include <cpuid.h>

namespace gs::base64::detail {
namespace {

struct Features {
    bool ssse3 = false;
    bool avx2 = false;
};

std::uint32_t ReadXcr0() {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

Features Detect() {
    Features features;
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return features;
    features.ssse3 = (c & bit_SSSE3) != 0;
    const bool osSavesYmm = (c & bit_OSXSAVE) != 0 && (c & bit_AVX) != 0 && (ReadXcr0() & 6) == 6;
    if (osSavesYmm && __get_cpuid_count(7, 0, &a, &b, &c, &d))
        features.avx2 = (b & bit_AVX2) != 0;
    return features;
}

const Features& Cpu() {
    static const Features features = Detect();
    return features;
}

} // namespace

bool CpuHasSsse3() {
    return Cpu().ssse3;
}
bool CpuHasAvx2() {
    return Cpu().avx2;
}

} // namespace gs::base64::detail
