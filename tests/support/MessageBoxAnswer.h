#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace gs::test {

// Answers a message box of the shell from another thread, as the user would, after
// checking its caption and text. A box that should not appear is answered too, so that
// the test fails on Seen() instead of hanging in the box's modal loop.
class MessageBoxAnswer {
public:
    MessageBoxAnswer(const wchar_t* caption, int button)
        : m_thread([this, caption, button] {
              for (int tries = 0; tries < 500 && !m_seen && !m_done; ++tries) {
                  ::Sleep(20);
                  HWND box = ::FindWindowW(L"#32770", caption);
                  if (!box)
                      continue;
                  ::EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&m_text));
                  m_seen = true;
                  ::PostMessageW(box, WM_COMMAND, button, 0);
              }
          }) {}
    ~MessageBoxAnswer() {
        m_done = true;
        m_thread.join();
    }
    bool Seen() const { return m_seen; }
    const std::wstring& Text() const { return m_text; }

private:
    static BOOL CALLBACK CollectText(HWND child, LPARAM into) {
        wchar_t text[256] = {};
        ::GetWindowTextW(child, text, 256);
        *reinterpret_cast<std::wstring*>(into) += text;
        return TRUE;
    }
    std::atomic<bool> m_seen{false};
    std::atomic<bool> m_done{false}; // the caller's step is over: stop looking
    std::wstring m_text;
    std::thread m_thread;
};

} // namespace gs::test
