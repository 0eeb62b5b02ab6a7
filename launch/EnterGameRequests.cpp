// The record's requests into the movie: each forwards to its builder in flash/ with the
// fields that request carries.
#include "launch/EnterGameInfo.h"

BOOL EnterGameInfo::BuildOnClose(wchar_t* buffer) const {
    return gs::BuildOnClose(buffer);
}

BOOL EnterGameInfo::BuildOnRButtonDown(int, int, wchar_t* buffer) const {
    return gs::BuildOnRButtonDown(buffer);
}

BOOL EnterGameInfo::BuildOnSize(int width, int height, wchar_t* buffer) const {
    return gs::BuildOnSize(width, height, buffer);
}

DuiLib::CDuiString EnterGameInfo::BuildAckEnterGame() const {
    return gs::BuildAckEnterGame({Number1, Username, Text1, Text2, Word1, RoomText, Text3, Word2,
                                  Text4, Text5, Word3, Text6, Number2, Flag, Number3, Ticket});
}

gs::RequestWithText EnterGameInfo::BuildOnLoadFile(const wchar_t* path) const {
    return gs::BuildOnLoadFile(path);
}

DuiLib::CDuiString EnterGameInfo::BuildOnSaveFile(const wchar_t* path) const {
    return gs::BuildOnSaveFile(path);
}
