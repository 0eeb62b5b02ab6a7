#pragma once
// Answers a dialog of the shell from another thread, as the user would: the first one
// found is handed to the answer, which reads what the test needs and presses a button.
// A dialog that should not appear is answered too, so that the test fails on Seen()
// instead of hanging in the dialog's modal loop.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>

namespace gs::test {

class DialogAnswer {
public:
    using Answer = std::function<void(HWND dialog)>;

    // The message box with this caption, pressed with `button`; its text is kept.
    DialogAnswer(const wchar_t* caption, int button)
        : DialogAnswer([caption](DWORD) { return ::FindWindowW(L"#32770", caption); },
                       [this, button](HWND box) {
                           m_text = TextOf(box);
                           Press(box, button);
                       }) {}
    // The next common file dialog of the calling thread.
    explicit DialogAnswer(Answer answer)
        : DialogAnswer([](DWORD thread) { return FileDialogsOf(thread).first; },
                       std::move(answer)) {}
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;
    ~DialogAnswer() {
        m_done = true;
        m_thread.join();
    }

    bool Seen() const { return m_seen; }
    const std::wstring& Text() const { return m_text; }

    // The texts of the dialog's controls, one after another.
    static std::wstring TextOf(HWND dialog) {
        std::wstring text;
        ::EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&text));
        return text;
    }
    static void Press(HWND dialog, int button) {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
    }
    // Types a name into a file dialog and presses its OK button.
    static void Choose(HWND dialog, const std::wstring& path) {
        ::SetWindowTextW(FileNameControl(dialog), path.c_str());
        Press(dialog, IDOK);
    }

    // The last common file dialog the thread shows, and how many it shows.
    static std::pair<HWND, int> FileDialogsOf(DWORD thread) {
        std::pair<HWND, int> found{nullptr, 0};
        ::EnumThreadWindows(thread, KeepFileDialog, reinterpret_cast<LPARAM>(&found));
        return found;
    }

private:
    using Find = std::function<HWND(DWORD thread)>;

    DialogAnswer(Find find, Answer answer)
        : m_thread([this, find = std::move(find), answer = std::move(answer),
                    thread = ::GetCurrentThreadId()] {
              for (int tries = 0; tries < 500 && !m_done; ++tries) {
                  ::Sleep(20); // the dialog opens on the test's thread, which is busy in it
                  if (HWND dialog = find(thread)) {
                      m_seen = true;
                      answer(dialog);
                      return;
                  }
              }
          }) {}

    static HWND FileNameControl(HWND dialog) {
        HWND edit = ::GetDlgItem(dialog, 0x480);
        return edit ? edit : ::GetDlgItem(dialog, 0x47C);
    }
    // Keeps the last file dialog found, and counts them.
    static BOOL CALLBACK KeepFileDialog(HWND window, LPARAM into) {
        wchar_t name[8] = {};
        ::GetClassNameW(window, name, 8);
        if (::IsWindowVisible(window) && std::wstring(name) == L"#32770" &&
            FileNameControl(window)) {
            auto& found = *reinterpret_cast<std::pair<HWND, int>*>(into);
            found = {window, found.second + 1};
        }
        return TRUE;
    }
    static BOOL CALLBACK CollectText(HWND child, LPARAM into) {
        wchar_t text[256] = {};
        ::GetWindowTextW(child, text, 256);
        *reinterpret_cast<std::wstring*>(into) += text;
        return TRUE;
    }

    std::atomic<bool> m_seen{false};
    std::atomic<bool> m_done{false}; // the caller's step is over: stop looking
    std::wstring m_text;
    std::thread m_thread; // last: it starts once everything it uses exists
};

} // namespace gs::test
