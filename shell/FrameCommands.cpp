// The frame's side of the movie's calls: its commands, each arriving as an invoke text
// while the movie waits for the call to return, and the requests it sends into the
// movie. File requests only start a timer, so that the modal file dialogs open after
// the movie's call has returned (FrameFileFlows.cpp).
#include "flash/CallFlash.h"
#include "flash/CommandDispatch.h"
#include "platform/win/Trace.h"
#include "platform/win/WideScan.h"
#include "shell/ShellFrameWnd.h"

#include <shellapi.h>

#include <string_view>

namespace {

// FlashWindow takes any nonzero value as "invert the caption once".
constexpr BOOL kInvertCaptionOnce = 12;

} // namespace

class CShellFrameWnd::Commands {
public:
    explicit Commands(CShellFrameWnd& frame) : m_frame(frame) {}

    void AnswerEnterGame() {
        DuiLib::CDuiString answer = m_frame.m_enterGame.BuildAckEnterGame();
        (void)m_frame.CallFlash(answer.GetData());
    }
    void ExitGame() { ::ExitProcess(0); }
    void StartLoadTimer() { m_frame.RequestFileFlow(gs::FileFlow::Load); }
    void StoreSaveData(DuiLib::CDuiString&& text) {
        m_frame.m_saveData = std::move(text);
        m_frame.m_saveRefused = false;
    }
    // The save then writes nothing, as for a text over the limit.
    void RefuseSaveData() {
        m_frame.m_saveData.Empty();
        m_frame.m_saveRefused = true;
    }
    void StartSaveTimer() { m_frame.RequestFileFlow(gs::FileFlow::Save); }
    void NotifyGameMasterRoom(int32_t room) {
        m_frame.m_enterGame.NotifyGameMasterRoom(m_frame, room);
    }
    void FlashWindow() { (void)::FlashWindow(m_frame, kInvertCaptionOnce); }
    void OpenUrl(const wchar_t* address) {
        (void)::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
    }

private:
    CShellFrameWnd& m_frame;
};

// Whatever fails inside a command stays here: the movie's call always returns.
HRESULT CShellFrameWnd::FlashCall(LPCTSTR request) {
    try {
        // Measured once: the request may carry a whole file.
        const std::wstring_view text = gs::WideView(request);
        gs::IncomingRequest incoming = gs::ReadRequest(text);
        gs::TraceText(L"FlashCall sCommand = ", text, L" \n");
        RepeatUnheardOnSize();
        Commands commands(*this);
        gs::RunCommand(std::move(incoming), commands);
    } catch (...) {
    }
    return S_OK;
}

HRESULT CShellFrameWnd::CallFlash(LPCTSTR request) {
    return gs::CallFlash(m_pm, gs::UniqueBstr(::SysAllocString(request)));
}

HRESULT CShellFrameWnd::CallFlash(gs::UniqueBstr request) {
    return gs::CallFlash(m_pm, std::move(request));
}
