#pragma once
// Real child processes for the tests that start the lobby: run a program with its
// standard output in a file, with a few environment variables set for it alone.
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lobbytest {

// The folder of the running test executable, ending in a backslash.
std::wstring ThisFolder();
// A fresh path in the temporary folder (nothing exists there yet).
std::wstring TempPath(const std::wstring& stem, const std::wstring& extension = L".txt");
std::string ReadWholeFile(const std::wstring& path);

struct ChildResult {
    bool exited = false; // false: still running after the guard time, then killed
    DWORD exitCode = 0;
    std::string output; // standard output and standard error
};

using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

// A child started now and waited for later; one still running at the end of the scope
// is killed.
class Child {
public:
    Child(const std::wstring& program, const std::vector<std::wstring>& arguments,
          const Environment& environment = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const noexcept { return m_process != nullptr; }
    bool Running() const;
    // Waits for the exit (killing the child after a generous guard time so that a hung
    // child fails the test instead of hanging the suite) and collects its output.
    ChildResult Finish();

private:
    std::wstring m_outputPath;
    HANDLE m_process = nullptr;
};

ChildResult RunChild(const std::wstring& program, const std::vector<std::wstring>& arguments,
                     const Environment& environment = {});

// Polls until the file holds the text or the child ends (or the guard time passes).
bool WaitForText(const Child& child, const std::wstring& path, const std::string& text);

// "a=b" lines into a map; a key given twice keeps its last value.
std::map<std::string, std::string> ReadReport(const std::wstring& path);
// The text split into lines without their line ends.
std::vector<std::string> Lines(const std::string& text);

} // namespace lobbytest
