#pragma once
// A real window that builds "skin.xml" from the resource folder as it is created and
// gives every message to its paint manager first: the window that the ui and host
// tests put a skin in.
#include "platform/UIlib.h"

namespace gs::test {

class SkinTestWindow : public DuiLib::CWindowWnd, public DuiLib::INotifyUI {
public:
    // `callback` creates the skin's classes the builder does not know; it may be null.
    explicit SkinTestWindow(DuiLib::IDialogBuilderCallback* callback = nullptr)
        : m_callback(callback) {}

    LPCTSTR GetWindowClassName() const override { return L"GsSkinTestWindow"; }
    UINT GetClassStyle() const override { return CS_DBLCLKS; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) {
            pm.Init(m_hWnd);
            DuiLib::CDialogBuilder builder;
            pm.AttachDialog(builder.Create(L"skin.xml", nullptr, m_callback, &pm, nullptr));
            pm.AddNotifier(this);
            return 0;
        }
        LRESULT result = 0;
        if (pm.MessageHandler(message, wParam, lParam, result))
            return result;
        return CWindowWnd::HandleMessage(message, wParam, lParam);
    }

    DuiLib::CPaintManagerUI pm;

private:
    DuiLib::IDialogBuilderCallback* m_callback;
};

} // namespace gs::test
