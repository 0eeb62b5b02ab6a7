// The link to the platform. The room block belongs to the platform and is only ever
// read: it is opened for reading and mapped as a read-only view, so the read also
// works where the platform grants read access only.
#include "launch/RoomBlock.h"
#include "launch/AnsiField.h"
#include "launch/EnterGameInfo.h"
#include "platform/win/Handles.h"
#include "platform/win/Trace.h"

#include <cstring>

bool EnterGameInfo::ReadRoomBlock() {
    gs::UniqueMapping mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, gs::kRoomBlockName));
    if (!mapping)
        return false;
    gs::UniqueView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, gs::kRoomBlockBytes));
    if (!view)
        return false;
    const char* bytes = static_cast<const char*>(view.get());
    uint32_t window = 0;
    std::memcpy(&window, bytes + gs::kPlatformWindowOffset, sizeof window);
    PlatformWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
    gs::CopyAnsiField(bytes + gs::kTicketOffset, gs::kRoomBlockBytes - gs::kTicketOffset, Ticket);
    gs::Trace(L"Username = %s,Ticket = %s \n", Username, Ticket);
    return true;
}

void EnterGameInfo::NotifyGameMasterRoom(HWND senderWindow, int32_t roomNumber) const {
    gs::GameMasterRoomPayload payload{};
    payload.roomNumber = roomNumber != 0 ? roomNumber : RoomNumber;
    COPYDATASTRUCT data{};
    data.dwData = gs::kGameMasterRoomData;
    data.cbData = sizeof payload;
    data.lpData = &payload;
    // The handle was read at start: the platform may have closed its window since. The
    // movie's call waits for this one, so a hung platform must not hang the game too.
    if (!PlatformWindow || !::IsWindow(PlatformWindow))
        return;
    DWORD_PTR ignored = 0;
    (void)::SendMessageTimeoutW(PlatformWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(senderWindow),
                                reinterpret_cast<LPARAM>(&data), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                gs::kGameMasterRoomTimeoutMs, &ignored);
}
