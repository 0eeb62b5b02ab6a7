#include "platform/win/WideFormat.h"

#include <cstring>
#include <cwchar>

namespace gs {

namespace {

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

// An upper bound of the formatted length, so that a request carrying a whole file
// is built in one allocation.
size_t EstimateLength(const wchar_t* format, va_list args) {
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

} // namespace

std::wstring FormatWide(const wchar_t* format, va_list args) {
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
    return out;
}

} // namespace gs
