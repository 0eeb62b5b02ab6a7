// Load and save of a large file through the shell's real flows: the main frame in this
// process with the test player, the real common dialogs (answered by the player), the
// codec beside the program, real files. It reports
//  - load: from the open dialog's answer to "OnLoadFile" reaching the movie, against a
//    plain ReadFile + memcpy of the same file;
//  - save: from the save dialog's answer to "OnSaveFile" reaching the movie (the file
//    written in between), against a plain WriteFile + FlushFileBuffers of the same bytes;
//  - the growth of the process's peak memory over the whole load and save, against the
//    size of the reply (the "OnLoadFile" request as UTF-16);
//  - the shell's own steps of the load, each timed alone afterwards, to tell its share
//    from the test player's (which also lives in this process).
// The dialog's answer is the moment the dialog starts to be destroyed (a CBT hook of this
// thread, where its modal loop runs). The movie marks the arrival of each reply itself:
// its handlers first call the shell with "LoadReplied" / "SaveReplied", and the trace
// hook takes the time of those lines. Trace lines go to that hook, not to stdout.
//   cd <build>/stage && wine ../bench/fileflows_bench.exe [bytes]
#include "bench/support/Clock.h"
#include "launch/EnterGameInfo.h"
#include "platform/Handles.h"
#include "platform/ScopeGuard.h"
#include "tests/support/FrameHarness.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <utility>

using playertest::TempPath;

namespace {

constexpr DWORD kChunk = 1 << 20;
constexpr DWORD kFlowLimitMs = 600'000; // a guard against a hang, not a measurement

// The movie: "Load PATH" loads PATH through the open dialog; the content then goes back
// through the save dialog to PATH.wzs. The wait lets the shell's load call return before
// the text comes back, so that the end of the load flow is seen on its own.
const char kMovie[] = "title file flows\n"
                      "on OnSize\nend\non OnClose\nend\non OnRButtonDown\nend\n"
                      "on Load\n  filedialog choose $1\n  invoke LoadFile\nend\n"
                      "on OnLoadFile\n  invoke LoadReplied\n  wait 1\n"
                      "  filedialog choose $1.wzs\n  invoke SaveFile $2\nend\n"
                      "on OnSaveFile\n  invoke SaveReplied\nend\n";

using gs::bench::Now;

struct Memory {
    double peakWorkingSetMb = 0;
    double peakPagefileMb = 0;
};

Memory MemoryNow() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    (void)::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return {counters.PeakWorkingSetSize / 1e6, counters.PeakPagefileUsage / 1e6};
}

// When the last dialog of this thread began to close.
double g_dialogClosed = 0;

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t name[16] = {};
    if (code == HCBT_DESTROYWND && ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16) &&
        std::wcscmp(name, L"#32770") == 0)
        g_dialogClosed = Now();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

using UniqueHook = gs::UniqueHandle<gs::HandleTraits<HHOOK, ::UnhookWindowsHookEx>>;

// What one load and save went through, in milliseconds of Now().
struct Flow {
    double loadAnswered = 0, loadReplied = 0, loadReturned = 0;
    double saveAnswered = 0, saveReplied = 0;
    size_t replyBytes = 0;
    Memory afterLoad;
};

bool StartsWith(const std::wstring& line, const wchar_t* prefix) {
    return line.compare(0, std::wcslen(prefix), prefix) == 0;
}

void Observe(Flow& flow, const std::wstring& line) {
    const wchar_t kReturned[] = L"CallFlash Sucessed callCommand = ";
    if (StartsWith(line, L"FlashCall sCommand = <invoke name=\"LoadReplied\"")) {
        flow.loadReplied = Now();
        flow.loadAnswered = g_dialogClosed;
    } else if (StartsWith(line, L"FlashCall sCommand = <invoke name=\"SaveReplied\"")) {
        flow.saveReplied = Now();
        flow.saveAnswered = g_dialogClosed;
    } else if (StartsWith(line, L"CallFlash Sucessed callCommand = <invoke name=\"OnLoadFile\"")) {
        flow.loadReturned = Now();
        flow.afterLoad = MemoryNow();
        flow.replyBytes = (line.size() - std::wcslen(kReturned) - 2) * sizeof(wchar_t); // " \n"
    }
}

