// The reader of skin image values on arbitrary text: an accepted value names a file
// inside the skin folder, keeps its numbers in range, and reads back the same when
// written out again as a full list.
#include "FuzzInput.h"
#include "platform/ui/ImageValue.h"

#include <cstdlib>
#include <string>

namespace {

using DuiLib::ImageBox;
using DuiLib::ImageValue;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::wstring Box(const ImageBox& box) {
    return std::to_wstring(box.left) + L',' + std::to_wstring(box.top) + L',' +
           std::to_wstring(box.right) + L',' + std::to_wstring(box.bottom);
}

bool InRange(const ImageBox& box) {
    for (int value : {box.left, box.top, box.right, box.bottom}) {
        if (value < 0 || value > (1 << 20))
            return false;
    }
    return true;
}

std::wstring Hex(std::uint32_t value) {
    std::wstring text = L"#";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += L"0123456789ABCDEF"[value >> shift & 0xF];
    return text;
}

// Every key, in a fixed order; empty when the file name holds both kinds of quote.
std::wstring Written(const ImageValue& image) {
    const bool single = image.file.find(L'\'') == std::wstring::npos;
    if (!single && image.file.find(L'"') != std::wstring::npos)
        return {};
    const wchar_t quote = single ? L'\'' : L'"';
    std::wstring text = L"file=" + (quote + image.file + quote);
    text += L" corner='" + Box(image.corner) + L"' fade='" + std::to_wstring(image.fade) + L"'";
    text += image.hole ? L" hole='true'" : L" hole='false'";
    text += image.xtiled ? L" xtiled='true'" : L"";
    text += image.ytiled ? L" ytiled='true'" : L"";
    if (image.hasSource)
        text += L" source='" + Box(image.source) + L"'";
    if (image.hasDest)
        text += L" dest='" + Box(image.dest) + L"'";
    if (image.hasMask)
        text += L" mask='" + Hex(image.mask) + L"'";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::wstring text = fuzz::AsWide(input.RestAsUnits());
    ImageValue image;
    if (!DuiLib::ParseImageValue(text, image))
        return 0;
    Check(DuiLib::IsSkinRelativePath(image.file));
    Check(image.file.find(L':') == std::wstring::npos);
    Check(InRange(image.source) && InRange(image.corner) && InRange(image.dest));
    Check(image.fade >= 0 && image.fade <= 255);
    const std::wstring written = Written(image);
    if (written.empty())
        return 0;
    ImageValue again;
    Check(DuiLib::ParseImageValue(written, again));
    Check(again == image);
    return 0;
}
