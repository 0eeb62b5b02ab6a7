// The load and save flows, run from the main window's own timers after the movie's
// "LoadFile" or "SaveFile" call has returned. Each shows a common file dialog owned by
// the main window and always answers the movie, with empty strings when nothing was
// chosen.
#include "files/FileDialogs.h"
#include "shell/ShellFrameWnd.h"

// A flow that fails half way (no memory for a request) ends there: the movie's state
// outlives it, and nothing has been written that is not whole.
LRESULT CShellFrameWnd::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL&) {
    try {
        switch (LOWORD(wParam)) {
        case IDT_LOADFILE:
            RunLoadFlow();
            break;
        case IDT_SAVEFILE:
            RunSaveFlow();
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return 0;
}

void CShellFrameWnd::RunLoadFlow() {
    (void)::KillTimer(*this, IDT_LOADFILE);
    wchar_t file[MAX_PATH] = {};
    const bool chosen = gs::ChooseFileToLoad(*this, m_fileFilter, file);
    gs::RequestWithText answer = m_enterGame.BuildOnLoadFile(file);
    if (chosen)
        (void)m_enterGame.ReadAndEncode(file, answer);
    (void)CallFlash(answer.Take());
}

void CShellFrameWnd::RunSaveFlow() {
    (void)::KillTimer(*this, IDT_SAVEFILE);
    DuiLib::CDuiString path = gs::ChooseFileToSave(*this, m_fileFilter, m_fileExt);
    if (!path.IsEmpty() && !m_saveRefused)
        (void)m_enterGame.DecodeAndWrite(path, m_saveData);
    DuiLib::CDuiString answer = m_enterGame.BuildOnSaveFile(path);
    (void)CallFlash(answer);
}
