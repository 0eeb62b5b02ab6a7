#include "flash/CallFlash.h"

#include "flash/FlashPlayerOf.h"
#include "platform/win/Trace.h"

namespace gs {

HRESULT CallFlash(DuiLib::CPaintManagerUI& paintManager, UniqueBstr request) {
    if (!request)
        return kNothingToCall;
    ComPtr<IShockwaveFlash> flash = FlashPlayerOf(paintManager.FindControl(L"flash"));
    if (!flash)
        return kNothingToCall;
    UniqueBstr response;
    HRESULT result = flash->CallFunction(request.get(), response.put());
    TraceText(result == S_OK ? L"CallFlash Sucessed callCommand = "
                             : L"CallFlash Fail callCommand = ",
              {request.get(), ::SysStringLen(request.get())}, L" \n");
    return result;
}

} // namespace gs
