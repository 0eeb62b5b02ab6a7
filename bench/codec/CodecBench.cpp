// Codec throughput beside memcpy, measured in the same run on warm buffers: encoding
// 30,000,000 bytes to UTF-16 text, and decoding that NUL-terminated text back as
// Base64DecodeW does, for each processor path, against a memcpy of the
// text's 80,000,000 bytes. Each figure is the best of several rounds, the rounds of all
// operations interleaved so that they see the same machine.
//   codec_bench [rounds]    (default 15)
#include "codec/core/Base64Core.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using gs::base64::Path;

constexpr std::size_t kSourceBytes = 30'000'000;
constexpr std::size_t kTextUnits = gs::base64::EncodedUnits(kSourceBytes);
constexpr std::size_t kCopyBytes = 80'000'000;

struct Measured {
    std::string name;
    double bytesPerRun = 0;
    std::function<void()> run;
    double best = 1e30;
};

double SecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

const char* NameOf(Path path) {
    switch (path) {
    case Path::Scalar:
        return "scalar";
    case Path::Ssse3:
        return "ssse3";
    case Path::Avx2:
        return "avx2";
    }
    return "?";
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<std::uint8_t> source(kSourceBytes);
    std::mt19937 random(42);
    for (auto& byte : source)
        byte = static_cast<std::uint8_t>(random());
    std::u16string text(kTextUnits, u'\0');
    std::vector<std::uint8_t> decoded(gs::base64::DecodedBytesAtMost(kTextUnits), 0);
    std::vector<char> copyFrom(kCopyBytes, 1);
    std::vector<char> copyTo(kCopyBytes, 0);

    std::vector<Measured> measured;
    measured.push_back({"memcpy 80,000,000 bytes", double(kCopyBytes),
                        [&] { std::memcpy(copyTo.data(), copyFrom.data(), kCopyBytes); }});
    bool allDecoded = true;
    for (Path path : {Path::Scalar, Path::Ssse3, Path::Avx2}) {
        if (!gs::base64::IsSupported(path)) {
            std::printf("%-8s not supported by this processor\n", NameOf(path));
            continue;
        }
        measured.push_back({std::string("encode ") + NameOf(path), double(kSourceBytes), [&, path] {
                                gs::base64::Encode(path, source.data(), kSourceBytes, text.data());
                            }});
        measured.push_back({std::string("decode ") + NameOf(path), double(kSourceBytes), [&, path] {
                                const auto produced = gs::base64::DecodeText(
                                    path, text.c_str(), decoded.data(), decoded.size());
                                allDecoded = allDecoded && produced == std::ptrdiff_t(kSourceBytes);
                            }});
    }

    for (int round = 0; round <= rounds; ++round) {
        for (auto& item : measured) {
            const double seconds = SecondsOf(item.run);
            if (round > 0) // the first round only warms the buffers
                item.best = std::min(item.best, seconds);
        }
    }
    if (!allDecoded || !std::equal(source.begin(), source.end(), decoded.begin())) {
        std::printf("decoded data differs from the source\n");
        return 1;
    }

    const double copy = measured.front().best;
    std::printf("%-26s %10s %12s %14s\n", "operation", "ms", "GB/s", "x memcpy");
    for (const auto& item : measured)
        std::printf("%-26s %10.2f %12.2f %14.2f\n", item.name.c_str(), item.best * 1e3,
                    item.bytesPerRun / item.best / 1e9, item.best / copy);
    std::printf("GB/s: bytes of binary data per second (memcpy: bytes copied); best of %d rounds\n",
                rounds);
    return 0;
}
