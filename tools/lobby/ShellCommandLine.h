#pragma once
// The shell's command line: the argument list of the chosen launch form, quoted so that
// the C runtime splits it back into exactly those arguments.
#include "tools/lobby/LobbyOptions.h"

#include <string>
#include <vector>

namespace lobby {

// The arguments after the program name. handoverName is used by the handover form only.
std::vector<std::wstring> ShellArguments(const LobbyOptions& options,
                                         const std::wstring& handoverName);

// One argument quoted by the rules CommandLineToArgvW and the C runtime apply.
std::wstring QuoteArgument(const std::wstring& argument);

std::wstring BuildCommandLine(const std::wstring& program,
                              const std::vector<std::wstring>& arguments);

} // namespace lobby
