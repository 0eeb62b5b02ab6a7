#pragma once
// Conversion of one ANSI text of the launch sources into a fixed-capacity UTF-16
// field of the record, in the active ANSI code page (the rules are in AnsiText.h).
#include <cstddef>

namespace gs {

// The text at `source` ends at its first NUL or after `sourceWidth` bytes; at most
// capacity - 2 units of it are kept, cut on a whole character.
void CopyAnsiText(const char* source, size_t sourceWidth, wchar_t* field, size_t capacity);

// The record's five field capacities.
template <size_t Capacity>
void CopyAnsiField(const char* source, size_t sourceWidth, wchar_t (&field)[Capacity]) {
    static_assert(Capacity == 16 || Capacity == 20 || Capacity == 40 || Capacity == 128 ||
                  Capacity == 256);
    CopyAnsiText(source, sourceWidth, field, Capacity);
}

} // namespace gs
