#pragma once
// Decoding a picture file's bytes (PNG, BMP, JPEG, GIF's first frame, whatever the
// system's imaging component reads) into a premultiplied 32-bit top-down bitmap.
#include <cstdint>
#include <string>

#include "platform/ui/SkinImages.h"

namespace DuiLib {

struct PictureLimits {
    int maxSide;
    std::size_t maxBytes; // decoded
};

// With `hasMask`, pixels of the mask's colour (its RGB) become transparent. Fails for
// bytes that are no picture, a picture over the limits, or no memory.
HRESULT DecodePicture(const std::string& bytes, const PictureLimits& limits, bool hasMask,
                      std::uint32_t mask, SkinPicture& picture);

} // namespace DuiLib
