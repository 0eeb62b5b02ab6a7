#pragma once
// The pieces the processor paths are made of. The vector kernels handle whole blocks of
// plain input and stop where the scalar code has to take over: at the tail, or at the
// first block holding anything but alphabet characters (padding, line breaks, errors).
#include <cstddef>
#include <cstdint>

namespace gs::base64::detail {

struct Progress {
    std::size_t consumed = 0; // text units
    std::size_t produced = 0; // bytes
};

// Each gives the number of source bytes encoded, a multiple of 3; the units written are
// that number / 3 * 4.
std::size_t EncodeBlocksSsse3(const std::uint8_t* source, std::size_t byteCount,
                              char16_t* destination);
std::size_t EncodeBlocksAvx2(const std::uint8_t* source, std::size_t byteCount,
                             char16_t* destination);

// Encodes all byteCount bytes, padding the last group.
void EncodeScalar(const std::uint8_t* source, std::size_t byteCount, char16_t* destination);

Progress DecodeBlocksSsse3(const char16_t* text, std::size_t unitCount, std::uint8_t* destination,
                           std::size_t capacity);
Progress DecodeBlocksAvx2(const char16_t* text, std::size_t unitCount, std::uint8_t* destination,
                          std::size_t capacity);

std::size_t TextLengthSse2(const char16_t* text);

bool CpuHasSsse3();
bool CpuHasAvx2();

} // namespace gs::base64::detail
