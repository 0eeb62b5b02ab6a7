#pragma once
// A real window with a paint manager and a skin holding the Flash control, the frame's
// part played by the test: it answers "showactivex" the way the shell does (handler,
// movie, local security, script access) and records every event the control routes.
#include "platform/UIlib.h"
#include "platform/host/ShockwaveFlash.h"
#include "platform/win/ComPtr.h"
#include "platform/win/Handles.h"

#include "tests/platform/ui/SkinFolder.h"
#include "tests/platform/ui/SkinTestWindow.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace hosttest {

using namespace DuiLib;
using playertest::ComScope;

using namespace gs::test;

// Controls start slowly under Wine on a busy machine.
constexpr DWORD kControlLimitMs = 20000;

inline CDuiRect RectInParent(HWND child) {
    CDuiRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class HostWindow : public gs::test::SkinTestWindow, public CFlashEventHandler {
public:
    // The tree goes first: its controls still reach the members below as they go.
    ~HostWindow() override { pm.AttachDialog(nullptr); }

    void Notify(TNotifyUI& msg) override {
        if (msg.sType != L"showactivex")
            return;
        created.push_back({msg.pSender, static_cast<HRESULT>(msg.wParam)});
        if (onShowActiveX)
            onShowActiveX(msg);
    }

    ULONG AddRef() override { return static_cast<ULONG>(++handlerReferences); }
    ULONG Release() override { return static_cast<ULONG>(--handlerReferences); }
    HRESULT OnReadyStateChange(long state) override {
        events.push_back(L"ready " + std::to_wstring(state));
        return 0;
    }
    HRESULT OnProgress(long percent) override {
        events.push_back(L"progress " + std::to_wstring(percent));
        return 0;
    }
    HRESULT FSCommand(LPCTSTR command, LPCTSTR args) override {
        events.push_back(L"fscommand " + std::wstring(command) + L"|" + args);
        return 0;
    }
    HRESULT FlashCall(LPCTSTR request) override {
        events.push_back(L"call");
        requests.push_back(request);
        if (onFlashCall)
            onFlashCall(request);
        return S_OK;
    }

    struct Creation {
        CControlUI* sender;
        HRESULT result;
    };

    std::vector<Creation> created;
    std::vector<std::wstring> events;
    std::vector<std::wstring> requests;
    int handlerReferences = 0;
    std::function<void(TNotifyUI&)> onShowActiveX;
    std::function<void(const std::wstring&)> onFlashCall;
};

// One test's world: its skin and movie in a folder of its own, its transcript, the window.
class HostTest : public testing::Test {
protected:
    void SetUp() override { ::SetEnvironmentVariableW(L"GS_TRANSCRIPT", transcript.c_str()); }
    void TearDown() override {
        window.reset();
        ::SetEnvironmentVariableW(L"GS_TRANSCRIPT", nullptr);
        ::DeleteFileW(transcript.c_str());
    }

    static constexpr char FlashSkin[] =
        R"(<Window size="640,480"><VerticalLayout><Control height="40"/>)"
        R"(<Flash name="flash"/></VerticalLayout></Window>)";

    // Opens the window and waits for the control's creation; with a movie, answers
    // "showactivex" as the shell does.
    void Open(const char* skin, const char* script = nullptr) {
        folder.Write(L"skin.xml", skin);
        if (script)
            folder.Write(L"movie.swf", script);
        window = std::make_unique<HostWindow>();
        if (script)
            window->onShowActiveX = [this](TNotifyUI& msg) { ActivateMovie(msg); };
        ASSERT_NE(window->Create(nullptr, L"host test", WS_POPUP, 0, 0, 0, 640, 480), nullptr);
        window->ShowWindow(true, false);
        ASSERT_TRUE(PumpUntil([this] { return !window->created.empty(); }, kControlLimitMs));
    }

    void ActivateMovie(TNotifyUI& msg) {
        auto* control = static_cast<CFlashUI*>(msg.pSender->GetInterface(L"Flash"));
        ASSERT_NE(control, nullptr);
        gs::ComPtr<IShockwaveFlash> player;
        control->GetControl(IID_IUnknown, player.put_void());
        control->SetFlashEventHandler(window.get());
        if (!player)
            return;
        gs::UniqueBstr path(::SysAllocString(movie.c_str()));
        player->put_Movie(path.get());
        player->DisableLocalSecurity();
        gs::UniqueBstr always(::SysAllocString(L"always"));
        player->put_AllowScriptAccess(always.get());
    }

    CFlashUI* Flash() const {
        return static_cast<CFlashUI*>(window->pm.FindControl(L"flash")->GetInterface(L"Flash"));
    }

    // Through the player's interface as the shell gets it: from IID_IUnknown.
    HRESULT CallFunction(const wchar_t* request) {
        gs::ComPtr<IShockwaveFlash> player;
        Flash()->GetControl(IID_IUnknown, player.put_void());
        gs::UniqueBstr text(::SysAllocString(request));
        gs::UniqueBstr reply;
        return player->CallFunction(text.get(), reply.put());
    }

    std::vector<std::string> Lines() const { return ReadLines(transcript); }
    bool WaitForLine(const std::string& prefix) {
        return PumpUntil([&] { return FindLine(Lines(), prefix) != -1; }, kControlLimitMs);
    }

    ComScope com;
    SkinFolder folder;
    const std::wstring transcript = folder.Path() + L"transcript.txt";
    const std::wstring movie = folder.Path() + L"movie.swf";
    std::unique_ptr<HostWindow> window;
};

} // namespace hosttest
