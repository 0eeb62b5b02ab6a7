// A text written into its request a piece at a time: accepted pieces follow each other
// without a gap, and a piece that does not fill its place plainly is refused.
#include "flash/RequestWithText.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Piece {
    size_t units;        // its place: the text and the NUL
    const wchar_t* text; // what the writer puts there
    bool accepted;
};

TEST(RequestWithText, TakesOnlyPlainPiecesThatFollowEachOther) {
    // clang-format off
    const struct { size_t room; std::vector<Piece> pieces; const wchar_t* request; } cases[] = {
        {9, {{5, L"QUJD", true}, {5, L"RUZH", true}}, L"<QUJDRUZH>"},
        {1, {}, L"<>"}, // an empty file: the room is its NUL alone
        {9, {{5, L"QUJD", true}, {6, L"RUZH", false}}, L"<QUJD>"},     // past the room
        {9, {{5, L"QUJD", true}, {5, L"RUZ", false}}, L"<QUJD>"},      // leaves a gap
        {9, {{5, L"QU<D", false}}, L"<>"},                             // would need escaping
        {13, {{5, L"QUJD", true}, {5, L"RUZH", true}}, L"<QUJDRUZH>"}, // room to spare
    };
    // clang-format on
    for (const auto& c : cases) {
        gs::RequestWithText request(L"<", L">");
        ASSERT_TRUE(request.ReserveForPieces(c.room));
        for (const Piece& piece : c.pieces) {
            const auto write = [&](wchar_t* place) {
                std::wmemcpy(place, piece.text, std::wcslen(piece.text));
            };
            EXPECT_EQ(request.WritePiece(piece.units, write), piece.accepted) << c.request;
        }
        gs::UniqueBstr taken = request.Take();
        EXPECT_EQ(std::wstring(taken.get(), ::SysStringLen(taken.get())), c.request);
    }
}

} // namespace
