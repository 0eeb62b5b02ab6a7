// A codec of its own kind: standard Base64 that asks for two units more room than the
// text and its NUL need, so that no piece of a file fills the place it asked for.
#include "codec/core/Base64Core.h"

using namespace gs::base64;

extern "C" __declspec(dllexport) int __cdecl CharsNeededToEncode(int byteCount) {
    return byteCount < 0 ? 0 : static_cast<int>(EncodedUnits(byteCount)) + 3;
}
extern "C" __declspec(dllexport) int __cdecl Base64EncodeW(const unsigned char* source, int count,
                                                           wchar_t* destination, int bytes) {
    const auto units = static_cast<int>(EncodedUnits(count));
    if (!destination || units >= bytes / 2)
        return -2;
    Encode(FastestPath(), source, count, reinterpret_cast<char16_t*>(destination));
    destination[units] = L'\0';
    return units;
}
