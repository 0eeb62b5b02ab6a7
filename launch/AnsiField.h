#pragma once
// Conversion of one ANSI text of the launch sources into a fixed-capacity UTF-16
// field of the record.
#include <cstddef>

namespace gs {

// Clears all `capacity` units of `field`, then converts the text at `source` (it ends
// at its first NUL or after `sourceWidth` bytes, whichever comes first) from the
// active ANSI code page. At most capacity - 2 units of text are kept, so the field
// always ends in NUL and its last unit stays 0. Text that does not fit is cut on a
// whole character: never half a double-byte character, never half a surrogate pair.
void CopyAnsiText(const char* source, size_t sourceWidth, wchar_t* field, size_t capacity);

// The record's five field capacities.
template <size_t Capacity>
void CopyAnsiField(const char* source, size_t sourceWidth, wchar_t (&field)[Capacity]) {
    static_assert(Capacity == 16 || Capacity == 20 || Capacity == 40 || Capacity == 128 ||
                  Capacity == 256);
    CopyAnsiText(source, sourceWidth, field, Capacity);
}

} // namespace gs
