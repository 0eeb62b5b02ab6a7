#pragma once
// Real child processes for the tests that start the lobby: a program run with its
// standard output and error in a file, with a few environment variables set for it.
#include "platform/win/Handles.h"
#include "tests/support/FileBytes.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lobbytest {

// A fresh path in the temporary folder (nothing exists there yet).
std::wstring TempPath(const std::wstring& stem, const std::wstring& extension = L".txt");
// The text split into lines without their line ends.
std::vector<std::string> Lines(const std::string& text);
bool HasLineStarting(const std::vector<std::string>& lines, const std::string& prefix);
// The bytes as lower-case hexadecimal digits, two for each.
std::string Hex(std::string_view bytes);

struct ChildResult {
    bool exited = false; // false: still running after the guard time, then killed
    DWORD exitCode = 0;
    std::string output; // standard output and standard error
};

// The tests' own variables, unset in the test process again once the child has them.
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

    bool Running() const;
    // Waits for the exit (killing the child after a generous guard time, so that a hung
    // child fails the test instead of hanging the suite) and collects its output.
    ChildResult Finish();

private:
    std::wstring m_outputPath;
    gs::UniqueKernelHandle m_process;
};

} // namespace lobbytest
