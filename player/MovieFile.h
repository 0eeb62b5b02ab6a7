#pragma once
// Reads a movie file for the player: UTF-8 text (a byte-order mark allowed). Real SWF
// content (signatures FWS, CWS, ZWS) and anything else that is not text is refused
// with a reason that the stage shows.
#include <windows.h>

#include <string>

namespace player {

HRESULT ReadMovieText(const std::wstring& path, std::wstring& text, std::wstring& reason);

} // namespace player
