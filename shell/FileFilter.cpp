#include "shell/FileFilter.h"

namespace gs {

namespace {

void CopyText(const wchar_t* text, wchar_t* filter) {
    for (size_t i = 0; text && text[i] && i < kFileFilterTextUnits; ++i)
        filter[i] = text[i];
}

// Removes unit i + 1 by moving units i + 2 .. 499 one place left; unit 499 keeps its
// value, as the list's second closing NUL.
void ShiftLeftAfter(wchar_t* filter, size_t i) {
    for (size_t to = i + 1; to + 1 < kFileFilterUnits; ++to)
        filter[to] = filter[to + 1];
}

} // namespace

void ConvertFileFilter(const wchar_t* text, wchar_t* filter) {
    CopyText(text, filter);
    int nulsInARow = 0;
    for (size_t i = 0; i < kFileFilterTextUnits; ++i) {
        if (filter[i] == L'\\' && filter[i + 1] == L'0') {
            filter[i] = L'\0';
            ShiftLeftAfter(filter, i);
        }
        nulsInARow = filter[i] == L'\0' ? nulsInARow + 1 : 0;
        if (nulsInARow == 2)
            return;
    }
}

} // namespace gs
