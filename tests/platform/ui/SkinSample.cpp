// Shows a skin in a real window, for looking at: `ui_skin_sample <folder>` builds
// <folder>\skin.xml and runs until the window is closed.
#include "platform/UIlib.h"

using namespace DuiLib;

namespace {

class SampleWindow : public CWindowWnd, public INotifyUI {
public:
    LPCTSTR GetWindowClassName() const override { return L"GsUiSample"; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        if (uMsg == WM_CREATE) {
            m_pm.Init(m_hWnd);
            CDialogBuilder builder;
            m_pm.AttachDialog(builder.Create(L"skin.xml", nullptr, nullptr, &m_pm, nullptr));
            m_pm.AddNotifier(this);
            return 0;
        }
        if (uMsg == WM_DESTROY)
            ::PostQuitMessage(0);
        LRESULT result = 0;
        if (m_pm.MessageHandler(uMsg, wParam, lParam, result))
            return result;
        return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == L"click" && msg.pSender->GetName() == L"closebtn")
            ::DestroyWindow(m_hWnd);
    }

private:
    CPaintManagerUI m_pm;
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
