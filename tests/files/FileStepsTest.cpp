// The file steps on real files, with the real codec beside the test program: their limits
// and failures. Whole files go through them, byte for byte, in the flows (FlowsTest).
#include "launch/EnterGameInfo.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

using DuiLib::CDuiString;
using namespace gs::test;

namespace {

int FileCount(const std::wstring& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A folder of the test's own, so that a file left behind shows.
std::wstring OwnFolder() {
    return (std::filesystem::temp_directory_path() /
            ("gs-files-" + std::to_string(::GetCurrentProcessId())))
               .wstring() +
           L"\\";
}

class FileSteps : public ::testing::Test {
protected:
    FileSteps() { std::filesystem::create_directory(m_folder); }
    ~FileSteps() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    // The file's text as ReadAndEncode places it, in a request with nothing around it.
    gs::LoadResult ReadAndEncode(const std::wstring& name, CDuiString& text) {
        gs::RequestWithText request(L"", L"");
        gs::LoadResult result =
            m_info.ReadAndEncode(name.empty() ? nullptr : (m_folder + name).c_str(), request);
        gs::UniqueBstr taken = request.Take();
        text.Assign(taken.get(), static_cast<int>(::SysStringLen(taken.get())));
        return result;
    }

    EnterGameInfo m_info{0, nullptr};
    std::wstring m_folder = OwnFolder();
};

} // namespace

// A file of 30,000,000 bytes is refused (one byte less loads, and a locked file is
// answered empty: Flows); so are a missing and an unnamed one.
TEST_F(FileSteps, LoadsRefuseFilesTooLargeOrMissing) {
    ASSERT_TRUE(WriteFileBytes(m_folder + L"limit", std::string(30'000'000, 'z')));
    for (const wchar_t* name : {L"limit", L"nothing", L""}) {
        CDuiString refused;
        EXPECT_EQ(ReadAndEncode(name, refused), gs::LoadResult::Refused) << name;
        EXPECT_TRUE(refused.IsEmpty());
    }
}

// A text over the limit, one that is not Base64, a locked file or a missing folder: the
// old file stays as it was and no temporary file is left behind.
TEST_F(FileSteps, ASaveThatCannotBeWholeLeavesTheFileAsItWas) {
    // 30,000,001 characters, still valid Base64 (line breaks are skipped); one less is
    // written (Flows).
    CDuiString overLimit((std::wstring(30'000'000, L'A') + L"\n").c_str());
    const std::wstring keep = m_folder + L"keep.wzs";
    ASSERT_TRUE(WriteFileBytes(keep, "precious"));
    for (const CDuiString& bad : {overLimit, CDuiString(L"not base64!"), CDuiString(L"QUJ"),
                                  CDuiString(L"QQ=A"), CDuiString(L"\u4E2D\u4E2D\u4E2D\u4E2D")})
        EXPECT_FALSE(m_info.DecodeAndWrite(keep.c_str(), bad)) << bad.GetLength();
    {
        gs::UniqueFile held(
            ::CreateFileW(keep.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_FALSE(m_info.DecodeAndWrite(keep.c_str(), CDuiString(L"bmV3")));
    }
    EXPECT_FALSE(m_info.DecodeAndWrite((m_folder + L"no\\such\\folder.wzs").c_str(), L"bmV3"));
    EXPECT_FALSE(m_info.DecodeAndWrite(nullptr, CDuiString(L"bmV3")));
    EXPECT_EQ(ReadFileBytes(keep), "precious");
    EXPECT_EQ(FileCount(m_folder), 1);
    EXPECT_TRUE(m_info.DecodeAndWrite(keep.c_str(), CDuiString(L"bmV3")));
    EXPECT_EQ(ReadFileBytes(keep), "new") << "replaced completely once free";
}

// Texts far longer than the pieces a save decodes in: plain, wrapped in lines (which
// cannot be cut into plain pieces), and with their fault in a later piece.
TEST_F(FileSteps, LongTextsAreWrittenByteExactOrNotAtAll) {
    const std::wstring plain = Repeated(L"YWJj", 100'000) + L"YQ==";
    const std::string bytes = Repeated("abc", 100'000) + "a";
    std::wstring wrapped;
    for (size_t at = 0; at < plain.size(); at += 76)
        wrapped += plain.substr(at, 76) + L"\r\n";
    const std::wstring target = m_folder + L"long.wzs";
    for (const std::wstring& text : {plain, wrapped}) {
        (void)::DeleteFileW(target.c_str());
        EXPECT_TRUE(m_info.DecodeAndWrite(target.c_str(), CDuiString(text.c_str())));
        EXPECT_EQ(ReadFileBytes(target), bytes);
    }
    for (const std::wstring& bad : {std::wstring(plain).replace(300'001, 1, L"!"),
                                    std::wstring(plain).replace(200'000, 4, L"YQ==")})
        EXPECT_FALSE(m_info.DecodeAndWrite(target.c_str(), CDuiString(bad.c_str())));
    EXPECT_EQ(ReadFileBytes(target), bytes);
    EXPECT_EQ(FileCount(m_folder), 1);
}

// S: is a full drive and R: a read-only one, where the machine lets them be mounted.
TEST_F(FileSteps, AFullOrReadOnlyDriveWritesNothing) {
    if (::GetDriveTypeW(L"S:\\") == DRIVE_NO_ROOT_DIR ||
        ::GetDriveTypeW(L"R:\\") == DRIVE_NO_ROOT_DIR)
        GTEST_SKIP() << "the small drives could not be mounted on this machine";
    ASSERT_TRUE(WriteFileBytes(L"S:\\old.wzs", std::string(200'000, 'o')));
    CDuiString large(std::wstring(2'000'000, L'A').c_str()); // 1.5 MB, more than the drive holds
    EXPECT_FALSE(m_info.DecodeAndWrite(L"S:\\old.wzs", large));
    EXPECT_EQ(ReadFileBytes(L"S:\\old.wzs"), std::string(200'000, 'o'));
    EXPECT_EQ(FileCount(L"S:\\"), 1) << "the temporary file is gone";
    ::DeleteFileW(L"S:\\old.wzs");
    EXPECT_FALSE(m_info.DecodeAndWrite(L"R:\\game.wzs", CDuiString(L"bmV3")));
    EXPECT_EQ(::GetFileAttributesW(L"R:\\game.wzs"), INVALID_FILE_ATTRIBUTES);
}
