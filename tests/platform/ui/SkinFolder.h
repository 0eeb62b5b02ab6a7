#pragma once
// A fresh folder under the temporary path, made the resource path for the test's
// lifetime; its files are deleted at the end.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/PaintManagerUI.h"
#include "tests/support/FileBytes.h"

class SkinFolder {
public:
    SkinFolder() {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"gs-ui-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++Counter()) + L"\\";
        ::CreateDirectoryW(m_path.c_str(), nullptr);
        DuiLib::CPaintManagerUI::SetResourcePath(m_path.c_str());
    }
    SkinFolder(const SkinFolder&) = delete;
    SkinFolder& operator=(const SkinFolder&) = delete;
    ~SkinFolder() {
        for (const std::wstring& file : m_files)
            ::DeleteFileW(file.c_str());
        ::RemoveDirectoryW(m_path.c_str());
        DuiLib::CPaintManagerUI::SetResourcePath(L"");
    }

    void Write(const wchar_t* name, const std::string& bytes) {
        m_files.push_back(m_path + name);
        (void)gs::test::WriteFileBytes(m_files.back(), bytes); // a failure shows in the reads
    }
    const std::wstring& Path() const { return m_path; }

private:
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::wstring m_path;
    std::vector<std::wstring> m_files;
};
