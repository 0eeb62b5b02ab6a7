#include "platform/ui/PictureScale.h"

#include <algorithm>

#include "platform/ui/DpiScale.h"

namespace DuiLib {

std::wstring TwinFileName(std::wstring_view file) {
    const std::size_t nameStart = file.find_last_of(L"/\\") + 1; // npos + 1: the whole
    const std::size_t dot = file.rfind(L'.');
    const std::size_t at = dot != std::wstring_view::npos && dot >= nameStart ? dot : file.size();
    std::wstring twin(file.substr(0, at));
    return twin.append(L"@2x").append(file.substr(at));
}

int DeviceSide(int side, int dpi, int naturalScale) {
    return std::max(1, ScaleToDpi(side, dpi / naturalScale));
}

} // namespace DuiLib
