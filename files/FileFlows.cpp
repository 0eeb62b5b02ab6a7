// The load and save flows, run from the main window's own timers after the movie's
// "LoadFile" or "SaveFile" call has returned. Each shows a common file dialog owned by
// the main window and always answers the movie, with empty strings when nothing was
// chosen.
#include "files/SaveName.h"
#include "shell/ShellFrameWnd.h"

#include <commdlg.h>

namespace {

constexpr DWORD kOpenFlags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
constexpr DWORD kSaveFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

OPENFILENAMEW DialogFields(HWND owner, const wchar_t* filter, wchar_t* file, DWORD flags) {
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = flags;
    return dialog;
}

bool FileExists(const wchar_t* path) {
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// The dialog asked about the name as chosen; a file of the extended name is asked
// about here, in the same words.
bool MayReplace(HWND owner, const DuiLib::CDuiString& path) {
    DuiLib::CDuiString question;
    question.Format(L"%s 已存在。\n要替换它吗?", path.GetData());
    return ::MessageBoxW(owner, question, L"另存为", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
           IDYES;
}

} // namespace

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
    OPENFILENAMEW dialog = DialogFields(*this, m_fileFilter, file, kOpenFlags);
    const bool chosen = ::GetOpenFileNameW(&dialog) == TRUE;
    if (!chosen)
        file[0] = L'\0';
    gs::RequestWithText answer = m_enterGame.BuildOnLoadFile(file);
    if (chosen)
        (void)m_enterGame.ReadAndEncode(file, answer);
    (void)CallFlash(answer.Take());
}

void CShellFrameWnd::RunSaveFlow() {
    (void)::KillTimer(*this, IDT_SAVEFILE);
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW dialog = DialogFields(*this, m_fileFilter, file, kSaveFlags);
    DuiLib::CDuiString path;
    if (::GetSaveFileNameW(&dialog) == TRUE) {
        path = file;
        bool extended = gs::AppendSaveExtension(path, m_fileExt);
        if (extended && FileExists(path) && !MayReplace(*this, path))
            path.Empty();
        if (!path.IsEmpty() && !m_saveRefused)
            (void)m_enterGame.DecodeAndWrite(path, m_saveData);
    }
    DuiLib::CDuiString answer = m_enterGame.BuildOnSaveFile(path);
    (void)CallFlash(answer);
}
