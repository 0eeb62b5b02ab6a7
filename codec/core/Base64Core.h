#pragma once
// Standard Base64 (RFC 4648 alphabet, '=' padding) between bytes and 16-bit text units.
// Portable: no Windows header, so the same sources build into Base64.dll and into the
// native sanitizer and fuzzing build. Each processor path gives the same results; the
// fastest one the processor supports is chosen once.
//
// What the decoder accepts: characters of the alphabet in groups of four; the last group
// may end in "=" or "==", and then nothing but line breaks may follow; CR and LF are
// skipped wherever they stand. Anything else (another character, a unit above 0xFF, a
// NUL inside the counted text, a group cut short, padding bits that are not zero) makes
// the whole text invalid. An empty text decodes to no bytes.
#include <cstddef>
#include <cstdint>

namespace gs::base64 {

enum class Path { Scalar, Ssse3, Avx2 };

// Decode results below zero.
inline constexpr std::ptrdiff_t kInvalidText = -1;
inline constexpr std::ptrdiff_t kDestinationTooSmall = -2;

// Units of the encoded form of byteCount bytes, without a closing NUL.
constexpr std::size_t EncodedUnits(std::size_t byteCount) {
    return byteCount / 3 * 4 + (byteCount % 3 != 0 ? 4 : 0);
}

// The most bytes a text of unitCount units can decode to.
constexpr std::size_t DecodedBytesAtMost(std::size_t unitCount) {
    return unitCount / 4 * 3;
}

bool IsSupported(Path path);

// The fastest supported path, decided at the first call.
Path FastestPath();

// Writes exactly EncodedUnits(byteCount) units (no NUL) to destination.
void Encode(Path path, const std::uint8_t* source, std::size_t byteCount, char16_t* destination);

// Decodes unitCount units of text into at most capacity bytes. Gives the number of bytes
// produced, kInvalidText or kDestinationTooSmall. Never writes past capacity; on a
// negative result the destination holds an unspecified prefix of the output.
std::ptrdiff_t Decode(Path path, const char16_t* text, std::size_t unitCount,
                      std::uint8_t* destination, std::size_t capacity);

// Decodes the NUL-terminated text. Reads it in one pass: the text is taken a memory page
// at a time, and the vector paths may read past the NUL up to the end of its page, never
// into a page the text does not reach.
std::ptrdiff_t DecodeText(Path path, const char16_t* text, std::uint8_t* destination,
                          std::size_t capacity);

// Units before the NUL that ends text.
std::size_t TextLength(const char16_t* text);

} // namespace gs::base64
