#pragma once
// The real main frame in the test process: a skin folder of the test's own, a scripted
// movie played by the registered test player, the player's transcript and the shell's
// trace lines, read as the test goes.
#include "platform/host/ActiveXUI.h"
#include "platform/ui/ControlUI.h"
#include "platform/win/Trace.h"
#include "shell/ShellFrameWnd.h"
#include "tests/platform/ui/SkinFolder.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MessagePump.h"
#include "tools/lobby/TextCodec.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace gs::test {

// The shipped skin's shape: a 30-pixel caption band with a title, a button of the skin's own and
// the four caption buttons above a 1000 x 625 Flash control, 8 pixels of border around it.
inline std::string FrameSkin(const char* roundCorner = "10,10") {
    return std::string(R"(<Window size="1016,663" caption="0,0,0,30" roundcorner=")") +
           roundCorner +
           R"("><VerticalLayout><HorizontalLayout height="30"><Label name="title" text="t"/>)"
           R"(<Button name="helpbtn" width="40"/><Button name="minbtn" width="40"/>)"
           R"(<Button name="maxbtn" width="40"/><Button name="restorebtn" width="40")"
           R"( visible="false"/><Button name="closebtn" width="40"/></HorizontalLayout>)"
           R"(<HorizontalLayout inset="8,0,8,8"><Flash name="flash" width="1000" height="625"/>)"
           R"(</HorizontalLayout></VerticalLayout></Window>)";
}

// A movie that answers everything the shell sends and never ends the test process.
inline std::string QuietMovie(const std::string& extra = "") {
    return "title frame test\n"
           "on OnSize\nend\non OnClose\nend\non OnRButtonDown\nend\non AckEnterGame\nend\n"
           "on OnLoadFile\nend\non OnSaveFile\nend\n" +
           extra;
}

class FrameHarness {
public:
    FrameHarness() {
        m_transcript = gs::test::TempPath(L"transcript");
        ::SetEnvironmentVariableW(L"GS_TRANSCRIPT", m_transcript.c_str());
        gs::SetTraceHook([this](const gs::TraceLine& line) { m_trace.push_back(Kept(line)); });
    }
    FrameHarness(const FrameHarness&) = delete;
    FrameHarness& operator=(const FrameHarness&) = delete;
    ~FrameHarness() {
        if (m_window && ::IsWindow(m_window))
            ::DestroyWindow(m_window); // the frame deletes itself after its last message
        gs::SetTraceHook(nullptr);
        ::SetEnvironmentVariableW(L"GS_TRANSCRIPT", nullptr);
        ::DeleteFileW(m_transcript.c_str());
        ::DeleteFileW(m_moviePath.c_str());
    }

    // Writes the skin, a movie and settings that name it, then creates and shows the
    // frame as start-up does and waits until the movie has been activated: the player has
    // been given its script access, the activation's last step but the size.
    bool Start(const std::string& skin, const std::string& movie,
               const std::string& settingsExtra = "") {
        m_moviePath = gs::test::TempPath(L"movie", L".swf");
        if (!WriteFileBytes(m_moviePath, movie))
            return false;
        m_skin.Write(L"skin.xml", skin);
        m_skin.Write(L"Settings.xml", "<Settings><loadingFlash>" + lobby::WideToUtf8(m_moviePath) +
                                          "</loadingFlash>" + settingsExtra + "</Settings>");
        m_frame = new CShellFrameWnd;
        m_window =
            m_frame->Create(nullptr, m_frame->GetTaskBarName(), 0x10CF0000, 0, 0, 0, 800, 572);
        if (!m_window)
            return false;
        m_frame->CenterWindow();
        ::ShowWindow(m_window, SW_SHOW);
        return WaitFor("set AllowScriptAccess always");
    }

    bool Traced(const std::wstring& part) const {
        return std::ranges::any_of(
            m_trace, [&](const std::wstring& line) { return line.find(part) != line.npos; });
    }
    std::vector<std::string> Transcript() const { return gs::test::ReadLines(m_transcript); }
    int Count(const std::string& prefix) const {
        return static_cast<int>(std::ranges::count_if(
            Transcript(), [&](const std::string& line) { return line.starts_with(prefix); }));
    }
    bool WaitFor(const std::string& prefix, int count = 1) const {
        return PumpUntil([&] { return Count(prefix) >= count; });
    }

    CShellFrameWnd& frame() { return *m_frame; }
    HWND window() const { return m_window; }
    const std::wstring& moviePath() const { return m_moviePath; }
    SkinFolder& skin() { return m_skin; }

    // The centre of a named control, in client and in screen coordinates.
    POINT ClientCentre(const wchar_t* name) {
        const RECT& rect = m_frame->GetPaintManager().FindControl(name)->GetPos();
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    POINT ScreenPoint(POINT client) const {
        ::ClientToScreen(m_window, &client);
        return client;
    }
    void Click(const wchar_t* name) {
        POINT point = ClientCentre(name);
        LPARAM at = MAKELPARAM(point.x, point.y);
        ::SendMessageW(m_window, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(m_window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(m_window, WM_LBUTTONUP, 0, at);
    }

private:
    // A line's head and tail, and no more than the start of a long text: a test with
    // little memory to spare must not fail on the harness's copy of a whole file.
    static std::wstring Kept(const gs::TraceLine& line) {
        constexpr size_t kKeptText = 4096;
        return gs::TraceLine{line.head, line.text.substr(0, kKeptText), line.tail}.Joined();
    }

    playertest::ComScope m_com;
    SkinFolder m_skin;
    std::wstring m_transcript;
    std::wstring m_moviePath;
    std::vector<std::wstring> m_trace;
    CShellFrameWnd* m_frame = nullptr; // not owned: the frame deletes itself with its window
    HWND m_window = nullptr;
};

// The hit test at a control's centre, or at a client point.
inline LRESULT HitTest(FrameHarness& harness, const wchar_t* control, POINT offset = {}) {
    POINT screen = harness.ScreenPoint(control ? harness.ClientCentre(control) : offset);
    return ::SendMessageW(harness.window(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

// Width and height, comparable in one check.
using Dims = std::pair<long, long>;

inline Dims WindowSize(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The player's own window, which covers the Flash control.
inline HWND PlayerWindow(FrameHarness& harness) {
    auto* flash =
        dynamic_cast<DuiLib::CActiveXUI*>(harness.frame().GetPaintManager().FindControl(L"flash"));
    return flash ? flash->GetHostWindow() : nullptr;
}

// The size the movie was told last, from its transcript.
inline Dims LastOnSize(const FrameHarness& harness) {
    Dims size{-1, -1};
    for (const std::string& line : harness.Transcript())
        (void)std::sscanf(line.c_str(),
                          "in <invoke name=\"OnSize\" returntype=\"xml\"><arguments><number>%ld"
                          "</number><number>%ld",
                          &size.first, &size.second);
    return size;
}

} // namespace gs::test
