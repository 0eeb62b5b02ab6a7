#pragma once
// A private copy of the installed layout for one end-to-end run: GameShell.exe and
// Base64.dll from the staging folder, its skin with a Settings.xml of the test's own
// that loads the test's scripted movie, and a transcript file for the test player.
// Everything is removed again at the end of the scope.
#include "tests/support/FileBytes.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace e2e {

// The stage folder (where the build puts GameShell.exe), ending in a backslash.
inline std::wstring StageFolder() {
    const std::wstring folder = std::filesystem::current_path().wstring();
    return folder.back() == L'\\' ? folder : folder + L"\\";
}

class ShellInstall {
public:
    // movie: the scripted movie's text (UTF-8). settings: the Settings.xml to use, in the
    // ANSI code page; empty for one that loads flash\test.swf.
    explicit ShellInstall(const std::string& movie, const std::string& settings = "")
        : m_folder(gs::test::TempPath(L"gs_install", L"\\")),
          m_transcript(gs::test::TempPath(L"transcript")),
          m_ready(Populate(movie, settings.empty() ? kDefaultSettings : settings)) {}
    ~ShellInstall() {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(m_folder), ignored);
        ::DeleteFileW(m_transcript.c_str());
    }
    ShellInstall(const ShellInstall&) = delete;
    ShellInstall& operator=(const ShellInstall&) = delete;

    bool Ready() const noexcept { return m_ready; }
    const std::wstring& Folder() const noexcept { return m_folder; } // ends in a backslash
    std::wstring Shell() const { return m_folder + L"GameShell.exe"; }
    const std::wstring& TranscriptPath() const noexcept { return m_transcript; }
    std::string Transcript() const { return gs::test::ReadFileBytes(m_transcript); }

private:
    static constexpr const char* kDefaultSettings = R"(<?xml version="1.0"?>
<Settings>
  <loadingFlash bLocal="true">flash\test.swf</loadingFlash>
  <FileExtention>wzs</FileExtention>
  <FileFilter>Saved games (*.wzs)\0*.wzs\0All files (*.*)\0*.*\0</FileFilter>
  <TaskBarName>GameShell end to end</TaskBarName>
</Settings>
)";

    bool Populate(const std::string& movie, const std::string& settings) const {
        namespace fs = std::filesystem;
        const fs::path stage = StageFolder();
        const fs::path folder = m_folder;
        try {
            fs::create_directories(folder / L"flash");
            fs::copy(stage / L"skin", folder / L"skin", fs::copy_options::recursive);
            fs::copy_file(stage / L"GameShell.exe", folder / L"GameShell.exe");
            fs::copy_file(stage / L"Base64.dll", folder / L"Base64.dll");
        } catch (const fs::filesystem_error&) {
            return false;
        }
        return gs::test::WriteFileBytes(m_folder + L"skin\\Settings.xml", settings) &&
               gs::test::WriteFileBytes(m_folder + L"flash\\test.swf", movie);
    }

    std::wstring m_folder;
    std::wstring m_transcript;
    bool m_ready = false;
};

} // namespace e2e
