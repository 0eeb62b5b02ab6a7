// Stands in for the shell under the lobby: reports what it was given (its narrow
// arguments and both shared blocks, read-only) and sends the game-master-room messages
// it is told to send.
//   PROBE_REPORT  file the report is appended to, one "key=value" line each
//   PROBE_SEND    comma-separated room numbers, each sent as the shell sends it
//   PROBE_EXIT    exit code;  PROBE_HANG=1: never exit
#include "gameshell/LaunchBlocks.h"
#include "platform/win/Handles.h"
#include "tests/lobby/ChildProcess.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A read-only view of the named block, or null when it does not exist.
gs::UniqueView ViewOf(const char* name, size_t bytes) {
    const gs::UniqueMapping mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
    return gs::UniqueView(mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, bytes)
                                  : nullptr);
}

HWND ReportRoomBlock(std::ostream& report) {
    const gs::UniqueView view = ViewOf("GL_ROOM_REC", 42536);
    if (!view) {
        report << "room=missing\n";
        return nullptr;
    }
    const auto* bytes = static_cast<const char*>(view.get());
    uint32_t window = 0;
    std::memcpy(&window, bytes + 13036, sizeof window);
    report << "room.window=" << window << "\n";
    report << "room.ticket="
           << lobbytest::Hex({bytes + 23720, strnlen(bytes + 23720, 42536 - 23720)}) << "\n";
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
}

void SendMessages(std::ostream& report, HWND platform) {
    const gs::UniqueWindow sender(::CreateWindowExW(0, L"STATIC", L"probe", 0, 0, 0, 0, 0,
                                                    HWND_MESSAGE, nullptr, nullptr, nullptr));
    report << "sender=" << reinterpret_cast<uintptr_t>(sender.get()) << "\n";
    std::istringstream rooms(Variable("PROBE_SEND"));
    std::string room;
    for (int i = 0; platform && std::getline(rooms, room, ','); ++i) {
        GameShellGameMasterRoomPayload payload{std::atoi(room.c_str()), {}};
        COPYDATASTRUCT data{GAMESHELL_GAME_MASTER_ROOM_DATA, sizeof payload, &payload};
        report << "sent" << i << "="
               << ::SendMessageW(platform, WM_COPYDATA, reinterpret_cast<WPARAM>(sender.get()),
                                 reinterpret_cast<LPARAM>(&data))
               << "\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    std::ostringstream report;
    report << "pid=" << ::GetCurrentProcessId() << "\nargc=" << argc << "\n";
    for (int i = 1; i < argc; ++i)
        report << "arg" << i << "=" << lobbytest::Hex(argv[i]) << "\n";
    const HWND platform = ReportRoomBlock(report);
    if (argc == 2) {
        const gs::UniqueView handover = ViewOf(argv[1], 496);
        report << "handover="
               << (handover ? lobbytest::Hex({static_cast<const char*>(handover.get()), 496})
                            : "missing")
               << "\n";
    }
    SendMessages(report, platform);
    if (FILE* file = std::fopen(Variable("PROBE_REPORT").c_str(), "ab")) {
        std::fputs(report.str().c_str(), file);
        std::fclose(file);
    }
    if (Variable("PROBE_HANG") == "1")
        ::Sleep(INFINITE);
    return std::atoi(Variable("PROBE_EXIT").c_str());
}
