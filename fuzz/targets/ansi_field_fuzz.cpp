// The launch texts' fixed-capacity copy on arbitrary bytes, capacities and field
// widths, with a stand-in double-byte code page: the source lies in a heap block of
// exactly its width without a terminator, so a read past the width is reported; the
// field is a heap block of exactly its capacity, so a write past it is reported. The
// field always ends in NUL, keeps what fits of the converted text, and never ends in
// half a surrogate pair.
#include "FuzzInput.h"
#include "launch/AnsiText.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

using fuzz::Check;

namespace {

// A code page shaped like 936: 0x81 to 0xFE lead a double-byte character; characters
// led by 0xFE lie outside the basic plane (two units); 0xFF cannot be converted at
// all; a lead byte without its trail becomes '?'. The other characters fall between
// U+4E00 and U+CBFF.
bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

std::wstring Widen(const char* bytes, std::size_t count) {
    std::wstring wide;
    for (std::size_t at = 0; at < count; ++at) {
        auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte == 0xFF)
            return {};
        if (!IsLeadByte(byte)) {
            wide += static_cast<wchar_t>(byte);
        } else if (at + 1 == count) {
            wide += L'?';
        } else if (byte == 0xFE) {
            wide += static_cast<wchar_t>(0xD800 + static_cast<unsigned char>(bytes[++at]));
            wide += static_cast<wchar_t>(0xDC00);
        } else {
            wide += static_cast<wchar_t>(0x4E00 + (byte - 0x81) * 256 +
                                         static_cast<unsigned char>(bytes[++at]));
        }
    }
    return wide;
}

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::size_t capacity = input.TakeUint16() % 300;
    const std::string text = input.RestAsBytes();
    std::unique_ptr<char[]> source(new char[text.size()]);
    std::memcpy(source.get(), text.data(), text.size());
    std::unique_ptr<wchar_t[]> field(new wchar_t[capacity]);

    gs::CopyAnsiText(gs::AnsiCodePage{IsLeadByte, Widen}, source.get(), text.size(), field.get(),
                     capacity);
    if (capacity == 0)
        return 0;
    Check(field[capacity - 1] == 0);
    const std::wstring kept(field.get());
    for (std::size_t at = kept.size(); at < capacity; ++at)
        Check(field[at] == 0);
    if (capacity < 2) {
        Check(kept.empty());
        return 0;
    }
    // Everything up to the first NUL converts to `whole`; the field keeps a prefix of
    // it, losing at most one unit beyond what fits: the '?' of a lead byte whose trail
    // is missing, or the high half of a surrogate pair that the cut would split.
    const std::wstring whole = Widen(text.c_str(), std::strlen(text.c_str()));
    Check(kept.size() <= capacity - 2);
    Check(whole.compare(0, kept.size(), kept) == 0);
    const std::size_t fits = std::min(whole.size(), capacity - 2);
    Check(kept.size() + 1 >= fits);
    Check(kept.empty() || !IsHighSurrogate(kept.back()));
    return 0;
}
