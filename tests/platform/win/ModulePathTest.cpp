// Module paths: the folder part of a path, and a module's whole path however long it is
// (a copy of this test program loaded from a folder deeper than MAX_PATH).
#include "platform/win/ModulePath.h"
#include "platform/win/Handles.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(ModulePath, FolderOfKeepsEverythingUpToTheLastSlash) {
    // clang-format off
    const struct { const wchar_t* path; const wchar_t* folder; } cases[] = {
        {L"C:\\games\\GameShell.exe", L"C:\\games\\"}, {L"C:/games/GameShell.exe", L"C:/games/"},
        {L"C:\\a/b\\c.dll", L"C:\\a/b\\"}, {L"\\top", L"\\"}, {L"GameShell.exe", L""}, {L"", L""},
    };
    // clang-format on
    for (const auto& test : cases)
        EXPECT_EQ(gs::FolderOf(test.path), test.folder) << test.path;
}

TEST(ModulePath, APathLongerThanMaxPathComesWhole) {
    wchar_t temp[MAX_PATH]{};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    std::wstring folder = L"\\\\?\\" + std::wstring(temp);
    std::vector<std::wstring> made;
    while (folder.size() <= MAX_PATH + 20) {
        folder += std::wstring(60, L'd') + L"\\";
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr) ||
                    ::GetLastError() == ERROR_ALREADY_EXISTS);
        made.push_back(folder);
    }
    const std::wstring copy = folder + L"copy.exe";
    ASSERT_TRUE(::CopyFileW(gs::ModuleFilePath(nullptr).c_str(), copy.c_str(), FALSE));
    {
        gs::UniqueModule module(
            ::LoadLibraryExW(copy.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
        ASSERT_TRUE(module);
        std::wstring path = gs::ModuleFilePath(module.get());
        EXPECT_GT(path.size(), static_cast<size_t>(MAX_PATH));
        EXPECT_EQ(path.substr(path.size() - 9), L"\\copy.exe");
        EXPECT_EQ(gs::ModuleFolder(module.get()), path.substr(0, path.size() - 8));
    }
    ::DeleteFileW(copy.c_str());
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        ::RemoveDirectoryW(it->c_str());
}

} // namespace
