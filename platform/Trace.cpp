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

std::string ToUtf8(const std::wstring& text) {
    if (text.empty())
        return std::string();
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    (void)::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                size, nullptr, nullptr);
    return out;
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
    std::wstring text(line.GetData(), static_cast<size_t>(line.GetLength()));
    if (Hook()) {
        Hook()(text);
        return;
    }
    std::string bytes = ToUtf8(text);
    (void)std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    (void)std::fflush(stdout);
}

} // namespace gs
