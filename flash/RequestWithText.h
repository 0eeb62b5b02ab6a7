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
    // The same room, left unfilled, for a text written a piece at a time with
    // WritePiece. False when the memory cannot be had.
    bool ReserveForPieces(size_t units);
    // Lets `write(place)` put the next piece of the text into the next `units` units of
    // the room, the last of them for the piece's NUL. The place is zero-filled just
    // before and checked just after, while it is still in the processor's cache: a whole
    // file's text is then gone over once in memory instead of three times. True when the
    // piece fills its place up to that NUL with text that XML gives no meaning; false,
    // with nothing written, when the piece would go past the room.
    template <typename Write> bool WritePiece(size_t units, Write&& write) {
        wchar_t* place = PiecePlace(units);
        if (!place)
            return false;
        write(place);
        return AcceptPiece(place, units);
    }
    // Head, the text, tail: for a room from Reserve the text is what lies before its
    // first NUL, for one written in pieces the pieces accepted. Null only when not even
    // the request without its text can be had.
    UniqueBstr Take();

private:
    wchar_t* PiecePlace(size_t units);
    bool AcceptPiece(const wchar_t* place, size_t units);

    std::wstring m_head;
    std::wstring m_tail;
    UniqueBstr m_request;
    size_t m_room = 0;
    bool m_inPieces = false;
    size_t m_accepted = 0; // units of text written in pieces, each seen to need no escaping
};

} // namespace gs
