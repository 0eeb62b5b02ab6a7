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
    GameShellGameMasterRoomPayload payload;
    std::memcpy(&payload, data->lpData, sizeof payload);
    for (std::size_t i = 0; i < sizeof payload.zero; ++i)
        if (payload.zero[i] != 0)
            return L"nonzero byte " +
                   std::to_wstring(offsetof(GameShellGameMasterRoomPayload, zero) + i);
    return std::wstring();
}

GameMasterRoomReport DescribeGameMasterRoom(HWND sender, const COPYDATASTRUCT* data) {
    const std::wstring problem = Problem(data);
    if (!problem.empty())
        return {false,
                L"malformed game-master room message from " + HexHandle(sender) + L": " + problem};
    GameShellGameMasterRoomPayload payload;
    std::memcpy(&payload, data->lpData, sizeof payload);
    return {true, L"game-master room " + std::to_wstring(payload.roomNumber) + L" from " +
                      HexHandle(sender)};
}

} // namespace lobby
