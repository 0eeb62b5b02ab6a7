#pragma once
// A request into the movie that carries one long text (a whole file in Base64), built
// in the very string that is handed to the player: a BSTR holding the fixed head, the
// text and the fixed tail. The text is written straight into the room reserved between
// head and tail, so the shell never holds a second full-size copy of it, and the
// request ends at its exact size.
#include "platform/win/Handles.h"

#include <string>

namespace gs {

class RequestWithText {
public:
    RequestWithText(std::wstring head, std::wstring tail)
        : m_head(std::move(head)), m_tail(std::move(tail)) {}

    // Zero-filled room for a text of up to `units` - 1 characters and its NUL; null
    // when the memory cannot be had, and the request then carries no text.
    wchar_t* Reserve(size_t units);
    // Head, the text up to its first NUL in the room, tail. Null only when not even the
    // request without its text can be had.
    UniqueBstr Take();

private:
    std::wstring m_head;
    std::wstring m_tail;
    UniqueBstr m_request;
    size_t m_room = 0;
};

} // namespace gs
