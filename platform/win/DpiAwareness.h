#pragma once
// How the process tells Windows that it draws for the screen's DPI itself, and what DPI a
// window is drawn at. Windows 7 is the oldest system the shell runs on: every function
// newer than it is looked up at run time.
#include <windows.h>

namespace gs {

// Declares the process DPI-aware in the best form the system has: per-monitor version 2
// (Windows 10 1703 on), per-monitor (8.1 on), system-aware (Vista on). It must run before
// the process's first window. False when every form was refused, as when a manifest or
// an earlier call has already decided.
bool DeclareDpiAwareness();

// The DPI the window is drawn at: the window's own where the system tells it (Windows 10
// 1607 on), its monitor's (8.1 on), else the screen's.
int DpiOfWindow(HWND window);

} // namespace gs
