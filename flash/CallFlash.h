#pragma once
// Every request into the movie leaves through CallFlash: the "flash" control is looked
// up afresh each time and the player's interface released before returning.
#include "platform/ui/PaintManagerUI.h"
#include "platform/win/Handles.h"

namespace gs {

// The answer when there is no request, control or player: the system's interface fixes a
// bare 1 (the value of S_FALSE), which callers testing for S_OK take as "not heard".
constexpr HRESULT kNothingToCall = 1;

// Hands `request` to the movie through the skin's "flash" control. Answers what the
// player's CallFunction answered, or kNothingToCall.
HRESULT CallFlash(DuiLib::CPaintManagerUI& paintManager, UniqueBstr request);

} // namespace gs
