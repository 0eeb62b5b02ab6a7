#pragma once
// Which file a skin's picture is read from at a DPI, and how large it is drawn there. A
// skin names the 1x file; from kTwinDpi on, its twin "name@2x.ext" of twice the size is
// read instead where there is one. Portable.
#include <string>
#include <string_view>

namespace DuiLib {

// From here on the twin is nearer the screen's scale than the 1x file.
constexpr int kTwinDpi = 144;
constexpr int kTwinScale = 2;

// "art/logo.png" -> "art/logo@2x.png"; a name without an extension: "art/logo@2x".
std::wstring TwinFileName(std::wstring_view file);

// A side of a picture drawn at `naturalScale` (1 for the 1x file, kTwinScale for the twin),
// in pixels at `dpi`; at least 1.
int DeviceSide(int side, int dpi, int naturalScale);

} // namespace DuiLib
