// The transcript's lines as the tests read them: UTF-8, line breaks written as \r and
// \n, long texts written a slice at a time with nothing lost or doubled at the seams.
#include "player/Transcript.h"

#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The expected line, made one unit at a time without the transcript's code.
std::string Expected(std::wstring_view kind, std::wstring_view text) {
    std::string line;
    auto append = [&line](std::wstring_view part) {
        for (size_t at = 0; at < part.size(); ++at) {
            unsigned code = part[at];
            if (code >= 0xD800 && code <= 0xDBFF && at + 1 < part.size())
                code = 0x10000 + ((code - 0xD800) << 10) + (part[++at] - 0xDC00);
            if (code == L'\r' || code == L'\n')
                line += code == L'\r' ? "\\r" : "\\n";
            else if (code < 0x80)
                line += static_cast<char>(code);
            else if (code < 0x800)
                line +=
                    {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
            else if (code < 0x10000)
                line += {static_cast<char>(0xE0 | code >> 12),
                         static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                         static_cast<char>(0x80 | (code & 0x3F))};
            else
                line += {static_cast<char>(0xF0 | code >> 18),
                         static_cast<char>(0x80 | ((code >> 12) & 0x3F)),
                         static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                         static_cast<char>(0x80 | (code & 0x3F))};
        }
    };
    append(kind);
    line += ' ';
    append(text);
    return line + '\n';
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
