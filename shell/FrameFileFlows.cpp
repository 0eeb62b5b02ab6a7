// The load and save flows, run from the main window's own timers after the movie's
// "LoadFile" or "SaveFile" call has returned. Each shows a common file dialog owned by
// the main window and always answers the movie, with empty strings when nothing was
// chosen. The dialogs keep dispatching the thread's messages, so the movie can ask again
// while one is open: such a request waits in line, and one dialog is open at a time.
#include "files/FileDialogs.h"
#include "shell/ShellFrameWnd.h"

#include <utility>

namespace {

// Short enough to seem immediate, long enough for the movie's call to have returned.
constexpr UINT kFileTimerMilliseconds = 5;

UINT_PTR TimerOf(gs::FileFlow flow) {
    return flow == gs::FileFlow::Load ? CShellFrameWnd::IDT_LOADFILE : CShellFrameWnd::IDT_SAVEFILE;
}

} // namespace

void CShellFrameWnd::RequestFileFlow(gs::FileFlow flow) {
    if (m_fileRequests.Running()) {
        m_fileRequests.Keep(TakeFileRequest(flow));
        return;
    }
    m_fileRequests.Arm(flow);
    (void)::SetTimer(*this, TimerOf(flow), kFileTimerMilliseconds, nullptr);
}

// A save takes the stored text with it, so that a later "SaveFile" stores its own.
gs::FileRequest CShellFrameWnd::TakeFileRequest(gs::FileFlow flow) {
    gs::FileRequest request;
    request.flow = flow;
    if (flow == gs::FileFlow::Save) {
        request.text = std::exchange(m_saveData, DuiLib::CDuiString());
        request.textRefused = std::exchange(m_saveRefused, false);
    }
    return request;
}

LRESULT CShellFrameWnd::OnTimer(WPARAM timerId) {
    try {
        switch (LOWORD(timerId)) {
        case IDT_LOADFILE:
            StartFileFlows(gs::FileFlow::Load);
            break;
        case IDT_SAVEFILE:
            StartFileFlows(gs::FileFlow::Save);
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return 0;
}

// Whichever timer fires, every request waiting for one joins the line, in the order the
// requests came; each timer fires once per request.
void CShellFrameWnd::StartFileFlows(gs::FileFlow fired) {
    m_fileRequests.Arm(fired);
    for (gs::FileFlow flow : m_fileRequests.TakeArmed()) {
        (void)::KillTimer(*this, TimerOf(flow));
        m_fileRequests.Keep(TakeFileRequest(flow));
    }
    if (!m_fileRequests.Running())
        RunFileFlows();
}

// A flow that fails half way (no memory for a request) ends there: the movie's state
// outlives it, nothing has been written that is not whole, and the line goes on.
void CShellFrameWnd::RunFileFlows() {
    gs::FileRequestQueue::RunScope running(m_fileRequests);
    while (std::optional<gs::FileRequest> request = m_fileRequests.Next()) {
        try {
            if (request->flow == gs::FileFlow::Load)
                RunLoadFlow();
            else
                RunSaveFlow(std::move(*request));
        } catch (...) {
        }
    }
}

void CShellFrameWnd::RunLoadFlow() {
    wchar_t file[MAX_PATH] = {};
    const bool chosen = gs::ChooseFileToLoad(*this, m_fileFilter, file);
    gs::RequestWithText answer = m_enterGame.BuildOnLoadFile(file);
    if (chosen)
        (void)m_enterGame.ReadAndEncode(file, answer); // the answer's text tells the movie
    (void)CallFlash(answer.Take());
}

void CShellFrameWnd::RunSaveFlow(gs::FileRequest request) {
    DuiLib::CDuiString path = gs::ChooseFileToSave(*this, m_fileFilter, m_fileExt);
    if (!path.IsEmpty() && !request.textRefused)
        (void)m_enterGame.DecodeAndWrite(path, request.text); // answered the same either way
    request = gs::FileRequest(); // the text goes before the reply, which may bring the next
    DuiLib::CDuiString answer = m_enterGame.BuildOnSaveFile(path);
    (void)CallFlash(answer);
}
