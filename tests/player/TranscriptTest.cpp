// The transcript's lines as the tests read them: UTF-8, line breaks written as \r and
// \n, long texts written a slice at a time with nothing lost or doubled at the seams.
#include "player/Transcript.h"

#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The expected line, converted in one piece by Windows, line breaks first made visible.
std::string Expected(std::wstring_view kind, std::wstring_view text) {
    std::wstring line;
    for (std::wstring_view part : {kind, std::wstring_view(L" "), text}) {
        for (wchar_t unit : part)
            line += unit == L'\r' ? L"\\r" : unit == L'\n' ? L"\\n" : std::wstring(1, unit);
    }
    std::string bytes(line.size() * 3, '\0');
    bytes.resize(static_cast<size_t>(
        ::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(),
                              static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes + '\n';
}

TEST(Transcript, LinesAreUtf8OnOneLineWhateverTheirLength) {
    std::wstring longText(600'000, L'A');
    for (size_t at : {0u, 7u, 8u, 15u, 262'143u, 262'144u, 524'288u, 599'999u})
        longText[at] = L'\n';
    longText.replace(100, 3, L"中\r文");
    longText.replace(262'143, 2, L"\xD83D\xDE00"); // a pair across the first slice's end
    const std::wstring texts[] = {L"", L"plain", L"\r\n", L"张三 \xD83D\xDE00 x\r", longText};

    wchar_t folder[MAX_PATH];
    ASSERT_NE(::GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"gs-transcript-test.txt";
    ::DeleteFileW(path.c_str());
    std::string expected;
    {
        player::Transcript transcript;
        ASSERT_EQ(transcript.Open(path), S_OK);
        for (const std::wstring& text : texts) {
            transcript.Write(L"in\r", text);
            expected += Expected(L"in\r", text);
        }
    }
    EXPECT_TRUE(gs::test::ReadFileBytes(path) == expected);
    ::DeleteFileW(path.c_str());
}

} // namespace
