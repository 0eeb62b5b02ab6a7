#pragma once
// The wide string of the whole system. Portable: it includes no Windows header, so
// the readers of untrusted input that use it also build natively.
#include <cstdarg>
#include <string>

namespace DuiLib {

class CDuiString {
public:
    CDuiString() = default;
    CDuiString(const wchar_t* text, int length = -1);
    explicit CDuiString(wchar_t ch) : m_text(1, ch) {}
    explicit CDuiString(std::wstring&& text) noexcept : m_text(std::move(text)) {}
    CDuiString(const CDuiString&) = default;
    CDuiString(CDuiString&&) noexcept = default;
    CDuiString& operator=(const CDuiString&) = default;
    CDuiString& operator=(CDuiString&&) noexcept = default;
    CDuiString& operator=(const wchar_t* text);

    const wchar_t* GetData() const { return m_text.c_str(); }
    operator const wchar_t*() const { return m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    void Assign(const wchar_t* text, int length = -1);

    CDuiString operator+(const CDuiString& other) const;
    CDuiString operator+(const wchar_t* text) const;
    CDuiString& operator+=(const CDuiString& other);
    CDuiString& operator+=(const wchar_t* text);
    CDuiString& operator+=(wchar_t ch);
    bool operator==(const wchar_t* text) const;
    bool operator!=(const wchar_t* text) const { return !(*this == text); }
    bool operator==(const CDuiString& other) const { return m_text == other.m_text; }
    bool operator!=(const CDuiString& other) const { return m_text != other.m_text; }

    // The first (Left) or last (Right) n characters; the whole text when it is shorter.
    CDuiString Left(int count) const;
    CDuiString Right(int count) const;
    CDuiString Mid(int start, int count = -1) const;
    void MakeLower();
    int Find(wchar_t ch, int start = 0) const;

    // printf-style formatting with the Windows meaning of the conversions: %s takes a
    // wide string (as does %ls), %hs a narrow one; %d %i %u %x %X %c %%, flags '-' and
    // '0', a width and the 'l'/'h' size letters. Returns the new length.
    int Format(const wchar_t* format, ...);
    int FormatV(const wchar_t* format, va_list args);

private:
    std::wstring m_text;
};

} // namespace DuiLib
