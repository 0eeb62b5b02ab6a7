#pragma once
// printf-style formatting with the Windows meaning of the conversions, whichever C
// library the program is built with: %s takes a wide string (as does %ls), %hs a narrow
// one; %d %i %u %x %X %c %%, flags '-' and '0', a width and the 'l'/'h' size letters.
// Portable: no Windows header.
#include <cstdarg>
#include <string>

namespace gs {

std::wstring FormatWide(const wchar_t* format, va_list args);

} // namespace gs
