#pragma once
// The one way to the player's IShockwaveFlash interface from a skin control.
#include "platform/host/ShockwaveFlash.h"
#include "platform/ui/ControlUI.h"
#include "platform/win/ComPtr.h"

namespace gs {

// The Flash Player's interface behind an ActiveX control; null when the control is not
// one or holds no player. The player's identity pointer, its answer for IID_IUnknown,
// is its IShockwaveFlash interface: the host calls the player's methods through it.
ComPtr<IShockwaveFlash> FlashPlayerOf(DuiLib::CControlUI* control);

} // namespace gs
