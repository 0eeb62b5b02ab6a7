// The movie's commands, each arriving as an invoke text while the movie waits for the
// call to return. File requests only start a timer, so that the modal file dialogs
// open after the movie's call has returned.
#include "flash/CommandDispatch.h"
#include "platform/Trace.h"
#include "shell/ShellFrameWnd.h"

#include <shellapi.h>

class CShellFrameWnd::Commands {
public:
    explicit Commands(CShellFrameWnd& frame) : m_frame(frame) {}

    void AnswerEnterGame() {
        DuiLib::CDuiString answer = m_frame.m_enterGame.BuildAckEnterGame();
        (void)m_frame.CallFlash(answer.GetData());
    }
    void ExitGame() { ::ExitProcess(0); }
    void StartLoadTimer() { (void)::SetTimer(m_frame, IDT_LOADFILE, 5, nullptr); }
    void StoreSaveData(const DuiLib::CDuiString& text) { m_frame.m_saveData = text; }
    void StartSaveTimer() { (void)::SetTimer(m_frame, IDT_SAVEFILE, 5, nullptr); }
    void NotifyGameMasterRoom(int32_t room) {
        m_frame.m_enterGame.NotifyGameMasterRoom(m_frame, room);
    }
    void FlashWindow() { (void)::FlashWindow(m_frame, 12); }
    void OpenUrl(const wchar_t* address) {
        (void)::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
    }

private:
    CShellFrameWnd& m_frame;
};

HRESULT CShellFrameWnd::FlashCall(LPCTSTR request) {
    gs::IncomingRequest incoming = gs::ReadRequest(request);
    gs::Trace(L"FlashCall sCommand = %s \n", request ? request : L"");
    RepeatUnheardOnSize();
    Commands commands(*this);
    gs::RunCommand(incoming, commands);
    return S_OK;
}
