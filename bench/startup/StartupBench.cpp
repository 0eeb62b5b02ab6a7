// Start-up: how long the shell takes, started by the lobby, until the movie holds its
// launch record (the player receives "AckEnterGame"), against how long a minimal Win32
// program takes to open a window and quit. Both are measured in the same run, rounds
// interleaved, and the ratio of the medians is the result.
//   cd <build>/stage && wine ../bench/startup_bench.exe [rounds]
// Needs the test player registered in the prefix (the test fixture does that).
#include "bench/support/Clock.h"
#include "bench/support/Median.h"
#include "platform/win/ModulePath.h"
#include "tests/e2e/ShellInstall.h"
#include "tests/lobby/ChildProcess.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kMovie[] = "on AckEnterGame\n"
                      "invoke ExitGame\n"
                      "end\n"
                      "invoke ReqEnterGame\n";

using gs::bench::Median;
using gs::bench::Now;

// Milliseconds from the start of the minimal program to its exit.
double TimeMinimalWindow() {
    const double start = Now();
    lobbytest::Child child(gs::ModuleFolder(nullptr) + L"startup_minimal_window.exe", {});
    const lobbytest::ChildResult result = child.Finish();
    const double elapsed = Now() - start;
    return result.exited && result.exitCode == 0 ? elapsed : -1;
}

// Milliseconds from starting the lobby to the movie receiving its launch record.
double TimeShellToAck(const e2e::ShellInstall& install) {
    ::DeleteFileW(install.TranscriptPath().c_str());
    const double start = Now();
    lobbytest::Child lobby(e2e::StageFolder() + L"Lobby.exe",
                           {L"--shell", install.Shell(), L"--username", L"bench", L"--ticket",
                            L"T-1", L"--timeout", L"60000"},
                           {{L"GS_TRANSCRIPT", install.TranscriptPath()}});
    const auto acknowledged = [&install] {
        return install.Transcript().find("in <invoke name=\"AckEnterGame\"") != std::string::npos;
    };
    double elapsed = -1;
    while (elapsed < 0 && lobby.Running()) {
        if (acknowledged())
            elapsed = Now() - start;
        ::Sleep(1);
    }
    // The movie ends the game right after the record arrives: the exit may come first.
    if (elapsed < 0 && acknowledged())
        elapsed = Now() - start;
    (void)lobby.Finish();
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::wstring stage = gs::ModuleFolder(nullptr) + L"..\\stage";
    ::SetCurrentDirectoryW(stage.c_str());
    const e2e::ShellInstall install(kMovie);
    if (!install.Ready()) {
        std::printf("cannot set up a private install from %ls\n", stage.c_str());
        return 1;
    }
    (void)TimeMinimalWindow(); // the first start of anything pays for loading Wine's DLLs
    (void)TimeShellToAck(install);
    std::vector<double> minimal, shell;
    for (int round = 0; round < rounds; ++round) {
        minimal.push_back(TimeMinimalWindow());
        shell.push_back(TimeShellToAck(install));
        if (minimal.back() < 0 || shell.back() < 0) {
            std::printf("round %d failed (is the test player registered?)\n", round + 1);
            return 1;
        }
        std::printf("round %d: minimal window %.1f ms, shell to AckEnterGame %.1f ms\n", round + 1,
                    minimal.back(), shell.back());
    }
    const double minimalMedian = Median(minimal);
    const double shellMedian = Median(shell);
    std::printf("median of %d rounds: minimal window %.1f ms, shell to AckEnterGame %.1f ms\n",
                rounds, minimalMedian, shellMedian);
    std::printf("ratio shell / minimal window: %.2f\n", shellMedian / minimalMedian);
    return 0;
}
