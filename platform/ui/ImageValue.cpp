#include "platform/ui/ImageValue.h"

#include "platform/win/HexDigit.h"

#include <array>

namespace DuiLib {

namespace {

// Image pixels and control offsets beyond this are refused, so sums cannot overflow.
constexpr long kMaxCoordinate = 1 << 20;

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A decimal number from 0 to kMaxCoordinate, nothing else.
bool ReadNumber(std::wstring_view text, long& number) {
    text = Trim(text);
    if (text.empty() || text.size() > 8)
        return false;
    number = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return false;
        number = number * 10 + (c - L'0');
    }
    return number <= kMaxCoordinate;
}

bool ReadBox(std::wstring_view text, ImageBox& box) {
    std::array<long, 4> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t comma = i + 1 < numbers.size() ? text.find(L',') : text.size();
        if (comma == text.npos || !ReadNumber(text.substr(0, comma), numbers[i]))
            return false;
        text.remove_prefix(comma == text.size() ? comma : comma + 1);
    }
    box = {static_cast<int>(numbers[0]), static_cast<int>(numbers[1]), static_cast<int>(numbers[2]),
           static_cast<int>(numbers[3])};
    return true;
}

bool ReadFlag(std::wstring_view text, bool& flag) {
    if (text != L"true" && text != L"false")
        return false;
    flag = text == L"true";
    return true;
}

bool ReadColor(std::wstring_view text, std::uint32_t& color) {
    if (text.size() != 9 || text.front() != L'#')
        return false;
    color = 0;
    for (wchar_t c : text.substr(1)) {
        const int digit = gs::HexDigitValue(c);
        if (digit < 0)
            return false;
        color = color << 4 | static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool ReadFade(std::wstring_view text, int& fade) {
    long number = 0;
    if (!ReadNumber(text, number) || number > 255)
        return false;
    fade = static_cast<int>(number);
    return true;
}

bool SetKey(std::wstring_view key, std::wstring_view value, ImageValue& image) {
    if (key == L"file") {
        image.file = value;
        return true;
    }
    if (key == L"source")
        return image.hasSource = ReadBox(value, image.source);
    if (key == L"corner")
        return ReadBox(value, image.corner);
    if (key == L"dest")
        return image.hasDest = ReadBox(value, image.dest);
    if (key == L"mask")
        return image.hasMask = ReadColor(value, image.mask);
    if (key == L"fade")
        return ReadFade(value, image.fade);
    if (key == L"hole")
        return ReadFlag(value, image.hole);
    if (key == L"xtiled")
        return ReadFlag(value, image.xtiled);
    if (key == L"ytiled")
        return ReadFlag(value, image.ytiled);
    return false;
}

// One key='value' (or key="value") pair from the front of the text.
bool TakePair(std::wstring_view& text, ImageValue& image) {
    const std::size_t equals = text.find(L'=');
    if (equals == text.npos)
        return false;
    const std::wstring_view key = Trim(text.substr(0, equals));
    std::wstring_view rest = Trim(text.substr(equals + 1));
    if (rest.empty() || (rest.front() != L'\'' && rest.front() != L'"'))
        return false;
    const std::size_t close = rest.find(rest.front(), 1);
    if (close == rest.npos || !SetKey(key, rest.substr(1, close - 1), image))
        return false;
    text = Trim(rest.substr(close + 1));
    return true;
}

bool IsList(std::wstring_view value) {
    const std::size_t equals = value.find(L'=');
    if (equals == value.npos)
        return false;
    for (wchar_t c : value.substr(0, equals)) {
        if (!((c >= L'a' && c <= L'z') || IsBlank(c)))
            return false;
    }
    return true;
}

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

} // namespace

bool IsSkinRelativePath(std::wstring_view file) {
    if (file.empty() || IsSeparator(file.front()) || file.find(L':') != file.npos)
        return false;
    int depth = 0;
    while (!file.empty()) {
        std::size_t end = 0;
        while (end < file.size() && !IsSeparator(file[end]))
            ++end;
        const std::wstring_view part = file.substr(0, end);
        if (part == L"..")
            --depth;
        else if (!part.empty() && part != L".")
            ++depth;
        if (depth < 0)
            return false;
        file.remove_prefix(end == file.size() ? end : end + 1);
    }
    return depth > 0;
}

bool ParseImageValue(std::wstring_view value, ImageValue& image) {
    value = Trim(value);
    ImageValue read;
    if (!IsList(value)) {
        read.file = value;
    } else {
        while (!value.empty()) {
            if (!TakePair(value, read))
                return false;
        }
    }
    if (!IsSkinRelativePath(read.file))
        return false;
    image = std::move(read);
    return true;
}

} // namespace DuiLib
