#include "flash/Activation.h"

#include "platform/win/Handles.h"

#include <shellapi.h>

namespace gs {

namespace {

const wchar_t kBuiltInDownloadPage[] = L"https://www.adobe.com/cn/flashplayer/";

} // namespace

HRESULT LoadMovie(IShockwaveFlash& flash, const wchar_t* moviePath) {
    HRESULT loaded = E_OUTOFMEMORY;
    if (UniqueBstr movie{::SysAllocString(moviePath)})
        loaded = flash.put_Movie(movie.get());
    (void)flash.DisableLocalSecurity();
    UniqueBstr always(::SysAllocString(L"always"));
    (void)flash.put_AllowScriptAccess(always.get());
    return loaded;
}

void OfferFlashDownload(HWND owner, const wchar_t* downloadPage) {
    int answer = ::MessageBoxW(owner, L"您尚未安装Flash组件，点击[是]到Adobe官方下载插件吧！",
                               L"提示", MB_YESNO);
    if (answer != IDYES)
        return;
    const wchar_t* address = downloadPage && *downloadPage ? downloadPage : kBuiltInDownloadPage;
    (void)::ShellExecuteW(owner, L"open", address, nullptr, nullptr, SW_SHOW);
}

} // namespace gs
