#pragma once
// Trace lines on standard output: formatted wide (Windows conversions, %s is wide),
// written as UTF-8 and flushed at once so that a reader of a pipe sees each line as
// it happens.
#include <functional>
#include <string>

namespace gs {

void Trace(const wchar_t* format, ...);

// Tests observe the lines in-process through this hook; null sends them to stdout.
using TraceHook = std::function<void(const std::wstring& line)>;
void SetTraceHook(TraceHook hook);

} // namespace gs
