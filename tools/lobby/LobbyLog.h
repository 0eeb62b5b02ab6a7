#pragma once
// The lobby's log: each line goes, as UTF-8, to standard output and to the log file if
// there is one, written through at once so that a reader sees it while the shell runs.
#include "platform/win/Handles.h"

#include <string>

namespace lobby {

class LobbyLog {
public:
    LobbyLog() = default;
    // False when the file cannot be created; the log then writes to standard output only.
    bool OpenFile(const std::wstring& path);
    void Line(const std::wstring& text);

private:
    gs::UniqueFile m_file;
};

} // namespace lobby
