#pragma once
// A file's whole content, written or read as another program would: the skins and
// settings a test gives the shell, the saved files it compares, the logs and transcripts
// it reads line by line; and fresh names for them in the temporary folder.
#include "platform/win/Handles.h"

#include <sstream>
#include <string>
#include <vector>

namespace gs::test {

// Also a file that another process still has open for writing (a log, a transcript).
inline std::string ReadFileBytes(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return "<missing>";
    std::string bytes(::GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return bytes;
}

inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file &&
           ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
           written == bytes.size();
}

// A fresh path in the temporary folder (nothing exists there yet). Wine gives out the
// same process ids run after run, and a program a test started may still write after
// the test has cleaned up: the start time keeps the names apart.
inline std::wstring TempPath(const std::wstring& stem, const std::wstring& extension = L".txt") {
    static const ULONGLONG start = ::GetTickCount64();
    static int counter = 0;
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return folder + stem + L"_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
           std::to_wstring(start) + L"_" + std::to_wstring(++counter) + extension;
}

// `piece` written `times` times over: the long texts and file contents the tests use.
template <typename Char> std::basic_string<Char> Repeated(const Char* piece, size_t times) {
    const std::basic_string<Char> once(piece);
    std::basic_string<Char> text;
    text.reserve(once.size() * times);
    for (; times > 0; --times)
        text += once;
    return text;
}

// The text split into lines without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The lines of a file another process writes; none before it exists.
inline std::vector<std::string> ReadLines(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return {};
    return Lines(ReadFileBytes(path));
}

// The position of the first line at or after `from` that starts with `prefix`, or -1.
inline int FindLine(const std::vector<std::string>& lines, const std::string& prefix,
                    int from = 0) {
    for (size_t index = static_cast<size_t>(from); index < lines.size(); ++index) {
        if (lines[index].starts_with(prefix))
            return static_cast<int>(index);
    }
    return -1;
}

} // namespace gs::test
