// The reader of skin image values on arbitrary text: an accepted value names a file
// inside the skin folder, keeps its numbers in range, and reads back the same when
// written out again as a full list.
#include "FuzzInput.h"
#include "platform/ui/ImageValue.h"

#include <cstdlib>
#include <string>

namespace {

using DuiLib::ImageBox;
using DuiLib::ImageSpec;

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
std::wstring Written(const ImageSpec& spec) {
    const bool single = spec.file.find(L'\'') == std::wstring::npos;
    if (!single && spec.file.find(L'"') != std::wstring::npos)
        return {};
    const wchar_t quote = single ? L'\'' : L'"';
    std::wstring text = L"file=" + (quote + spec.file + quote);
    text += L" corner='" + Box(spec.corner) + L"' fade='" + std::to_wstring(spec.fade) + L"'";
    text += spec.hole ? L" hole='true'" : L" hole='false'";
    text += spec.xtiled ? L" xtiled='true'" : L"";
    text += spec.ytiled ? L" ytiled='true'" : L"";
    if (spec.hasSource)
        text += L" source='" + Box(spec.source) + L"'";
    if (spec.hasDest)
        text += L" dest='" + Box(spec.dest) + L"'";
    if (spec.hasMask)
        text += L" mask='" + Hex(spec.mask) + L"'";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::wstring text = fuzz::AsWide(input.RestAsUnits());
    ImageSpec spec;
    if (!DuiLib::ParseImageValue(text, spec))
        return 0;
    Check(DuiLib::IsSkinRelativePath(spec.file));
    Check(spec.file.find(L':') == std::wstring::npos);
    Check(InRange(spec.source) && InRange(spec.corner) && InRange(spec.dest));
    Check(spec.fade >= 0 && spec.fade <= 255);
    const std::wstring written = Written(spec);
    if (written.empty())
        return 0;
    ImageSpec again;
    Check(DuiLib::ParseImageValue(written, again));
    Check(again == spec);
    return 0;
}
