#include "codec/core/Base64Core.h"
#include "codec/core/Kernels.h"

#include <string>

namespace gs::base64 {

bool IsSupported(Path path) {
    switch (path) {
    case Path::Scalar:
        return true;
    case Path::Ssse3:
        return detail::CpuHasSsse3();
    case Path::Avx2:
        return detail::CpuHasAvx2();
    }
    return false;
}

Path FastestPath() {
    return IsSupported(Path::Avx2)    ? Path::Avx2
           : IsSupported(Path::Ssse3) ? Path::Ssse3
                                      : Path::Scalar;
}

void Encode(Path path, const std::uint8_t* source, std::size_t byteCount, char16_t* destination) {
    std::size_t done = 0;
    if (path == Path::Avx2)
        done = detail::EncodeBlocksAvx2(source, byteCount, destination);
    else if (path == Path::Ssse3)
        done = detail::EncodeBlocksSsse3(source, byteCount, destination);
    detail::EncodeScalar(source + done, byteCount - done, destination + done / 3 * 4);
}

std::size_t TextLength(const char16_t* text) {
    // Every processor with SSSE3 has SSE2.
    return detail::CpuHasSsse3() ? detail::TextLengthSse2(text)
                                 : std::char_traits<char16_t>::length(text);
}

} // namespace gs::base64
