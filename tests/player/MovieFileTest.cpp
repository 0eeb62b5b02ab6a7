// Movie files from disk: what plays, and what is refused with which reason.
#include "player/MovieFile.h"

#include <objbase.h> // before the test support header, which uses COM

#include "tests/player/PlayerTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class MovieFileTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        path =
            std::wstring(temp) + L"gs-movie-" + std::to_wstring(::GetCurrentProcessId()) + L".swf";
    }
    void TearDown() override { ::DeleteFileW(path.c_str()); }

    void Write(const std::string& bytes) { playertest::WriteFile(path, bytes); }

    std::wstring path;
    std::wstring text;
    std::wstring reason;
};

TEST_F(MovieFileTest, ReadsUtf8TextWithOrWithoutByteOrderMark) {
    Write("\xEF\xBB\xBFtitle \xE5\x8A\xA0\xE8\xBD\xBD\n");
    ASSERT_EQ(player::ReadMovieText(path, text, reason), S_OK) << testing::PrintToString(reason);
    EXPECT_EQ(text, L"title 加载\n");
    Write("text plain");
    ASSERT_EQ(player::ReadMovieText(path, text, reason), S_OK);
    EXPECT_EQ(text, L"text plain");
    Write("");
    ASSERT_EQ(player::ReadMovieText(path, text, reason), S_OK);
    EXPECT_TRUE(text.empty());
}

TEST_F(MovieFileTest, RefusesRealFlashMoviesBySignature) {
    for (const char* signature : {"FWS\x0A", "CWS\x0A", "ZWS\x0D"}) {
        Write(std::string(signature) + std::string("\x10\x20\x00\x00rest", 8));
        EXPECT_EQ(player::ReadMovieText(path, text, reason), HRESULT_FROM_WIN32(ERROR_BAD_FORMAT));
        EXPECT_NE(reason.find(L"SWF"), std::wstring::npos);
    }
}

TEST_F(MovieFileTest, RefusesWhatIsNotText) {
    for (const std::string& bytes :
         {std::string("title \xC3\x28 broken"), std::string("ab\0cd", 5)}) {
        Write(bytes);
        EXPECT_EQ(player::ReadMovieText(path, text, reason), HRESULT_FROM_WIN32(ERROR_BAD_FORMAT));
        EXPECT_NE(reason.find(L"not a movie script"), std::wstring::npos);
    }
}

TEST_F(MovieFileTest, AMissingFileSaysSo) {
    EXPECT_EQ(player::ReadMovieText(path, text, reason), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(reason.find(L"does not exist"), std::wstring::npos);
    EXPECT_EQ(player::ReadMovieText(L"Z:\\no\\such\\folder\\m.swf", text, reason),
              HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
}

} // namespace
