#pragma once
// Turning the fuzzer's bytes into the inputs of the readers, and the targets' check.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzz {

// A broken invariant is a finding: libFuzzer keeps the input that aborts.
inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Consumes bytes from the front of the input.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Remaining() const { return m_size; }

    std::uint32_t TakeUint16() {
        std::uint32_t value = 0;
        for (int i = 0; i < 2 && m_size > 0; ++i, ++m_data, --m_size)
            value |= std::uint32_t{*m_data} << (8 * i);
        return value;
    }

    // The rest as 16-bit little-endian units (an odd last byte is dropped).
    std::u16string RestAsUnits() {
        std::u16string units;
        while (m_size >= 2)
            units += static_cast<char16_t>(TakeUint16());
        m_size = 0;
        return units;
    }

    std::string RestAsBytes() {
        std::string bytes(reinterpret_cast<const char*>(m_data), m_size);
        m_size = 0;
        return bytes;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// The units as wchar_t text, whatever wchar_t's width here; the text ends at its first NUL.
inline std::wstring AsWide(const std::u16string& units) {
    return std::wstring(units.begin(), units.end());
}

} // namespace fuzz
