#pragma once
// The room number of the launch record. Portable: no Windows header.
#include <cstdint>

namespace gs {

// The room number hidden in the room text: of its first six characters the last five,
// read as a decimal number ("123456789" gives 23456, "12" gives 12).
int32_t RoomNumberFromText(const wchar_t* roomText);

} // namespace gs
