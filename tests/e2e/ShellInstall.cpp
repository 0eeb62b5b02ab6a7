#include "tests/e2e/ShellInstall.h"

#include "tests/lobby/ChildProcess.h"
#include "tests/support/FileBytes.h"

#include <filesystem>
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

} // namespace

std::wstring StageFolder() {
    const std::wstring folder = std::filesystem::current_path().wstring();
    return folder.back() == L'\\' ? folder : folder + L"\\";
}

ShellInstall::ShellInstall(const std::string& movie, const std::string& settings)
    : m_folder(lobbytest::TempPath(L"gs_install", L"\\")),
      m_transcript(lobbytest::TempPath(L"transcript")),
      m_ready(Populate(movie, settings.empty() ? kDefaultSettings : settings)) {}

bool ShellInstall::Populate(const std::string& movie, const std::string& settings) const {
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

ShellInstall::~ShellInstall() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(m_folder), ignored);
    ::DeleteFileW(m_transcript.c_str());
}

std::string ShellInstall::Transcript() const {
    return gs::test::ReadFileBytes(m_transcript);
}

} // namespace e2e
