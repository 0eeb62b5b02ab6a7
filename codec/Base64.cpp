// The exported entry points: argument checks and the mapping of wchar_t to the core's
// 16-bit units.
#include "codec/Base64.h"

#include "codec/core/Base64Core.h"

#include <climits>

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

using namespace gs::base64;

} // namespace

extern "C" int BASE64_CALL CharsNeededToEncode(int byteCount) {
    if (byteCount < 0)
        return 0;
    const std::size_t units = EncodedUnits(static_cast<std::size_t>(byteCount)) + 1;
    return units > INT_MAX ? 0 : static_cast<int>(units);
}

extern "C" int BASE64_CALL BytesNeededToDecode(int charCount, int /*reserved*/) {
    return charCount < 0 ? 0 : static_cast<int>(DecodedBytesAtMost(charCount));
}

extern "C" int BASE64_CALL Base64EncodeW(const unsigned char* source, int sourceBytes,
                                         wchar_t* destination, int destinationBytes) {
    if (destination == nullptr || destinationBytes < 2)
        return BASE64_DESTINATION_TOO_SMALL;
    destination[0] = L'\0';
    if (sourceBytes < 0 || (source == nullptr && sourceBytes > 0))
        return BASE64_INVALID_TEXT;
    const std::size_t units = EncodedUnits(static_cast<std::size_t>(sourceBytes));
    if (units >= static_cast<std::size_t>(destinationBytes) / 2)
        return BASE64_DESTINATION_TOO_SMALL;
    Encode(FastestPath(), source, static_cast<std::size_t>(sourceBytes),
           reinterpret_cast<char16_t*>(destination));
    destination[units] = L'\0';
    return static_cast<int>(units);
}

extern "C" int BASE64_CALL Base64DecodeW(const wchar_t* source, unsigned char* destination,
                                         int destinationBytes) {
    if (source == nullptr || destinationBytes < 0 ||
        (destination == nullptr && destinationBytes > 0))
        return BASE64_INVALID_TEXT;
    const auto* text = reinterpret_cast<const char16_t*>(source);
    return static_cast<int>(
        DecodeText(FastestPath(), text, destination, static_cast<std::size_t>(destinationBytes)));
}
