#pragma once
// How much of an ANSI launch text is read and where it is cut to fit its UTF-16
// field. Portable: the code page comes in as two functions, so the same rules also
// run natively under the fuzzer with a stand-in code page.
#include <cstddef>
#include <string>

namespace gs {

struct AnsiCodePage {
    // True for a byte that starts a double-byte character.
    bool (*isLeadByte)(unsigned char byte);
    // The UTF-16 units of `count` bytes of whole characters; empty when the code page
    // cannot convert them.
    std::wstring (*widen)(const char* bytes, size_t count);
};

// Clears all `capacity` units of `field`, then converts the text at `source` (it ends
// at its first NUL or after `sourceWidth` bytes, whichever comes first; no byte beyond
// either is read). At most capacity - 2 units of text are kept, so the field always
// ends in NUL and its last unit stays 0. Text that does not fit is cut on a whole
// character: never half a double-byte character, never half a surrogate pair.
void CopyAnsiText(const AnsiCodePage& codePage, const char* source, size_t sourceWidth,
                  wchar_t* field, size_t capacity);

} // namespace gs
