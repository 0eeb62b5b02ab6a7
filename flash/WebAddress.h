#pragma once
// Whether a movie's text may be handed to the system shell to open: only web
// addresses, so that a movie can never start a program or open a local file.
// Portable: no Windows header.
namespace gs {

// True for text that starts with "http://" or "https://" (scheme in any letter case)
// and holds no control character.
bool IsWebAddress(const wchar_t* text);

} // namespace gs