// The same pseudo-random megabyte over and over, written without holding the file.
std::unique_ptr<char[]> PatternChunk() {
    std::unique_ptr<char[]> chunk(new char[kChunk]);
    std::mt19937 random(7);
    for (DWORD index = 0; index < kChunk; ++index)
        chunk[index] = static_cast<char>(random());
    return chunk;
}

bool WritePattern(const std::wstring& path, DWORD size) {
    gs::UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::unique_ptr<char[]> chunk = PatternChunk();
    for (DWORD done = 0, part = 0; file && done < size; done += part) {
        part = std::min(kChunk, size - done);
        DWORD written = 0;
        if (!::WriteFile(file.get(), chunk.get(), part, &written, nullptr) || written != part)
            return false;
    }
    return static_cast<bool>(file);
}

// Whether `path` holds exactly the first `size` bytes of the pattern.
bool HoldsPattern(const std::wstring& path, DWORD size) {
    gs::UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file || ::GetFileSize(file.get(), nullptr) != size)
        return false;
    std::unique_ptr<char[]> chunk = PatternChunk();
    std::unique_ptr<char[]> read(new char[kChunk]);
    for (DWORD done = 0, part = 0; done < size; done += part) {
        part = std::min(kChunk, size - done);
        DWORD count = 0;
        if (!::ReadFile(file.get(), read.get(), part, &count, nullptr) || count != part ||
            std::memcmp(read.get(), chunk.get(), part) != 0)
            return false;
    }
    return true;
}

