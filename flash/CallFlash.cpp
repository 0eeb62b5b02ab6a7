// Every request into the movie leaves through CallFlash: the "flash" control is looked
// up afresh each time and the player's interface released before returning.
#include "platform/host/ActiveXUI.h"
#include "platform/host/ShockwaveFlash.h"
#include "platform/win/ComPtr.h"
#include "platform/win/Handles.h"
#include "platform/win/Trace.h"
#include "shell/ShellFrameWnd.h"

HRESULT CShellFrameWnd::CallFlash(LPCTSTR request) {
    if (!request)
        return 1;
    return CallFlash(gs::UniqueBstr(::SysAllocString(request)));
}

HRESULT CShellFrameWnd::CallFlash(gs::UniqueBstr request) {
    if (!request)
        return 1;
    auto* control = dynamic_cast<DuiLib::CActiveXUI*>(m_pm.FindControl(L"flash"));
    if (!control)
        return 1;
    // The player's identity pointer is its IShockwaveFlash interface.
    IUnknown* unknown = nullptr;
    (void)control->GetControl(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (!unknown)
        return 1;
    gs::ComPtr<IShockwaveFlash> flash;
    flash.attach(static_cast<IShockwaveFlash*>(unknown));
    gs::UniqueBstr response;
    HRESULT result = flash->CallFunction(request.get(), response.put());
    gs::TraceText(result == S_OK ? L"CallFlash Sucessed callCommand = "
                                 : L"CallFlash Fail callCommand = ",
                  {request.get(), ::SysStringLen(request.get())}, L" \n");
    return result;
}
