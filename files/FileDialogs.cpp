#include "files/FileDialogs.h"

#include "files/SaveName.h"

#include <commdlg.h>

namespace gs {

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

bool ChooseFileToLoad(HWND owner, const wchar_t* filter, wchar_t (&file)[MAX_PATH]) {
    OPENFILENAMEW dialog = DialogFields(owner, filter, file, kOpenFlags);
    const bool chosen = ::GetOpenFileNameW(&dialog) == TRUE;
    if (!chosen)
        file[0] = L'\0';
    return chosen;
}

DuiLib::CDuiString ChooseFileToSave(HWND owner, const wchar_t* filter,
                                    const DuiLib::CDuiString& extension) {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW dialog = DialogFields(owner, filter, file, kSaveFlags);
    DuiLib::CDuiString path;
    if (::GetSaveFileNameW(&dialog) != TRUE)
        return path;
    path = file;
    bool extended = AppendSaveExtension(path, extension);
    if (extended && FileExists(path) && !MayReplace(owner, path))
        path.Empty();
    return path;
}

} // namespace gs
