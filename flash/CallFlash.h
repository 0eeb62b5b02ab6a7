#pragma once
// Every request into the movie leaves through CallFlash: the "flash" control is looked
// up afresh each time and the player's interface released before returning.
#include "platform/ui/PaintManagerUI.h"
#include "platform/win/Handles.h"

namespace gs {

// Hands `request` to the movie through the skin's "flash" control. Answers what the
// player's CallFunction answered, or 1 when there is no request, control or player.
HRESULT CallFlash(DuiLib::CPaintManagerUI& paintManager, UniqueBstr request);

} // namespace gs
