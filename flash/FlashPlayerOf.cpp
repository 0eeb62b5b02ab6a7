#include "flash/FlashPlayerOf.h"

#include "platform/host/ActiveXUI.h"

namespace gs {

ComPtr<IShockwaveFlash> FlashPlayerOf(DuiLib::CControlUI* control) {
    ComPtr<IShockwaveFlash> flash;
    auto* activeX = dynamic_cast<DuiLib::CActiveXUI*>(control);
    if (activeX)
        (void)activeX->GetControl(IID_IUnknown, flash.put_void()); // none: stays null
    return flash;
}

} // namespace gs
