#include "platform/Trace.h"

#include "platform/DuiString.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace gs {

namespace {

TraceHook& Hook() {
    static TraceHook hook;
    return hook;
}

// Writes the text as UTF-8 a slice at a time, so that a line carrying a whole file needs
// no second copy of its size. A slice never ends between the two halves of a pair.
void WriteUtf8(const wchar_t* text, size_t length) {
    constexpr size_t kSliceUnits = 16384;
    char bytes[kSliceUnits * 3];
    for (size_t at = 0; at < length;) {
        size_t count = length - at < kSliceUnits ? length - at : kSliceUnits;
        if (count == kSliceUnits && text[at + count - 1] >= 0xD800 &&
            text[at + count - 1] <= 0xDBFF)
            --count;
        int size = ::WideCharToMultiByte(CP_UTF8, 0, text + at, static_cast<int>(count), bytes,
                                         static_cast<int>(sizeof bytes), nullptr, nullptr);
        if (size > 0)
            (void)std::fwrite(bytes, 1, static_cast<size_t>(size), stdout);
        at += count;
    }
}

} // namespace

void SetTraceHook(TraceHook hook) {
    Hook() = std::move(hook);
}

void Trace(const wchar_t* format, ...) {
    DuiLib::CDuiString line;
    va_list args;
    va_start(args, format);
    line.FormatV(format, args);
    va_end(args);
    if (Hook()) {
        Hook()(std::wstring(line.GetData(), static_cast<size_t>(line.GetLength())));
        return;
    }
    WriteUtf8(line.GetData(), static_cast<size_t>(line.GetLength()));
    (void)std::fflush(stdout);
}

} // namespace gs
