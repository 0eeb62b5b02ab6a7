#pragma once
// The value of a skin's image attribute: a file name, or a list of key='value' pairs
// separated by blanks (file, source, corner, dest, mask, fade, hole, xtiled, ytiled).
// Portable: no Windows header, so the reader also builds natively for the fuzzer.
#include <cstdint>
#include <string>
#include <string_view>

namespace DuiLib {

struct ImageBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ImageBox&) const = default;
};

struct ImageValue {
    std::wstring file;      // relative to the skin folder, checked by IsSkinRelativePath
    bool hasSource = false; // else the whole image
    ImageBox source;        // image pixels: left, top, right, bottom
    ImageBox corner;        // nine-grid insets in image pixels
    bool hasDest = false;   // else the whole control
    ImageBox dest;          // offsets from the control's top-left: left, top, right, bottom
    bool hasMask = false;
    std::uint32_t mask = 0; // 0xAARRGGBB; pixels of its colour are transparent
    int fade = 255;         // overall opacity
    bool hole = false;      // the nine-grid's centre is not drawn
    bool xtiled = false;
    bool ytiled = false;
    bool operator==(const ImageValue&) const = default;
};

// False for a value that does not read: an unknown key, an unterminated quote, a number
// out of range, a list without a file, a path that is not inside the skin folder.
bool ParseImageValue(std::wstring_view value, ImageValue& image);

// A file name inside the skin folder: not empty, no drive, no root, no UNC or device
// path, and no ".." that climbs above the folder.
bool IsSkinRelativePath(std::wstring_view file);

} // namespace DuiLib
