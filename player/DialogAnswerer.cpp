#include "player/DialogAnswerer.h"

#include <algorithm>
#include <vector>

namespace player {

namespace {

constexpr int FileNameCombo = 0x47C;
constexpr int FileNameEdit = 0x480;

struct FoundDialog {
    HWND window;
    bool visible;
};

// Boxes count before they are shown: a modal loop can run a timer before it shows its box.
BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    wchar_t name[16]{};
    if (::GetClassNameW(window, name, 16) && std::wstring_view(name) == L"#32770")
        reinterpret_cast<std::vector<FoundDialog>*>(found)->push_back(
            {window, ::IsWindowVisible(window) != FALSE});
    return TRUE;
}

std::vector<FoundDialog> ThreadDialogs() {
    std::vector<FoundDialog> dialogs;
    (void)::EnumThreadWindows(::GetCurrentThreadId(), CollectDialog,
                              reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

HWND FileNameControl(HWND dialog) {
    if (HWND edit = ::GetDlgItem(dialog, FileNameEdit))
        return edit;
    return ::GetDlgItem(dialog, FileNameCombo);
}

void PostButton(HWND dialog, int id) {
    (void)::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

const wchar_t* ButtonName(int id) {
    switch (id) {
    case IDOK:
        return L"ok";
    case IDCANCEL:
        return L"cancel";
    case IDYES:
        return L"yes";
    default:
        return L"no";
    }
}

} // namespace

void DialogAnswerer::ChooseFile(std::wstring path) {
    m_files.push_back({false, std::move(path)});
}

void DialogAnswerer::CancelFile() {
    m_files.push_back({true, {}});
}

void DialogAnswerer::AnswerOverwrite(bool yes) {
    m_overwrite = yes ? Overwrite::Yes : Overwrite::No;
}

void DialogAnswerer::AnswerPrompt(int button) {
    m_prompt = button;
}

void DialogAnswerer::Reset() {
    m_files.clear();
    m_overwrite = Overwrite::None;
    m_prompt = 0;
    m_answeredDialog = nullptr;
    m_answeredOwner = nullptr;
}

bool DialogAnswerer::FileDialogShown() {
    const std::vector<FoundDialog> dialogs = ThreadDialogs();
    return std::ranges::any_of(dialogs, [](const FoundDialog& found) {
        return found.visible && FileNameControl(found.window);
    });
}

bool DialogAnswerer::Poll() {
    bool promptSeen = false;
    // By the next tick the posted answer has been handled (timer messages come only when
    // the queue is empty): a file dialog still open and enabled (no box of its own is up)
    // refused it and may take the next answer.
    for (const FoundDialog& found : ThreadDialogs()) {
        if (FileNameControl(found.window)) {
            if (found.visible && ::IsWindowEnabled(found.window) && !m_files.empty() &&
                AnswerFileDialog(found.window))
                return Pending();
        } else {
            const bool replace = IsReplacePrompt(found.window);
            promptSeen = promptSeen || replace;
            if (replace)
                AnswerReplacePrompt(found.window);
            else if (m_prompt != 0)
                AnswerBox(found.window);
        }
    }
    // An overwrite answer waits only as long as the dialog it follows is still open: once
    // that dialog has gone without a prompt, and its owner shows none, no file was replaced.
    if (!promptSeen && m_files.empty() && m_overwrite != Overwrite::None &&
        (!m_answeredDialog || !::IsWindow(m_answeredDialog))) {
        m_record(L"dialog", L"no overwrite prompt");
        m_overwrite = Overwrite::None;
    }
    return Pending();
}

bool DialogAnswerer::AnswerFileDialog(HWND dialog) {
    const FileAnswer& answer = m_files.front();
    if (answer.cancel) {
        PostButton(dialog, IDCANCEL);
        m_record(L"dialog", L"cancel");
    } else {
        if (!::SetWindowTextW(FileNameControl(dialog), answer.path.c_str()))
            return false;
        PostButton(dialog, IDOK);
        m_record(L"dialog", L"choose " + answer.path);
    }
    m_files.pop_front();
    m_answeredDialog = dialog;
    m_answeredOwner = ::GetWindow(dialog, GW_OWNER);
    return true;
}

// A yes-or-no box of the answered dialog, or of its owner once the dialog has gone.
bool DialogAnswerer::IsReplacePrompt(HWND box) const {
    if (m_overwrite == Overwrite::None || !m_answeredDialog || !::GetDlgItem(box, IDYES))
        return false;
    HWND owner = ::GetWindow(box, GW_OWNER);
    return owner == m_answeredDialog || (owner == m_answeredOwner && !::IsWindow(m_answeredDialog));
}

void DialogAnswerer::AnswerReplacePrompt(HWND prompt) {
    const bool yes = m_overwrite == Overwrite::Yes;
    PostButton(prompt, yes ? IDYES : IDNO);
    m_record(L"dialog", yes ? L"overwrite yes" : L"overwrite no");
    m_overwrite = Overwrite::None;
}

// Only a box that offers the armed button is answered: another box is left for its own answer.
void DialogAnswerer::AnswerBox(HWND box) {
    if (!::GetDlgItem(box, m_prompt))
        return;
    PostButton(box, m_prompt);
    m_record(L"dialog", std::wstring(L"prompt ") + ButtonName(m_prompt));
    m_prompt = 0;
}

} // namespace player
