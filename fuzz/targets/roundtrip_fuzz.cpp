// Encode then decode on every processor path: the same text from each path, exactly
// EncodedUnits units into an exact-size buffer, and the input back.
#include "FuzzInput.h"
#include "codec/core/Base64Core.h"

#include <cstring>
#include <memory>
#include <string>

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using gs::base64::Path;
    const std::size_t units = gs::base64::EncodedUnits(size);
    auto source = std::make_unique<std::uint8_t[]>(size);
    std::memcpy(source.get(), data, size);
    std::u16string first;
    for (Path path : {Path::Scalar, Path::Ssse3, Path::Avx2}) {
        if (!gs::base64::IsSupported(path))
            continue;
        auto text = std::make_unique<char16_t[]>(units);
        gs::base64::Encode(path, source.get(), size, text.get());
        const std::u16string encoded(text.get(), units);
        if (path == Path::Scalar)
            first = encoded;
        Check(encoded == first);

        const std::size_t capacity = gs::base64::DecodedBytesAtMost(units);
        Check(capacity >= size && capacity < size + 3);
        auto back = std::make_unique<std::uint8_t[]>(capacity);
        Check(gs::base64::Decode(path, text.get(), units, back.get(), capacity) ==
              static_cast<std::ptrdiff_t>(size));
        Check(std::memcmp(back.get(), data, size) == 0);
    }
    return 0;
}
