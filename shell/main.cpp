// The process entry. Everything runs on this one thread, inside the message loop, in
// a single-threaded COM apartment that later hosts the Flash control. Every way out
// gives exit code 0.
#include "platform/ui/PaintManagerUI.h"
#include "platform/win/DpiAwareness.h"
#include "platform/win/ScopeGuard.h"
#include "shell/ShellFrameWnd.h"

#include <objbase.h>

#include <memory>
#include <new>

namespace {

constexpr DWORD kMainWindowStyle = WS_VISIBLE | WS_OVERLAPPEDWINDOW;

void SetWindowIcon(HWND window) {
    DuiLib::CDuiString path = DuiLib::CPaintManagerUI::GetResourcePath() + L"icon.ico";
    // The icon stays with the window for the life of the process.
    HANDLE icon = ::LoadImageW(nullptr, path, IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    if (!icon)
        return;
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    DuiLib::CPaintManagerUI::SetInstance(instance);
    DuiLib::CPaintManagerUI::SetResourcePath(DuiLib::CPaintManagerUI::GetInstancePath() + L"skin");
    // The settings say whether to declare DPI awareness, which must come before anything
    // of the process makes a window, COM's own apartment window included.
    std::unique_ptr<CShellFrameWnd> frame(new (std::nothrow) CShellFrameWnd);
    if (!frame)
        return 0;
    if (frame->IsDpiAware())
        (void)gs::DeclareDpiAwareness(); // refused: the shell still draws at the DPI it is told
    if (FAILED(::CoInitialize(nullptr)))
        return 0;
    gs::ScopeGuard uninitialize([] { ::CoUninitialize(); });
    // Owned by its window from here on: it deletes itself after the window's last message.
    CShellFrameWnd* window = frame.release();
    HWND handle =
        window->Create(nullptr, window->GetTaskBarName(), kMainWindowStyle, 0, 0, 0, 800, 572);
    if (!handle)
        return 0;
    window->CenterWindow();
    SetWindowIcon(handle);
    ::ShowWindow(handle, SW_SHOW);
    DuiLib::CPaintManagerUI::MessageLoop();
    return 0;
}
