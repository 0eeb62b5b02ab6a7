#include "flash/RequestWithText.h"

#include "flash/XmlEscape.h"

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

} // namespace

wchar_t* RequestWithText::Reserve(size_t units) {
    m_request.reset();
    m_room = 0;
    // The room's last unit, the text's NUL, shares its place with the tail's first
    // (or the string's own terminator).
    if (units == 0 || units > 0x7FFFFFFF / sizeof(wchar_t) - m_head.size() - m_tail.size())
        return nullptr;
    m_request.reset(
        ::SysAllocStringLen(nullptr, static_cast<UINT>(m_head.size() + units - 1 + m_tail.size())));
    if (!m_request)
        return nullptr;
    m_room = units;
    std::wmemcpy(m_request.get(), m_head.data(), m_head.size());
    return std::wmemset(m_request.get() + m_head.size(), L'\0', units);
}

UniqueBstr RequestWithText::Take() {
    if (!m_request)
        return Assemble(m_head, {}, m_tail);
    wchar_t* room = m_request.get() + m_head.size();
    std::wstring_view text(room, ::wcsnlen(room, m_room));
    if (text.size() + 1 == m_room && !NeedsXmlEscape(text)) {
        std::wmemcpy(room + text.size(), m_tail.data(), m_tail.size())[m_tail.size()] = L'\0';
        return std::move(m_request);
    }
    // A text that leaves part of its room empty, or holds characters that XML gives a
    // meaning, is placed anew: a copy, but only for a codec that counts or writes
    // otherwise than standard Base64.
    UniqueBstr request = Assemble(m_head, XmlEscape(std::wstring(text).c_str()).GetData(), m_tail);
    m_request.reset();
    return request;
}

} // namespace gs
