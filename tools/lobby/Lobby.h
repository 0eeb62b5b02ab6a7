#pragma once
// The lobby's whole run: blocks, window, shell, log and exit code.
#include <string>
#include <vector>

namespace lobby {

inline constexpr int kExitTimeout = 124;
inline constexpr int kExitLobbyFailed = 125;

// The arguments without the program's own name; the result is the process exit code.
int RunLobby(const std::vector<std::wstring>& arguments);

} // namespace lobby
