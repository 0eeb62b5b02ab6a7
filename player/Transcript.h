#pragma once
// The player's record of every call in and out: one UTF-8 line per entry, appended
// and written through at once, so that a test reading the file sees each line as soon
// as it happened, even when the process ends inside the next call.
#include "platform/win/Handles.h"

#include <string>
#include <string_view>

namespace player {

class Transcript {
public:
    // Opens (creating if need be) the file for appending; replaces any file open before.
    HRESULT Open(const std::wstring& path);
    bool IsOpen() const { return static_cast<bool>(m_file); }
    // "KIND TEXT"; line breaks inside TEXT are written as \r and \n so that every entry
    // stays one line.
    void Write(std::wstring_view kind, std::wstring_view text);

private:
    void Flush(std::string& bytes);

    gs::UniqueFile m_file;
};

} // namespace player
