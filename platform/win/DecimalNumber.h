#pragma once
// Decimal number reading with the C library's atol and wcstol rules: leading white
// space, an optional sign, digits up to the first other character, 0 when no digit
// follows, and the nearest 32-bit limit when out of range. Portable: no Windows header.
#include <cstdint>

namespace gs {

int32_t ParseAnsiLong(const char* text);
int32_t ParseWideLong(const wchar_t* text);

} // namespace gs
