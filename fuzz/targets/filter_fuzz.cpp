// The filter conversion on arbitrary text: the list always ends in two NULs in a row
// inside its 500 units, and nothing is written past them (the buffer is exactly 500
// units on the heap).
#include "FuzzInput.h"
#include "shell/FileFilter.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::wstring text = fuzz::AsWide(input.RestAsUnits());
    auto filter = std::make_unique<wchar_t[]>(gs::kFileFilterUnits);
    gs::ConvertFileFilter(text.c_str(), filter.get());
    bool closed = false;
    for (std::size_t i = 0; i + 1 < gs::kFileFilterUnits && !closed; ++i)
        closed = filter[i] == L'\0' && filter[i + 1] == L'\0';
    if (!closed)
        std::abort();
    return 0;
}
