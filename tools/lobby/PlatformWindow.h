#pragma once
// The lobby's own window, whose handle goes into "GL_ROOM_REC": a message-only window
// that logs every WM_COPYDATA it receives.
#include "platform/win/Handles.h"
#include "tools/lobby/LobbyLog.h"

namespace lobby {

class PlatformWindow {
public:
    explicit PlatformWindow(LobbyLog& log) : m_log(log) {}
    bool Create();
    HWND GetHWND() const noexcept { return m_window.get(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCopyData(HWND sender, const COPYDATASTRUCT* data);

    LobbyLog& m_log; // not owned: belongs to the lobby's main
    gs::UniqueWindow m_window;
};

} // namespace lobby
