#include "platform/win/Trace.h"

#include "platform/win/WideFormat.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace gs {

namespace {

TraceHook& Hook() {
    static TraceHook hook;
    return hook;
}

// Whether standard output leads anywhere; a GUI process started without redirection
// has no handle there.
bool StdoutGoesSomewhere() {
    static const bool somewhere = [] {
        HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
        return out && out != INVALID_HANDLE_VALUE && ::GetFileType(out) != FILE_TYPE_UNKNOWN;
    }();
    return somewhere;
}

bool Traced() {
    return Hook() || StdoutGoesSomewhere();
}

// Writes the text as UTF-8 a slice at a time, so that a line carrying a whole file needs
// no second copy of its size. A slice never ends between the two halves of a pair.
void WriteUtf8(std::wstring_view text) {
    constexpr size_t kSliceUnits = 16384;
    char bytes[kSliceUnits * 3];
    for (size_t at = 0; at < text.size();) {
        size_t count = std::min(text.size() - at, kSliceUnits);
        if (count == kSliceUnits && text[at + count - 1] >= 0xD800 &&
            text[at + count - 1] <= 0xDBFF)
            --count;
        int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data() + at, static_cast<int>(count),
                                         bytes, static_cast<int>(sizeof bytes), nullptr, nullptr);
        if (size > 0)
            (void)std::fwrite(bytes, 1, static_cast<size_t>(size), stdout);
        at += count;
    }
}

void Emit(const TraceLine& line) {
    if (Hook()) {
        Hook()(line);
        return;
    }
    WriteUtf8(line.head);
    WriteUtf8(line.text);
    WriteUtf8(line.tail);
    (void)std::fflush(stdout);
}

} // namespace

std::wstring TraceLine::Joined() const {
    std::wstring line;
    line.reserve(head.size() + text.size() + tail.size());
    return line.append(head).append(text).append(tail);
}

void SetTraceHook(TraceHook hook) {
    Hook() = std::move(hook);
}

void Trace(const wchar_t* format, ...) {
    if (!Traced())
        return;
    va_list args;
    va_start(args, format);
    std::wstring line = FormatWide(format, args);
    va_end(args);
    Emit({line, {}, {}});
}

void TraceText(std::wstring_view head, std::wstring_view text, std::wstring_view tail) {
    if (Traced())
        Emit({head, text, tail});
}

} // namespace gs
