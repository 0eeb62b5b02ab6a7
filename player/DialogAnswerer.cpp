#include "player/DialogAnswerer.h"

#include <vector>

namespace player {

namespace {

constexpr int FileNameCombo = 0x47C;
constexpr int FileNameEdit = 0x480;

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    wchar_t name[16]{};
    if (::IsWindowVisible(window) && ::GetClassNameW(window, name, 16) &&
        std::wstring_view(name) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> dialogs;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

HWND FileNameControl(HWND dialog) {
    if (HWND edit = ::GetDlgItem(dialog, FileNameEdit))
        return edit;
    return ::GetDlgItem(dialog, FileNameCombo);
}

void PostButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

} // namespace

void DialogAnswerer::ChooseFile(std::wstring path) {
    m_file = FileAnswer::Choose;
    m_path = std::move(path);
}

void DialogAnswerer::CancelFile() {
    m_file = FileAnswer::Cancel;
    m_path.clear();
}

void DialogAnswerer::AnswerOverwrite(bool yes) {
    m_overwrite = yes ? Overwrite::Yes : Overwrite::No;
}

void DialogAnswerer::Reset() {
    m_file = FileAnswer::None;
    m_overwrite = Overwrite::None;
    m_answeredDialog = nullptr;
}

bool DialogAnswerer::Poll() {
    bool promptSeen = false;
    // By the next tick the posted answer has been handled (timer messages come only when
    // the queue is empty): a file dialog still open refused it and may take a new answer.
    for (HWND dialog : ThreadDialogs()) {
        if (FileNameControl(dialog)) {
            if (m_file != FileAnswer::None && AnswerFileDialog(dialog))
                return Pending();
        } else if (m_overwrite != Overwrite::None && m_answeredDialog &&
                   ::GetWindow(dialog, GW_OWNER) == m_answeredDialog) {
            promptSeen = AnswerPrompt(dialog);
        }
    }
    // An overwrite answer waits only as long as the dialog it follows is still open: once
    // that dialog has gone without a prompt, the file did not exist.
    if (!promptSeen && m_file == FileAnswer::None && m_overwrite != Overwrite::None &&
        (!m_answeredDialog || !::IsWindow(m_answeredDialog))) {
        m_record(L"dialog", L"no overwrite prompt");
        m_overwrite = Overwrite::None;
    }
    return Pending();
}

bool DialogAnswerer::AnswerFileDialog(HWND dialog) {
    if (m_file == FileAnswer::Cancel) {
        PostButton(dialog, IDCANCEL);
        m_record(L"dialog", L"cancel");
    } else {
        if (!::SetWindowTextW(FileNameControl(dialog), m_path.c_str()))
            return false;
        PostButton(dialog, IDOK);
        m_record(L"dialog", L"choose " + m_path);
    }
    m_file = FileAnswer::None;
    m_answeredDialog = dialog;
    return true;
}

bool DialogAnswerer::AnswerPrompt(HWND prompt) {
    bool yes = m_overwrite == Overwrite::Yes;
    PostButton(prompt, yes ? IDYES : IDNO);
    m_record(L"dialog", yes ? L"overwrite yes" : L"overwrite no");
    m_overwrite = Overwrite::None;
    return true;
}

} // namespace player
