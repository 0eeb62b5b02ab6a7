// The decoder: vector blocks while the text is plain alphabet, scalar groups of four
// where it is not. A group holding a line break, padding or an error is read one unit at
// a time; after it, the fast paths resume.
//
// A NUL-terminated text is decoded in the same single pass, without measuring it first:
// the units that may be read end at the end of the memory page the reading has reached.
// Every unit before that limit has been checked not to be the NUL (the vector and group
// checks reject it like any other non-alphabet unit), so the text goes on into the next
// page, and the limit moves there when the unit-by-unit reading arrives at it.
#include "codec/core/Alphabet.h"
#include "codec/core/Base64Core.h"
#include "codec/core/Kernels.h"

#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define GS_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GS_ADDRESS_SANITIZER 1
#endif
#endif

namespace gs::base64 {
namespace {

// Sextets shifted to their place in a group, so that a group's 24 bits are the OR of four
// look-ups; kBad, above those bits, marks a byte outside the alphabet.
constexpr std::uint32_t kBad = 0x80000000u;

constexpr std::array<std::uint32_t, 256> ShiftedSextets(int shift) {
    std::array<std::uint32_t, 256> table{};
    for (std::size_t unit = 0; unit < table.size(); ++unit) {
        const std::uint8_t sextet = detail::kSextets[unit];
        table[unit] = sextet == detail::kNotAlphabet ? kBad : std::uint32_t{sextet} << shift;
    }
    return table;
}

constexpr auto kFirst = ShiftedSextets(18);
constexpr auto kSecond = ShiftedSextets(12);
constexpr auto kThird = ShiftedSextets(6);
constexpr auto kFourth = ShiftedSextets(0);

constexpr int kEndOfText = -1;
constexpr std::size_t kPageBytes = 4096;

bool IsLineBreak(char16_t unit) {
    return unit == u'\r' || unit == u'\n';
}

std::size_t UnitsToPageEnd(const char16_t* text) {
    return (kPageBytes - reinterpret_cast<std::uintptr_t>(text) % kPageBytes) / sizeof(char16_t);
}

class Decoder {
public:
    // A text of exactly unitCount units.
    Decoder(const char16_t* text, std::size_t unitCount, std::uint8_t* destination,
            std::size_t capacity)
        : m_text(text), m_limit(unitCount), m_lengthKnown(true), m_out(destination),
          m_capacity(capacity) {}

    // A NUL-terminated text whose first page may be read; text is 2-byte aligned.
    Decoder(const char16_t* text, std::uint8_t* destination, std::size_t capacity)
        : m_text(text), m_limit(UnitsToPageEnd(text)), m_lengthKnown(false), m_out(destination),
          m_capacity(capacity) {}

    std::ptrdiff_t Run(Path path) {
        for (;;) {
            RunBlocks(path);
            RunPlainGroups();
            switch (DecodeIrregularGroup()) {
            case Step::Continue:
                break;
            case Step::Finished:
                return static_cast<std::ptrdiff_t>(m_written);
            case Step::Invalid:
                return kInvalidText;
            case Step::Full:
                return kDestinationTooSmall;
            }
        }
    }

private:
    enum class Step { Continue, Finished, Invalid, Full };

    void RunBlocks(Path path) {
        detail::Progress progress;
        if (path == Path::Avx2)
            progress = detail::DecodeBlocksAvx2(m_text + m_pos, m_limit - m_pos, m_out + m_written,
                                                m_capacity - m_written);
        else if (path == Path::Ssse3)
            progress = detail::DecodeBlocksSsse3(m_text + m_pos, m_limit - m_pos, m_out + m_written,
                                                 m_capacity - m_written);
        m_pos += progress.consumed;
        m_written += progress.produced;
    }

    // The scalar fast path, on local cursors: the byte stores may alias any member. A
    // group is read as two 32-bit pairs of units, so that one mask finds a unit above 0xFF.
    void RunPlainGroups() {
        const char16_t* group = m_text + m_pos;
        const char16_t* const end = m_text + m_limit;
        std::uint8_t* out = m_out + m_written;
        std::uint8_t* const outEnd = m_out + m_capacity;
        std::uint32_t value = 0;
        // Each store writes the group's three bytes and a fourth that the next one overwrites.
        for (; end - group >= 4 && outEnd - out >= 4 && DecodeGroup(group, &value); group += 4) {
            const std::uint32_t bytes = __builtin_bswap32(value << 8);
            std::memcpy(out, &bytes, sizeof bytes);
            out += 3;
        }
        if (end - group >= 4 && outEnd - out == 3 && DecodeGroup(group, &value)) {
            out[0] = static_cast<std::uint8_t>(value >> 16);
            out[1] = static_cast<std::uint8_t>(value >> 8);
            out[2] = static_cast<std::uint8_t>(value);
            out += 3;
            group += 4;
        }
        m_pos = static_cast<std::size_t>(group - m_text);
        m_written = static_cast<std::size_t>(out - m_out);
    }

