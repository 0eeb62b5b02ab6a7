#pragma once
// The file dialogs' filter list from its settings text. Portable: no Windows header.
#include <cstddef>

namespace gs {

inline constexpr size_t kFileFilterUnits = 500;
inline constexpr size_t kFileFilterTextUnits = 498;

// Copies `text` (cut to its first 498 characters) into `filter`, whose 500 units are
// all zero on entry, and turns every backslash-zero pair into one NUL, so that the
// list of description and pattern pairs ends at the first two NULs in a row, always
// inside the 500 units.
void ConvertFileFilter(const wchar_t* text, wchar_t* filter);

} // namespace gs
