#pragma once
// Invoke texts as the movie writes its commands, and the "OnLoadFile" request with a
// text placed in its room, as the codec places a file's.
#include "launch/EnterGameInfo.h"

#include <cwchar>
#include <string>

namespace gs::test {

inline std::wstring Invoke(const std::wstring& name, const std::wstring& arguments = L"") {
    return L"<invoke name=\"" + name + L"\" returntype=\"xml\"><arguments>" + arguments +
           L"</arguments></invoke>";
}

inline std::wstring LoadReply(const EnterGameInfo& info, const wchar_t* path, const wchar_t* text) {
    gs::RequestWithText reply = info.BuildOnLoadFile(path);
    const size_t length = std::wcslen(text);
    std::wmemcpy(reply.Reserve(length + 1), text, length);
    gs::UniqueBstr request = reply.Take();
    return std::wstring(request.get(), ::SysStringLen(request.get()));
}

} // namespace gs::test
