#pragma once
// The game-master-room message the shell sends to the platform's window: WM_COPYDATA
// with dwData 0xFFF01239 and 20 bytes, the room number (signed 32-bit little-endian)
// followed by 16 zero bytes.
#include "gameshell/LaunchBlocks.h"

#include <windows.h>

#include <string>

namespace lobby {

inline constexpr ULONG_PTR kGameMasterRoomTag = GAMESHELL_GAME_MASTER_ROOM_DATA;
inline constexpr DWORD kGameMasterRoomBytes = GAMESHELL_GAME_MASTER_ROOM_SIZE;

struct GameMasterRoomReport {
    bool wellFormed = false;
    std::wstring line; // the room number and the sender, or what is wrong with the message
};

GameMasterRoomReport DescribeGameMasterRoom(HWND sender, const COPYDATASTRUCT* data);

std::wstring HexHandle(const void* handle);

} // namespace lobby
