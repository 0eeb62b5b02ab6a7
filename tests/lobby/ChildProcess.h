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
// A fresh path in the temporary folder (the file does not exist yet).
std::wstring TempPath(const std::wstring& stem);
std::string ReadWholeFile(const std::wstring& path);

struct ChildResult {
    bool exited = false; // false: still running after the guard time, then killed
    DWORD exitCode = 0;
    std::string output; // standard output and standard error
};

using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

// Runs program with the arguments and waits for it (killing it after a generous guard
// time so that a hung child fails the test instead of hanging the suite).
ChildResult RunChild(const std::wstring& program, const std::vector<std::wstring>& arguments,
                     const Environment& environment = {});

// "a=b" lines into a map; a key given twice keeps its last value.
std::map<std::string, std::string> ReadReport(const std::wstring& path);
// The text split into lines without their line ends.
std::vector<std::string> Lines(const std::string& text);

} // namespace lobbytest
