#pragma once
// Trace lines on standard output: formatted wide (Windows conversions, %s is wide),
// written as UTF-8 and flushed at once so that a reader of a pipe sees each line as
// it happens. A line that carries a long text (a whole request) is written from where
// that text lies, a slice at a time, never joined into a second copy. When standard
// output goes nowhere, as for a GUI process started without redirection, nothing is
// formatted or converted at all.
#include <functional>
#include <string>
#include <string_view>

namespace gs {

void Trace(const wchar_t* format, ...);
// The line head, text, tail, each as it is.
void TraceText(std::wstring_view head, std::wstring_view text, std::wstring_view tail);

// A line as it was traced: short lines have it all in `head`.
struct TraceLine {
    std::wstring_view head;
    std::wstring_view text;
    std::wstring_view tail;
    std::wstring Joined() const;
};

// Tests observe the lines in-process through this hook; null sends them to stdout.
using TraceHook = std::function<void(const TraceLine& line)>;
void SetTraceHook(TraceHook hook);

} // namespace gs
