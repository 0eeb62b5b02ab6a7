// The main frame's skin: built from "skin.xml" while the window is created, and the
// notifications of its caption buttons.
#include "platform/ui/ControlUI.h"
#include "platform/ui/DialogBuilder.h"
#include "shell/DialogBuilderCallbackEx.h"
#include "shell/ShellFrameWnd.h"

LRESULT CShellFrameWnd::OnCreate() {
    LONG style = ::GetWindowLongW(*this, GWL_STYLE);
    ::SetWindowLongW(*this, GWL_STYLE, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    m_pm.Init(*this);
    m_pm.SetDpi(DrawingDpi());
    DuiLib::CDialogBuilder builder;
    CDialogBuilderCallbackEx callback;
    DuiLib::CControlUI* root = builder.Create(L"skin.xml", nullptr, &callback, &m_pm, nullptr);
    (void)m_pm.AttachDialog(root);
    // A window without a skin shows nothing and nothing could ever close it.
    if (root)
        FitIntoWorkArea();
    else
        ::PostQuitMessage(0);
    (void)m_pm.AddNotifier(this);
    FindCaptionButtons();
    return 0;
}

void CShellFrameWnd::FindCaptionButtons() {
    m_pCloseBtn = m_pm.FindControl(L"closebtn");
    m_pMaxBtn = m_pm.FindControl(L"maxbtn");
    m_pRestoreBtn = m_pm.FindControl(L"restorebtn");
    m_pMinBtn = m_pm.FindControl(L"minbtn");
}

void CShellFrameWnd::Notify(DuiLib::TNotifyUI& msg) {
    if (msg.sType == L"windowinit")
        return;
    if (msg.sType == L"click") {
        if (msg.pSender == m_pCloseBtn)
            SendOnClose();
        else if (msg.pSender == m_pMinBtn)
            SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else if (msg.pSender == m_pMaxBtn)
            SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        else if (msg.pSender == m_pRestoreBtn)
            SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    if (msg.sType == L"showactivex")
        OnShowActiveX(msg);
}
