#include "files/Base64Codec.h"
#include "files/FileExchange.h"
#include "platform/win/ModulePath.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// Puts a codec library beside the test program for the test's lifetime.
class CodecBeside {
public:
    explicit CodecBeside(const wchar_t* source)
        : m_target(gs::ModuleFolder(nullptr) + L"Base64.dll") {
        EXPECT_TRUE(::CopyFileW(source, m_target.c_str(), FALSE));
    }
    ~CodecBeside() { ::DeleteFileW(m_target.c_str()); }

private:
    std::wstring m_target;
};

} // namespace

TEST(Binding, WithoutTheLibraryEveryOperationFailsWithoutTouchingAFile) {
    Base64Codec codec;
    EXPECT_FALSE(codec.Load());
    EXPECT_EQ(codec.CharsNeededToEncode(3), 0);
    EXPECT_EQ(codec.BytesNeededToDecode(4, 0), 0);
    const unsigned char bytes[3] = {1, 2, 3};
    wchar_t text[8] = {L'x', L'x', L'x', L'x', L'x', L'x', L'x', L'x'};
    EXPECT_EQ(codec.Base64EncodeW(bytes, 3, text, sizeof text), 0);
    EXPECT_EQ(std::wstring(text, 8), std::wstring(8, L'x'));
    unsigned char out[4] = {9, 9, 9, 9};
    EXPECT_EQ(codec.Base64DecodeW(L"AQID", out, 4), 0);
    EXPECT_EQ(out[0], 9);
    EXPECT_EQ(codec.Free(), FALSE);

    // Nothing valid to write: a save leaves the chosen file as it was.
    const std::wstring kept = gs::ModuleFolder(nullptr) + L"kept.wzs";
    ASSERT_TRUE(gs::test::WriteFileBytes(kept, "old"));
    EXPECT_FALSE(gs::DecodeAndWrite(codec, kept.c_str(), L"bmV3"));
    EXPECT_EQ(gs::test::ReadFileBytes(kept), "old");
    // The file opens, but nothing can encode it.
    gs::RequestWithText request(L"", L"");
    EXPECT_EQ(gs::ReadAndEncode(codec, kept.c_str(), request), gs::LoadResult::NotEncoded);
    ::DeleteFileW(kept.c_str());
}

// Its pieces never fill their places: the movie still gets the file's whole text.
TEST(Binding, ACodecAskingForMoreRoomStillEncodesTheWholeFile) {
    CodecBeside loose(GS_LOOSE_CODEC);
    const std::string bytes = gs::test::Repeated("abc", 40'000);
    const std::wstring file = gs::ModuleFolder(nullptr) + L"loose.wzs";
    ASSERT_TRUE(gs::test::WriteFileBytes(file, bytes));
    Base64Codec codec;
    gs::RequestWithText request(L"<", L">");
    EXPECT_EQ(gs::ReadAndEncode(codec, file.c_str(), request), gs::LoadResult::Encoded);
    const gs::UniqueBstr text = request.Take();
    EXPECT_EQ(std::wstring(text.get(), ::SysStringLen(text.get())),
              L"<" + gs::test::Repeated(L"YWJj", 40'000) + L">");
    ::DeleteFileW(file.c_str());
    codec.Free();
}

TEST(Binding, ALibraryWithSomeNamesServesThoseOnly) {
    CodecBeside partial(GS_PARTIAL_CODEC);
    Base64Codec codec;
    EXPECT_EQ(codec.CharsNeededToEncode(3), 4242);
    EXPECT_EQ(codec.BytesNeededToDecode(4, 0), 2424);
    wchar_t text[8] = {};
    const unsigned char bytes[3] = {1, 2, 3};
    EXPECT_EQ(codec.Base64EncodeW(bytes, 3, text, sizeof text), 0);
    EXPECT_EQ(text[0], L'\0');
    codec.Free();
}

TEST(Binding, OnlyALibraryBesideTheProgramIsLoadedEvenWhenItAppearsLater) {
    namespace fs = std::filesystem;
    const fs::path planted =
        fs::temp_directory_path() / ("gs-planted-" + std::to_string(::GetCurrentProcessId()));
    fs::create_directory(planted);
    ASSERT_TRUE(::CopyFileW(GS_PARTIAL_CODEC, (planted / "Base64.dll").c_str(), FALSE));
    const fs::path previous = fs::current_path();
    fs::current_path(planted);
    Base64Codec codec;
    EXPECT_EQ(codec.CharsNeededToEncode(3), 0) << "the planted library must not answer";
    fs::current_path(previous);
    fs::remove_all(planted);
    CodecBeside real(GS_REAL_CODEC);
    EXPECT_EQ(codec.CharsNeededToEncode(3), 5);
    unsigned char out[3] = {};
    EXPECT_EQ(codec.Base64DecodeW(L"AQID", out, 3), 3);
    EXPECT_EQ(out[2], 3);
    EXPECT_NE(codec.Free(), FALSE);
}
