#include "tools/lobby/GameMasterRoomMessage.h"

#include <cstdint>
#include <cstring>
#include <cwchar>

namespace lobby {

std::wstring HexHandle(const void* handle) {
    wchar_t text[16] = {};
    (void)std::swprintf(text, 16, L"0x%08lX",
                        static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(handle)));
    return text;
}

static std::wstring Problem(const COPYDATASTRUCT* data) {
    if (data == nullptr)
        return L"no COPYDATASTRUCT";
    if (data->dwData != kGameMasterRoomTag)
        return L"dwData " + HexHandle(reinterpret_cast<const void*>(data->dwData));
    if (data->cbData != kGameMasterRoomBytes)
        return std::to_wstring(data->cbData) + L" bytes";
    if (data->lpData == nullptr)
        return L"no data";
    const auto* bytes = static_cast<const unsigned char*>(data->lpData);
    for (DWORD i = 4; i < kGameMasterRoomBytes; ++i)
        if (bytes[i] != 0)
            return L"nonzero byte " + std::to_wstring(i);
    return std::wstring();
}

GameMasterRoomReport DescribeGameMasterRoom(HWND sender, const COPYDATASTRUCT* data) {
    const std::wstring problem = Problem(data);
    if (!problem.empty())
        return {false,
                L"malformed game-master room message from " + HexHandle(sender) + L": " + problem};
    std::int32_t room = 0;
    std::memcpy(&room, data->lpData, sizeof room);
    return {true, L"game-master room " + std::to_wstring(room) + L" from " + HexHandle(sender)};
}

} // namespace lobby
