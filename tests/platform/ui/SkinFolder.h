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
    std::wstring m_path = gs::test::TempPath(L"gs-ui", L"\\");
    std::vector<std::wstring> m_files;
};