    static bool DecodeGroup(const char16_t* group, std::uint32_t* value) {
        std::uint32_t front = 0;
        std::uint32_t back = 0;
        std::memcpy(&front, group, sizeof front);
        std::memcpy(&back, group + 2, sizeof back);
        if (((front | back) & 0xFF00FF00u) != 0)
            return false;
        *value =
            kFirst[front & 0xFF] | kSecond[front >> 16] | kThird[back & 0xFF] | kFourth[back >> 16];
        return (*value & kBad) == 0;
    }

    // One group read unit by unit, skipping line breaks: it may end the text.
    Step DecodeIrregularGroup() {
        std::uint32_t sextets[4] = {};
        int count = 0;
        while (count < 4) {
            const int unit = NextSignificant();
            if (unit == kEndOfText)
                return count == 0 ? Step::Finished : Step::Invalid;
            if (unit == u'=')
                return FinishPadded(sextets, count);
            const std::uint8_t sextet =
                unit <= 0xFF ? detail::kSextets[unit] : detail::kNotAlphabet;
            if (sextet == detail::kNotAlphabet)
                return Step::Invalid;
            sextets[count++] = sextet;
        }
        if (m_capacity - m_written < 3)
            return Step::Full;
        const std::uint32_t value =
            sextets[0] << 18 | sextets[1] << 12 | sextets[2] << 6 | sextets[3];
        Put(value >> 16);
        Put(value >> 8);
        Put(value);
        return Step::Continue;
    }

    // The first '=' has been read after count sextets of the last group.
    Step FinishPadded(const std::uint32_t* sextets, int count) {
        if (count < 2)
            return Step::Invalid;
        if (count == 2 && NextSignificant() != u'=')
            return Step::Invalid;
        if (NextSignificant() != kEndOfText)
            return Step::Invalid;
        const std::uint32_t value =
            sextets[0] << 18 | sextets[1] << 12 | (count == 3 ? sextets[2] << 6 : 0);
        // The bits below the last whole byte must be zero, so that each byte string has
        // exactly one valid text.
        if ((value & (count == 3 ? 0xFFu : 0xFFFFu)) != 0)
            return Step::Invalid;
        const std::size_t bytes = static_cast<std::size_t>(count) - 1;
        if (m_capacity - m_written < bytes)
            return Step::Full;
        Put(value >> 16);
        if (bytes == 2)
            Put(value >> 8);
        return Step::Finished;
    }

    int NextSignificant() {
        for (;;) {
            if (m_pos == m_limit) {
                if (m_lengthKnown)
                    return kEndOfText;
                m_limit += kPageBytes / sizeof(char16_t);
            }
            const char16_t unit = m_text[m_pos++];
            if (unit == u'\0' && !m_lengthKnown) {
                m_limit = --m_pos;
                m_lengthKnown = true;
                return kEndOfText;
            }
            if (!IsLineBreak(unit))
                return unit;
        }
    }

    void Put(std::uint32_t byte) { m_out[m_written++] = static_cast<std::uint8_t>(byte); }

    const char16_t* m_text;
    std::size_t m_limit; // units that may be read
    bool m_lengthKnown;  // the limit is the text's end, not a page's
    std::size_t m_pos = 0;
    std::uint8_t* m_out;
    std::size_t m_capacity;
    std::size_t m_written = 0;
};

} // namespace

std::ptrdiff_t Decode(Path path, const char16_t* text, std::size_t unitCount,
                      std::uint8_t* destination, std::size_t capacity) {
    return Decoder(text, unitCount, destination, capacity).Run(path);
}

std::ptrdiff_t DecodeText(Path path, const char16_t* text, std::uint8_t* destination,
                          std::size_t capacity) {
#ifdef GS_ADDRESS_SANITIZER
    // The sanitizer would report the reads past the NUL: the length is found first.
    return Decode(path, text, TextLength(text), destination, capacity);
#else
    if (reinterpret_cast<std::uintptr_t>(text) % alignof(char16_t) != 0)
        return Decode(path, text, TextLength(text), destination, capacity);
    return Decoder(text, destination, capacity).Run(path);
#endif
}

} // namespace gs::base64
