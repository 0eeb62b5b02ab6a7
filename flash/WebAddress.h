#pragma once
// Whether a movie's text may be handed to the system shell to open: only web
// addresses, so that a movie can never start a program or open a local file.
// Portable: no Windows header.
namespace gs {

// Windows takes addresses of up to 2083 characters; a round bound below that.
inline constexpr unsigned kMaxWebAddressLength = 2048;

// True for an absolute "http://" or "https://" address (scheme in any letter case)
// with a host, made only of the characters an address may hold: ASCII letters and
// digits, -._~:/?#[]@!$&'()*+,;= and '%' followed by two hex digits, and no longer
// than kMaxWebAddressLength characters.
bool IsWebAddress(const wchar_t* text);

} // namespace gs