// Milliseconds for one ReadFile of the whole file and a memcpy of it; then for one
// WriteFile of those bytes to a new file and FlushFileBuffers.
std::pair<double, double> PlainReadCopyAndWrite(const std::wstring& source,
                                                const std::wstring& target, DWORD size) {
    std::unique_ptr<char[]> bytes(new char[size]);
    std::unique_ptr<char[]> copy(new char[size]);
    const double start = Now();
    gs::UniqueFile in(
        ::CreateFileW(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD count = 0;
    (void)::ReadFile(in.get(), bytes.get(), size, &count, nullptr);
    in.reset();
    std::memcpy(copy.get(), bytes.get(), count);
    const double read = Now() - start;
    const double writeStart = Now();
    gs::UniqueFile out(
        ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    (void)::WriteFile(out.get(), copy.get(), count, &count, nullptr);
    (void)::FlushFileBuffers(out.get());
    out.reset();
    const double write = Now() - writeStart;
    (void)::DeleteFileW(target.c_str());
    return {read, write};
}

// The shell's own steps of the load flow, each timed alone on the same file: read and
// encode, the "OnLoadFile" request, its BSTR for the call, and the trace line of the call.
struct LoadSteps {
    double encode = 0, request = 0, bstr = 0, trace = 0;
};

LoadSteps TimeLoadSteps(const std::wstring& source) {
    gs::SetTraceHook([](const std::wstring&) {});
    EnterGameInfo info;
    DuiLib::CDuiString text;
    LoadSteps steps;
    double start = Now();
    (void)info.ReadAndEncode(source.c_str(), text);
    steps.encode = Now() - start;
    start = Now();
    DuiLib::CDuiString request = info.BuildOnLoadFile(source.c_str(), text);
    steps.request = Now() - start;
    text.Empty();
    start = Now();
    gs::UniqueBstr bstr(::SysAllocString(request));
    steps.bstr = Now() - start;
    start = Now();
    gs::Trace(L"CallFlash %s callCommand = %s \n", L"Sucessed", request.GetData());
    steps.trace = Now() - start;
    return steps;
}

// Loads `source` and saves it back through the movie; false if a step never came.
bool RunFlow(gs::test::FrameHarness& harness, const std::wstring& source, Flow& flow) {
    flow = Flow{};
    const std::wstring request = L"<invoke name=\"Load\" returntype=\"xml\"><arguments><string>" +
                                 source + L"</string></arguments></invoke>";
    return harness.frame().CallFlash(request.c_str()) == S_OK &&
           gs::test::PumpUntil([&] { return flow.saveReplied > 0; }, kFlowLimitMs);
}

void Report(DWORD size, const Flow& flow, const Memory& before, const Memory& after, bool written,
            std::pair<double, double> plain, const LoadSteps& steps) {
    const double load = flow.loadReplied - flow.loadAnswered;
    const double save = flow.saveReplied - flow.saveAnswered;
    const double reply = flow.replyBytes / 1e6;
    std::printf("file %lu bytes; reply (OnLoadFile request) %zu bytes as UTF-16\n",
                static_cast<unsigned long>(size), flow.replyBytes);
    std::printf("load: dialog answered -> OnLoadFile in the movie %.1f ms "
                "(the shell's call returned after %.1f ms)\n",
                load, flow.loadReturned - flow.loadAnswered);
    std::printf("      plain ReadFile + memcpy %.1f ms; ratio %.2f\n", plain.first,
                load / plain.first);
    std::printf("      the shell's steps alone: read + encode %.1f ms, request %.1f ms, BSTR "
                "%.1f ms, trace line %.1f ms\n",
                steps.encode, steps.request, steps.bstr, steps.trace);
    std::printf("save: dialog answered -> OnSaveFile in the movie %.1f ms; file %s\n", save,
                written ? "written, byte-identical" : "NOT written");
    std::printf("      plain WriteFile + FlushFileBuffers %.1f ms; ratio %.2f\n", plain.second,
                save / plain.second);
    // Wine reports the current commit as PeakPagefileUsage: the higher reading counts.
    const double peakWorkingSet = std::max(flow.afterLoad.peakWorkingSetMb, after.peakWorkingSetMb);
    const double peakPagefile = std::max(flow.afterLoad.peakPagefileMb, after.peakPagefileMb);
    std::printf("PeakWorkingSetSize: before %.1f MB, end of load %.1f MB, end of save %.1f MB; "
                "growth / reply %.2f\n",
                before.peakWorkingSetMb, flow.afterLoad.peakWorkingSetMb, after.peakWorkingSetMb,
                (peakWorkingSet - before.peakWorkingSetMb) / reply);
    std::printf("PeakPagefileUsage: before %.1f MB, end of load %.1f MB, end of save %.1f MB; "
                "growth / reply %.2f\n",
                before.peakPagefileMb, flow.afterLoad.peakPagefileMb, after.peakPagefileMb,
                (peakPagefile - before.peakPagefileMb) / reply);
}

} // namespace

int main(int argc, char** argv) {
    const DWORD size = argc > 1 ? static_cast<DWORD>(std::atol(argv[1])) : 29'999'999;
    const std::wstring source = TempPath(L"fileflows.bin");
    const std::wstring warmSource = TempPath(L"fileflows-warm.bin");
    const std::wstring saved = source + L".wzs";
    // A saved file left by an earlier run would bring up an overwrite prompt.
    const auto removeFiles = [&] {
        for (const std::wstring& path : {source, saved, warmSource, warmSource + L".wzs"})
            (void)::DeleteFileW(path.c_str());
    };
    removeFiles();
    gs::ScopeGuard removeAtEnd(removeFiles);
    if (!WritePattern(source, size) || !WritePattern(warmSource, 3)) {
        std::printf("cannot write the files in the temporary folder\n");
        return 1;
    }
    gs::test::FrameHarness harness;
    UniqueHook hook(::SetWindowsHookExW(WH_CBT, WatchDialogs, nullptr, ::GetCurrentThreadId()));
    if (!hook || !harness.Start(gs::test::FrameSkin(), kMovie)) {
        std::printf("the frame did not start (is the test player registered?)\n");
        return 1;
    }
    Flow flow;
    gs::SetTraceHook([&flow](const std::wstring& line) { Observe(flow, line); });
    // A small file first, so that the codec and the dialogs' libraries are loaded already.
    const bool warm = RunFlow(harness, warmSource, flow);
    const Memory before = MemoryNow();
    if (!warm || !RunFlow(harness, source, flow)) {
        std::printf("a flow did not complete within %lu ms\n",
                    static_cast<unsigned long>(kFlowLimitMs));
        return 1;
    }
    const Memory after = MemoryNow();
    const bool written = HoldsPattern(saved, size);
    // The yardsticks after the flows, so that their buffers do not raise the peak.
    const std::pair<double, double> plain = PlainReadCopyAndWrite(source, saved, size);
    const LoadSteps steps = TimeLoadSteps(source);
    Report(size, flow, before, after, written, plain, steps);
    return 0;
}
