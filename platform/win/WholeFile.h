#pragma once
// Reading a small file whole: a skin, settings or image file.
#include <cstddef>
#include <string>

namespace gs {

// The file's bytes; false for a file that cannot be opened or read whole, one larger
// than `limit` bytes, or anything that is not a file on a disk (a device or a pipe,
// which could keep the reader waiting).
bool ReadWholeFile(const std::wstring& path, std::size_t limit, std::string& bytes);

} // namespace gs
