#pragma once
// A private copy of the installed layout for one end-to-end run: GameShell.exe and
// Base64.dll from the staging folder, its skin with a Settings.xml of the test's own
// that loads the test's scripted movie, and a transcript file for the test player.
// Everything is removed again at the end of the scope.
#include <string>

namespace e2e {

class ShellInstall {
public:
    // movie: the scripted movie's text (UTF-8). settings: the Settings.xml to use, in the
    // ANSI code page; empty for one that loads flash\test.swf.
    explicit ShellInstall(const std::string& movie, const std::string& settings = "");
    ~ShellInstall();
    ShellInstall(const ShellInstall&) = delete;
    ShellInstall& operator=(const ShellInstall&) = delete;

    bool Ready() const noexcept { return m_ready; }
    const std::wstring& Folder() const noexcept { return m_folder; } // ends in a backslash
    std::wstring Shell() const { return m_folder + L"GameShell.exe"; }
    const std::wstring& TranscriptPath() const noexcept { return m_transcript; }
    std::string Transcript() const;

private:
    bool Populate(const std::string& movie, const std::string& settings) const;

    std::wstring m_folder;
    std::wstring m_transcript;
    bool m_ready = false;
};

// The stage folder (where the build puts GameShell.exe), ending in a backslash.
std::wstring StageFolder();

} // namespace e2e
