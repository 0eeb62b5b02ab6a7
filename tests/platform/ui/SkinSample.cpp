// Shows a skin in a real window, for looking at: `ui_skin_sample <folder>` builds
// <folder>\skin.xml and runs until the window is closed.
#include "SkinTestWindow.h"

using namespace DuiLib;

namespace {

class SampleWindow : public gs::test::SkinTestWindow {
public:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DESTROY)
            ::PostQuitMessage(0);
        return SkinTestWindow::HandleMessage(message, wParam, lParam);
    }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == L"click" && msg.pSender->GetName() == L"closebtn")
            ::DestroyWindow(m_hWnd);
    }
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
    CPaintManagerUI::SetResourcePath(argc > 1 ? argv[1]
                                              : CPaintManagerUI::GetInstancePath().GetData());
    SampleWindow window;
    if (!window.Create(nullptr, L"skin sample", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100))
        return 1;
    window.CenterWindow();
    CPaintManagerUI::MessageLoop();
    return 0;
}
