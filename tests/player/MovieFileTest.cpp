// Movie files from disk: what plays, and what is refused with which reason.
#include "player/MovieFile.h"

#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MovieFile, ReadsScriptTextOrSaysWhyNot) {
    const std::wstring path = gs::test::TempPath(L"movie", L".swf");
    const HRESULT badFormat = HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);
    // clang-format off
    const struct { std::string bytes; HRESULT result; const wchar_t* textOrReason; } cases[] = {
        {"\xEF\xBB\xBFtitle \xE5\x8A\xA0\xE8\xBD\xBD\n", S_OK, L"title 加载\n"},
        {"text plain", S_OK, L"text plain"}, {"", S_OK, L""},
        {std::string("FWS\x0A\x10\x20\x00\x00rest", 12), badFormat, L"SWF"},
        {std::string("CWS\x0A\x10\x20\x00\x00rest", 12), badFormat, L"SWF"},
        {std::string("ZWS\x0D\x10\x20\x00\x00rest", 12), badFormat, L"SWF"},
        {"title \xC3\x28 broken", badFormat, L"not a movie script"},
        {std::string("ab\0cd", 5), badFormat, L"not a movie script"},
    };
    // clang-format on
    std::wstring text;
    std::wstring reason;
    for (const auto& test : cases) {
        ASSERT_TRUE(gs::test::WriteFileBytes(path, test.bytes));
        ASSERT_EQ(player::ReadMovieText(path, text, reason), test.result)
            << testing::PrintToString(test.bytes);
        if (test.result == S_OK)
            EXPECT_EQ(text, test.textOrReason);
        else
            EXPECT_NE(reason.find(test.textOrReason), std::wstring::npos) << reason;
    }
    ::DeleteFileW(path.c_str());
    EXPECT_EQ(player::ReadMovieText(path, text, reason), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(reason.find(L"does not exist"), std::wstring::npos);
    EXPECT_EQ(player::ReadMovieText(L"Z:\\no\\such\\folder\\m.swf", text, reason),
              HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
}

} // namespace
