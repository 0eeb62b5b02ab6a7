#include "tools/lobby/Lobby.h"

int wmain(int argc, wchar_t** argv) {
    return lobby::RunLobby(std::vector<std::wstring>(argv + 1, argv + argc));
}
