// The file steps on real files, with the real codec beside the test program.
#include "launch/EnterGameInfo.h"
#include "platform/win/Handles.h"

#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using DuiLib::CDuiString;

namespace {

class TempFolder {
public:
    TempFolder() {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"gs-files-" + std::to_wstring(::GetCurrentProcessId()) +
                 L"-" + std::to_wstring(++s_counter) + L"\\";
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((m_path + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                ::DeleteFileW((m_path + found.cFileName).c_str());
            while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(m_path.c_str());
    }
    std::wstring operator/(const std::wstring& name) const { return m_path + name; }
    int FileCount() const {
        int count = 0;
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((m_path + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        do
            count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return count;
    }

private:
    static inline int s_counter = 0;
    std::wstring m_path;
};

void Write(const std::wstring& path, const std::string& bytes) {
    gs::UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string RandomBytes(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

class FileSteps : public ::testing::Test {
protected:
    // The file's text as ReadAndEncode places it, in a request with nothing around it.
    int ReadAndEncode(const wchar_t* path, CDuiString& text) {
        gs::RequestWithText request(L"", L"");
        int result = m_info.ReadAndEncode(path, request);
        gs::UniqueBstr taken = request.Take();
        text.Assign(taken.get(), static_cast<int>(::SysStringLen(taken.get())));
        return result;
    }

    EnterGameInfo m_info{0, nullptr};
    TempFolder m_folder;
};

} // namespace

TEST_F(FileSteps, ABinaryFileGoesToBase64AndBackByteForByte) {
    std::string bytes = RandomBytes(100'003, 7);
    Write(m_folder / L"game.bin", bytes);
    CDuiString text;
    ASSERT_EQ(ReadAndEncode((m_folder / L"game.bin").c_str(), text), 1);
    EXPECT_EQ(text.GetLength(), 4 * ((100'003 + 2) / 3));
    ASSERT_EQ(m_info.DecodeAndWrite((m_folder / L"copy.wzs").c_str(), text), 1);
    EXPECT_EQ(gs::test::ReadFileBytes(m_folder / L"copy.wzs"), bytes)
        << "exactly the decoded bytes, no trailing zeros";
}

TEST_F(FileSteps, TheStandardAlphabetAndPadding) {
    Write(m_folder / L"f", "foob");
    CDuiString text;
    ASSERT_EQ(ReadAndEncode((m_folder / L"f").c_str(), text), 1);
    EXPECT_EQ(text, L"Zm9vYg==");
    Write(m_folder / L"empty", "");
    ASSERT_EQ(ReadAndEncode((m_folder / L"empty").c_str(), text), 1);
    EXPECT_EQ(text, L"");
}

TEST_F(FileSteps, TheLoadLimitIsExclusive) {
    Write(m_folder / L"under", std::string(29'999'999, 'z'));
    Write(m_folder / L"limit", std::string(30'000'000, 'z'));
    CDuiString text;
    ASSERT_EQ(ReadAndEncode((m_folder / L"under").c_str(), text), 1);
    EXPECT_EQ(text.GetLength(), 40'000'000);
    CDuiString refused;
    EXPECT_EQ(ReadAndEncode((m_folder / L"limit").c_str(), refused), 0);
    EXPECT_TRUE(refused.IsEmpty());
}

TEST_F(FileSteps, MissingAndLockedFilesAreNotLoaded) {
    CDuiString text;
    EXPECT_EQ(ReadAndEncode((m_folder / L"nothing").c_str(), text), 0);
    EXPECT_EQ(ReadAndEncode(nullptr, text), 0);
    Write(m_folder / L"held", "data");
    gs::UniqueFile held(::CreateFileW((m_folder / L"held").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(ReadAndEncode((m_folder / L"held").c_str(), text), 0);
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(FileSteps, TheSaveLimitIsInclusive) {
    CDuiString atLimit(std::wstring(30'000'000, L'A').c_str());
    ASSERT_EQ(m_info.DecodeAndWrite((m_folder / L"big.wzs").c_str(), atLimit), 1);
    EXPECT_EQ(gs::test::ReadFileBytes(m_folder / L"big.wzs").size(), 22'500'000u);
    CDuiString overLimit = atLimit + L"\n"; // still valid Base64: line breaks are skipped
    Write(m_folder / L"over.wzs", "old");
    EXPECT_EQ(m_info.DecodeAndWrite((m_folder / L"over.wzs").c_str(), overLimit), 0);
    EXPECT_EQ(gs::test::ReadFileBytes(m_folder / L"over.wzs"), "old");
}

TEST_F(FileSteps, TextThatIsNotBase64LeavesTheFileAsItWas) {
    Write(m_folder / L"keep.wzs", "precious");
    for (const wchar_t* bad : {L"not base64!", L"QUJ", L"QQ=A", L"\u4E2D\u4E2D\u4E2D\u4E2D"}) {
        EXPECT_EQ(m_info.DecodeAndWrite((m_folder / L"keep.wzs").c_str(), CDuiString(bad)), 0)
            << bad;
        EXPECT_EQ(gs::test::ReadFileBytes(m_folder / L"keep.wzs"), "precious");
    }
    EXPECT_EQ(m_folder.FileCount(), 1) << "no temporary file is left behind";
}

TEST_F(FileSteps, ASaveOverALockedFileKeepsTheOldOneAndLeavesNoTemporary) {
    Write(m_folder / L"locked.wzs", "old content");
    {
        gs::UniqueFile held(::CreateFileW((m_folder / L"locked.wzs").c_str(), GENERIC_READ, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(m_info.DecodeAndWrite((m_folder / L"locked.wzs").c_str(), CDuiString(L"bmV3")),
                  0);
    }
    EXPECT_EQ(gs::test::ReadFileBytes(m_folder / L"locked.wzs"), "old content");
    EXPECT_EQ(m_folder.FileCount(), 1);
    EXPECT_EQ(m_info.DecodeAndWrite((m_folder / L"locked.wzs").c_str(), CDuiString(L"bmV3")), 1);
    EXPECT_EQ(gs::test::ReadFileBytes(m_folder / L"locked.wzs"), "new")
        << "replaced completely once free";
}

TEST_F(FileSteps, AMissingFolderWritesNothing) {
    EXPECT_EQ(
        m_info.DecodeAndWrite((m_folder / L"no\\such\\folder.wzs").c_str(), CDuiString(L"bmV3")),
        0);
    EXPECT_EQ(m_info.DecodeAndWrite(nullptr, CDuiString(L"bmV3")), 0);
}

namespace {

bool DriveMapped(const wchar_t* root) {
    return ::GetDriveTypeW(root) != DRIVE_NO_ROOT_DIR;
}

} // namespace

TEST_F(FileSteps, ASaveThatRunsOutOfSpaceKeepsTheOldFile) {
    if (!DriveMapped(L"S:\\"))
        GTEST_SKIP() << "no small drive could be mounted on this machine";
    Write(L"S:\\old.wzs", std::string(200'000, 'o'));
    CDuiString large(std::wstring(2'000'000, L'A').c_str()); // 1.5 MB, more than the drive holds
    EXPECT_EQ(m_info.DecodeAndWrite(L"S:\\old.wzs", large), 0);
    EXPECT_EQ(gs::test::ReadFileBytes(L"S:\\old.wzs"), std::string(200'000, 'o'));
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(L"S:\\*", &found);
    int files = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do
            files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    EXPECT_EQ(files, 1) << "the temporary file is gone";
    ::DeleteFileW(L"S:\\old.wzs");
}

TEST_F(FileSteps, AReadOnlyFolderWritesNothing) {
    if (!DriveMapped(L"R:\\"))
        GTEST_SKIP() << "no read-only drive could be mounted on this machine";
    EXPECT_EQ(m_info.DecodeAndWrite(L"R:\\game.wzs", CDuiString(L"bmV3")), 0);
    EXPECT_EQ(::GetFileAttributesW(L"R:\\game.wzs"), INVALID_FILE_ATTRIBUTES);
}
