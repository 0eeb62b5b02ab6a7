#include "tests/e2e/ShellInstall.h"

#include "tests/lobby/ChildProcess.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace e2e {

namespace {

const char kDefaultSettings[] = R"(<?xml version="1.0"?>
<Settings>
  <loadingFlash bLocal="true">flash\test.swf</loadingFlash>
  <FileExtention>wzs</FileExtention>
  <FileFilter>Saved games (*.wzs)\0*.wzs\0All files (*.*)\0*.*\0</FileFilter>
  <TaskBarName>GameShell end to end</TaskBarName>
</Settings>
)";

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    return static_cast<bool>(file);
}

} // namespace

std::wstring StageFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring path = folder;
    return path.back() == L'\\' ? path : path + L"\\";
}

ShellInstall::ShellInstall(const std::string& movie, const std::string& settings)
    : m_folder(lobbytest::TempPath(L"gs_install", L"\\")),
      m_transcript(lobbytest::TempPath(L"transcript")) {
    m_ready = Populate(movie, settings.empty() ? kDefaultSettings : settings);
}

bool ShellInstall::Populate(const std::string& movie, const std::string& settings) {
    namespace fs = std::filesystem;
    const fs::path stage = StageFolder();
    const fs::path folder = m_folder;
    std::error_code error;
    fs::create_directories(folder / L"skin", error);
    fs::create_directories(folder / L"flash", error);
    for (const wchar_t* file : {L"GameShell.exe", L"Base64.dll"})
        fs::copy_file(stage / file, folder / file, error);
    if (error)
        return false;
    for (const auto& entry : fs::directory_iterator(stage / L"skin", error))
        if (entry.path().filename() != L"Settings.xml")
            fs::copy(entry.path(), folder / L"skin" / entry.path().filename(),
                     fs::copy_options::recursive, error);
    return !error && WriteFile(folder / L"skin" / L"Settings.xml", settings) &&
           WriteFile(folder / L"flash" / L"test.swf", movie);
}

ShellInstall::~ShellInstall() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(m_folder), ignored);
    ::DeleteFileW(m_transcript.c_str());
}

std::string ShellInstall::Transcript() const {
    return lobbytest::ReadWholeFile(m_transcript);
}

} // namespace e2e
