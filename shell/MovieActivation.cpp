// Activation of the movie once the skin's Flash control has been created: route the
// movie's calls to the frame, load the movie, lift its local sandbox, allow it script
// access and tell it its size. A missing player is reported with an offer to
// download it, and the shell quits.
#include "flash/Activation.h"
#include "flash/FlashPlayerOf.h"
#include "platform/host/FlashUI.h"
#include "platform/win/Trace.h"
#include "shell/ShellFrameWnd.h"

#include <utility>

void CShellFrameWnd::OnShowActiveX(DuiLib::TNotifyUI& msg) {
    if (!msg.pSender || DuiLib::CDuiString(msg.pSender->GetName()) != L"flash")
        return;
    HRESULT created = static_cast<HRESULT>(msg.wParam);
    if (created < 0) {
        if (created == REGDB_E_CLASSNOTREG)
            OfferFlashDownload();
        ::PostQuitMessage(0);
        return;
    }
    ActivateMovie(msg.pSender);
}

void CShellFrameWnd::OfferFlashDownload() {
    gs::OfferFlashDownload(*this, SettingText(L"DownloadFlash"));
}

void CShellFrameWnd::ActivateMovie(DuiLib::CControlUI* control) {
    control->SetFocus();
    if (::GetFocus() == *this)
        GiveKeyboardToMovie();
    gs::ComPtr<IShockwaveFlash> flash = gs::FlashPlayerOf(control);
    if (auto* flashControl = dynamic_cast<DuiLib::CFlashUI*>(control))
        flashControl->SetFlashEventHandler(this);
    if (!flash)
        return;
    HRESULT loaded = gs::LoadMovie(*flash.get(), m_moviePath);
    flash.reset();
    int width = 0;
    int height = 0;
    if (MovieAreaSize(width, height)) {
        m_onSizeUnheard = SendOnSize(width, height) != S_OK;
        RecordSizes(width, height);
    }
    if (loaded == S_OK)
        gs::Trace(L"加载flash完成！path = %s\n", m_moviePath.GetData());
    else
        gs::Trace(L"加载flash失败！！！！！path = %s\n", m_moviePath.GetData());
}

// A player that loads the movie in the background starts its script, and so registers
// the movie's callbacks, only after put_Movie has returned: the first "OnSize" then
// finds no callback. The movie's first call shows that its script runs; it is told its
// size again then, once.
void CShellFrameWnd::RepeatUnheardOnSize() {
    if (!std::exchange(m_onSizeUnheard, false))
        return;
    int width = 0;
    int height = 0;
    if (MovieAreaSize(width, height))
        (void)SendOnSize(width, height);
}

void CShellFrameWnd::RecordSizes(int movieWidth, int movieHeight) {
    RECT window;
    (void)::GetWindowRect(*this, &window);
    m_szChrome = DuiLib::CSize(window.right - window.left - movieWidth,
                               window.bottom - window.top - movieHeight);
    m_szMovie = DuiLib::CSize(movieWidth, movieHeight);
}
