#pragma once
// Decimal number reading for the launch record, with the C library's atol and wcstol
// rules: leading white space, an optional sign, digits up to the first other
// character, 0 when no digit follows, and the nearest 32-bit limit when out of range.
// Portable: no Windows header.
#include <cstdint>

namespace gs {

int32_t ParseAnsiLong(const char* text);
int32_t ParseWideLong(const wchar_t* text);

// The room number hidden in the room text: of its first six characters the last five,
// read as a decimal number ("123456789" gives 23456, "12" gives 12).
int32_t RoomNumberFromText(const wchar_t* roomText);

} // namespace gs
