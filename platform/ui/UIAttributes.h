#pragma once
// Readers for the value forms of skin attributes. Each reports false for a value it
// cannot read and then leaves its output alone, so a bad attribute keeps the default.
#include <windows.h>

namespace DuiLib {

// Any text, as it is written.
bool ParseTextAttribute(LPCTSTR value, LPCTSTR& text);
// "#AARRGGBB" or "#RRGGBB" (opaque); the result is 0xAARRGGBB, 0 being "no colour".
bool ParseColorAttribute(LPCTSTR value, DWORD& color);
// A decimal integer, optionally signed, nothing after it.
bool ParseIntAttribute(LPCTSTR value, int& number);
// "true" or "false".
bool ParseBoolAttribute(LPCTSTR value, bool& flag);
// "cx,cy".
bool ParseSizeAttribute(LPCTSTR value, SIZE& size);
// "left,top,right,bottom".
bool ParseRectAttribute(LPCTSTR value, RECT& rect);

// Character heights a skin may ask for, in pixels.
inline bool IsFontSize(int size) {
    return size > 0 && size <= 1000;
}

// GDI's COLORREF of a 0xAARRGGBB colour.
inline COLORREF ToColorRef(DWORD argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

} // namespace DuiLib
