#include "platform/ui/DuiString.h"

#include "platform/win/WideFormat.h"

#include <cwchar>
#include <cwctype>

namespace DuiLib {

namespace {

size_t TextLength(const wchar_t* text, int length) {
    if (!text)
        return 0;
    return length < 0 ? std::wcslen(text) : static_cast<size_t>(length);
}

} // namespace

CDuiString::CDuiString(const wchar_t* text, int length) {
    Assign(text, length);
}

CDuiString& CDuiString::operator=(const wchar_t* text) {
    Assign(text);
    return *this;
}

void CDuiString::Assign(const wchar_t* text, int length) {
    if (!text) {
        m_text.clear();
        return;
    }
    m_text.assign(text, TextLength(text, length));
}

CDuiString CDuiString::operator+(const CDuiString& other) const {
    CDuiString result(*this);
    result += other;
    return result;
}

CDuiString CDuiString::operator+(const wchar_t* text) const {
    CDuiString result(*this);
    result += text;
    return result;
}

CDuiString& CDuiString::operator+=(const CDuiString& other) {
    m_text += other.m_text;
    return *this;
}

CDuiString& CDuiString::operator+=(const wchar_t* text) {
    if (text)
        m_text += text;
    return *this;
}

CDuiString& CDuiString::operator+=(wchar_t ch) {
    m_text += ch;
    return *this;
}

bool CDuiString::operator==(const wchar_t* text) const {
    return m_text == (text ? text : L"");
}

CDuiString CDuiString::Left(int count) const {
    if (count < 0)
        count = 0;
    return CDuiString(m_text.c_str(), count < GetLength() ? count : GetLength());
}

CDuiString CDuiString::Right(int count) const {
    if (count < 0)
        count = 0;
    if (count >= GetLength())
        return *this;
    return CDuiString(m_text.c_str() + (GetLength() - count), count);
}

CDuiString CDuiString::Mid(int start, int count) const {
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return CDuiString();
    int available = GetLength() - start;
    return CDuiString(m_text.c_str() + start, count < 0 || count > available ? available : count);
}

void CDuiString::MakeLower() {
    for (wchar_t& ch : m_text)
        ch = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
}

int CDuiString::Find(wchar_t ch, int start) const {
    if (start < 0 || start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CDuiString::Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    int length = FormatV(format, args);
    va_end(args);
    return length;
}

int CDuiString::FormatV(const wchar_t* format, va_list args) {
    m_text = gs::FormatWide(format, args);
    return GetLength();
}

} // namespace DuiLib
