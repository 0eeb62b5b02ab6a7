#pragma once
// The platform's shared block "GL_ROOM_REC" and the game-master-room message.
#include <cstddef>
#include <cstdint>

namespace gs {

inline constexpr char kRoomBlockName[] = "GL_ROOM_REC";
inline constexpr size_t kRoomBlockBytes = 42536;
inline constexpr size_t kPlatformWindowOffset = 13036;
inline constexpr size_t kTicketOffset = 23720;

inline constexpr uintptr_t kGameMasterRoomData = 0xFFF01239;
// How long the movie's call waits for a platform window that does not answer.
inline constexpr unsigned kGameMasterRoomTimeoutMs = 3000;

#pragma pack(push, 1)
struct GameMasterRoomPayload {
    int32_t roomNumber;
    uint8_t zero[16];
};
#pragma pack(pop)
static_assert(sizeof(GameMasterRoomPayload) == 20);

} // namespace gs
