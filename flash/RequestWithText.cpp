#include "flash/RequestWithText.h"

#include "flash/XmlEscape.h"

#include <emmintrin.h>

#include <cwchar>
#include <string_view>

namespace gs {

namespace {

UniqueBstr Assemble(std::wstring_view head, std::wstring_view text, std::wstring_view tail) {
    UniqueBstr request(
        ::SysAllocStringLen(nullptr, static_cast<UINT>(head.size() + text.size() + tail.size())));
    if (!request)
        return request;
    wchar_t* at = request.get();
    at = std::wmemcpy(at, head.data(), head.size()) + head.size();
    at = std::wmemcpy(at, text.data(), text.size()) + text.size();
    std::wmemcpy(at, tail.data(), tail.size())[tail.size()] = L'\0';
    return request;
}

bool IsSpecial(wchar_t ch) {
    return ch == L'\0' || ch == L'&' || ch == L'<' || ch == L'>' || ch == L'"' || ch == L'\'';
}

// Whether the room holds a text that fills it up to its last unit, the NUL, with no other
// NUL and nothing that XML gives a meaning: what the codec writes. Looks from `from` on.
bool FillsRoomPlainlyFrom(const wchar_t* room, size_t from, size_t units) {
    for (size_t at = from; at + 1 < units; ++at) {
        if (IsSpecial(room[at]))
            return false;
    }
    return room[units - 1] == L'\0';
}

// The same, eight units at a time: a whole file's text is scanned at memory speed.
[[gnu::target("sse2")]] bool FillsRoomPlainlySse2(const wchar_t* room, size_t units) {
    const __m128i specials[] = {_mm_setzero_si128(),  _mm_set1_epi16(L'&'), _mm_set1_epi16(L'<'),
                                _mm_set1_epi16(L'>'), _mm_set1_epi16(L'"'), _mm_set1_epi16(L'\'')};
    __m128i found = _mm_setzero_si128();
    size_t at = 0;
    for (; at + 8 < units; at += 8) {
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(room + at));
        for (const __m128i& special : specials)
            found = _mm_or_si128(found, _mm_cmpeq_epi16(eight, special));
    }
    return _mm_movemask_epi8(found) == 0 && FillsRoomPlainlyFrom(room, at, units);
}

bool FillsRoomPlainly(const wchar_t* room, size_t units) {
    static const bool sse2 = __builtin_cpu_supports("sse2");
    return sse2 ? FillsRoomPlainlySse2(room, units) : FillsRoomPlainlyFrom(room, 0, units);
}

} // namespace

wchar_t* RequestWithText::Reserve(size_t units) {
    if (!ReserveForPieces(units))
        return nullptr;
    m_inPieces = false;
    return std::wmemset(m_request.get() + m_head.size(), L'\0', units);
}

bool RequestWithText::ReserveForPieces(size_t units) {
    m_request.reset();
    m_room = 0;
    m_inPieces = true;
    m_accepted = 0;
    // The room's last unit, the text's NUL, shares its place with the tail's first
    // (or the string's own terminator).
    if (units == 0 || units > 0x7FFFFFFF / sizeof(wchar_t) - m_head.size() - m_tail.size())
        return false;
    m_request.reset(
        ::SysAllocStringLen(nullptr, static_cast<UINT>(m_head.size() + units - 1 + m_tail.size())));
    if (!m_request)
        return false;
    m_room = units;
    std::wmemcpy(m_request.get(), m_head.data(), m_head.size());
    return true;
}

wchar_t* RequestWithText::PiecePlace(size_t units) {
    if (!m_request || !m_inPieces || units == 0 || units > m_room - m_accepted)
        return nullptr;
    return std::wmemset(m_request.get() + m_head.size() + m_accepted, L'\0', units);
}

bool RequestWithText::AcceptPiece(const wchar_t* place, size_t units) {
    if (!FillsRoomPlainly(place, units))
        return false;
    m_accepted += units - 1; // the next piece starts on this one's NUL
    return true;
}

UniqueBstr RequestWithText::Take() {
    if (!m_request)
        return Assemble(m_head, {}, m_tail);
    wchar_t* room = m_request.get() + m_head.size();
    const bool plain = m_inPieces ? m_accepted + 1 == m_room : FillsRoomPlainly(room, m_room);
    if (plain) {
        std::wmemcpy(room + m_room - 1, m_tail.data(), m_tail.size())[m_tail.size()] = L'\0';
        return std::move(m_request);
    }
    // A text that leaves part of its room empty, or holds characters that XML gives a
    // meaning, is placed anew: a copy, but only for a codec that counts or writes
    // otherwise than standard Base64.
    const std::wstring_view text(room, m_inPieces ? m_accepted : ::wcsnlen(room, m_room));
    UniqueBstr request = Assemble(m_head, XmlEscape(std::wstring(text).c_str()).GetData(), m_tail);
    m_request.reset();
    return request;
}

} // namespace gs
