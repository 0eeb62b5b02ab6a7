#pragma once
// Reading a request from the movie: the invoke text's command name and its first
// argument, and which of the shell's commands the name selects. Kept apart from what
// the commands do, so that any text can be read without side effects. Portable: no
// Windows header.
#include "platform/ui/DuiString.h"

#include <string_view>

namespace gs {

struct IncomingRequest {
    DuiLib::CDuiString command;  // the root's "name" attribute, empty when there is none
    bool hasArgument = false;    // whether <arguments> has a first child element
    DuiLib::CDuiString argument; // that element's text, entities decoded
    bool argumentLost = false;   // there was no memory to hold that text
};

enum class Command {
    None,
    ReqEnterGame,
    ExitGame,
    LoadFile,
    SaveFile,
    GameMasterRoom,
    FlashWindow,
    OpenUrl
};

IncomingRequest ReadRequest(std::wstring_view text);

// Exact, case-sensitive: any other name selects None.
Command SelectCommand(const DuiLib::CDuiString& name);

} // namespace gs
