#include "platform/ui/DuiString.h"

#include <cstring>
#include <cwchar>
#include <cwctype>

namespace DuiLib {

namespace {

size_t TextLength(const wchar_t* text, int length) {
    if (!text)
        return 0;
    return length < 0 ? std::wcslen(text) : static_cast<size_t>(length);
}

struct Field {
    bool leftAlign = false;
    bool zeroPad = false;
    int width = 0;
    char size = 0; // 0, 'l' or 'h'
    wchar_t conversion = 0;
};

const wchar_t* ReadField(const wchar_t* p, Field& field) {
    for (;; ++p) {
        if (*p == L'-')
            field.leftAlign = true;
        else if (*p == L'0')
            field.zeroPad = true;
        else
            break;
    }
    while (*p >= L'0' && *p <= L'9')
        field.width = field.width * 10 + (*p++ - L'0');
    while (*p == L'l' || *p == L'h')
        field.size = static_cast<char>(*p++);
    field.conversion = *p;
    return *p ? p + 1 : p;
}

std::wstring Digits(unsigned long value, unsigned base, bool upper) {
    const wchar_t* digits = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring out;
    do {
        out.insert(out.begin(), digits[value % base]);
        value /= base;
    } while (value);
    return out;
}

// A narrow argument of the formatter: each byte becomes the unit of the same value.
std::wstring WidenBytes(const char* text) {
    std::wstring out;
    for (; text && *text; ++text)
        out += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return out;
}

std::wstring Convert(const Field& field, va_list& args) {
    switch (field.conversion) {
    case L'd':
    case L'i': {
        long value = va_arg(args, int);
        if (field.size == 'h')
            value = static_cast<short>(value);
        unsigned long magnitude =
            value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
        std::wstring digits = Digits(magnitude, 10, false);
        return value < 0 ? L"-" + digits : digits;
    }
    case L'u':
    case L'x':
    case L'X': {
        unsigned long value = va_arg(args, unsigned int);
        if (field.size == 'h')
            value = static_cast<unsigned short>(value);
        return Digits(value, field.conversion == L'u' ? 10 : 16, field.conversion == L'X');
    }
    case L'c':
        return std::wstring(1, static_cast<wchar_t>(va_arg(args, int)));
    case L's': {
        if (field.size == 'h')
            return WidenBytes(va_arg(args, const char*));
        const wchar_t* text = va_arg(args, const wchar_t*);
        return text ? std::wstring(text) : std::wstring(L"(null)");
    }
    case L'%':
        return L"%";
    default:
        return std::wstring();
    }
}

void Append(std::wstring& out, const Field& field, const std::wstring& piece) {
    size_t width = field.width > 0 ? static_cast<size_t>(field.width) : 0;
    size_t pad = piece.size() < width ? width - piece.size() : 0;
    if (field.leftAlign) {
        out += piece;
        out.append(pad, L' ');
        return;
    }
    bool zeros = field.zeroPad && field.conversion != L's' && field.conversion != L'c';
    if (zeros && !piece.empty() && piece[0] == L'-') {
        out += L'-';
        out.append(pad, L'0');
        out.append(piece, 1);
        return;
    }
    out.append(pad, zeros ? L'0' : L' ');
    out += piece;
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

// An upper bound of the formatted length, so that a request carrying a whole file
// is built in one allocation.
static size_t EstimateLength(const wchar_t* format, va_list args) {
    size_t total = 0;
    for (const wchar_t* p = format; *p;) {
        if (*p++ != L'%') {
            ++total;
            continue;
        }
        Field field;
        p = ReadField(p, field);
        total += static_cast<size_t>(field.width) + 24;
        if (field.conversion == L's' && field.size == 'h') {
            const char* text = va_arg(args, const char*);
            total += text ? std::strlen(text) : 0;
        } else if (field.conversion == L's') {
            const wchar_t* text = va_arg(args, const wchar_t*);
            total += text ? std::wcslen(text) : 0;
        } else if (field.conversion != L'%' && field.conversion != 0) {
            (void)va_arg(args, int);
        }
    }
    return total;
}

int CDuiString::FormatV(const wchar_t* format, va_list args) {
    if (!format)
        format = L"";
    std::wstring out;
    va_list measure;
    va_copy(measure, args);
    out.reserve(EstimateLength(format, measure));
    va_end(measure);
    va_list cursor;
    va_copy(cursor, args);
    for (const wchar_t* p = format; *p;) {
        const wchar_t* percent = std::wcschr(p, L'%');
        if (!percent) {
            out += p;
            break;
        }
        out.append(p, static_cast<size_t>(percent - p));
        Field field;
        p = ReadField(percent + 1, field);
        if (field.conversion == L's' && field.size != 'h' && field.width == 0) {
            const wchar_t* text = va_arg(cursor, const wchar_t*);
            out += text ? text : L"(null)";
            continue;
        }
        Append(out, field, Convert(field, cursor));
    }
    va_end(cursor);
    m_text = std::move(out);
    return GetLength();
}

} // namespace DuiLib
