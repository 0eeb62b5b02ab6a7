#pragma once
// What activating a movie asks of the player, and the offer made when there is none.
#include "platform/host/ShockwaveFlash.h"

#include <windows.h>

namespace gs {

// Loads the movie, lifts its local-file sandbox and allows it script access; answers
// what loading the movie answered.
HRESULT LoadMovie(IShockwaveFlash& flash, const wchar_t* moviePath);

// Asks the user whether to fetch the Flash Player; on yes opens `downloadPage`, or the
// built-in page when that is empty.
void OfferFlashDownload(HWND owner, const wchar_t* downloadPage);

} // namespace gs
