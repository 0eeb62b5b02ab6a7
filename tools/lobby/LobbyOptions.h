#pragma once
// What the lobby was asked to do, read from its wide command line.
#include "tools/lobby/LaunchFields.h"

#include <optional>
#include <string>
#include <vector>

namespace lobby {

enum class LaunchForm {
    Handover, // one argument: the handover block's name
    Fields13, // the field arguments 1 to 13
    Fields14, // the field arguments 1 to 14 (with the flag)
    Raw,      // exactly the arguments given after "--" (none at all is allowed)
};

inline constexpr std::size_t kRoomBlockSize = GAMESHELL_ROOM_BLOCK_SIZE;
inline constexpr std::size_t kRoomWindowOffset = GAMESHELL_ROOM_WINDOW_OFFSET;
inline constexpr std::size_t kRoomTicketOffset = GAMESHELL_ROOM_TICKET_OFFSET;
// A ticket may run to the end of the block; one that fills it has no terminator.
inline constexpr std::size_t kMaxTicketBytes = kRoomBlockSize - kRoomTicketOffset;

struct LobbyOptions {
    std::wstring shellPath; // empty: GameShell.exe beside the lobby
    LaunchForm form = LaunchForm::Handover;
    FieldValues fields = DefaultFieldValues();
    std::string ticket; // ANSI bytes
    bool roomBlock = true;
    bool handoverBlock = true; // only the handover form creates one
    std::wstring handoverName; // empty: a fresh name
    std::wstring logPath;      // empty: standard output only
    std::optional<unsigned long> timeoutMs;
    std::vector<std::wstring> rawArguments;
    bool help = false;
};

struct ParsedOptions {
    LobbyOptions options;
    std::wstring error; // empty when the command line was understood
};

// The arguments without the program's own name.
ParsedOptions ParseLobbyOptions(const std::vector<std::wstring>& arguments);

// The text --help prints.
std::wstring LobbyHelpText();

} // namespace lobby
