// The largest load and the longest save through the shell's real flows: the main frame
// in this process with the test player, the real common dialogs (answered by the
// player), the codec beside the program, real files. Each part runs in a process of its
// own, so that the peak memory each reads is its own:
//  - load of a file of N bytes (default 29,999,999): the shell's share, from the open
//    dialog's return to the player's CallFunction being entered plus from its return to
//    the end of the flow (the trace of the call), against ReadFile + memcpy of the file;
//    the whole load, from the dialog's answer to "OnLoadFile" reaching the movie; the
//    commit when CallFunction is entered and the peak working-set growth until the
//    shell's call is traced, against the reply's size;
//  - save of a 30,000,000-character text sent with "SaveFile": the shell's share (its
//    FlashCall, then from the save dialog's return to CallFunction entered, and from its
//    return to the trace) against WriteFile + FlushFileBuffers of the decoded bytes; the
//    peak growth over the request and the save, less the player's request string,
//    against the text's size. The write's yardstick and the shell's save both end in a
//    flush to the disk, whose time varies by tens of milliseconds from one call to the
//    next: the save runs three rounds, each followed by its yardstick, and the medians are
//    compared (the memory is the first round's).
// The moments around CallFunction and FlashCall come from thunks put into the player's
// and the frame's virtual tables: nothing in the shell or the player is changed for them.
// The dialog's answer is the moment the dialog starts to be destroyed (a CBT hook of this
// thread, where its modal loop runs); its return, when GetOpenFileNameW or
// GetSaveFileNameW comes back to the shell (thunks in this program's import table): the
// time between the two is the dialog library's own teardown, reported apart. The movie
// marks the arrival of each reply by calling the shell with "LoadReplied" /
// "SaveReplied", whose trace lines the hook times.
//   cd <build>/stage && wine ../bench/fileflows_bench.exe [bytes]
#include "bench/support/Clock.h"
#include "bench/support/Median.h"
#include "platform/host/ActiveXUI.h"
#include "platform/host/ShockwaveFlash.h"
#include "platform/win/Handles.h"
#include "platform/win/ScopeGuard.h"
#include "tests/support/FrameHarness.h"

#include <commdlg.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

using gs::bench::Median;
using gs::bench::Now;
using gs::test::TempPath;

namespace {

constexpr DWORD kChunk = 1 << 20;
constexpr DWORD kFlowLimitMs = 600'000; // a guard against a hang, not a measurement
constexpr size_t kSaveChars = 30'000'000;
constexpr int kSaveRounds = 3;

const char kMovie[] = "title file flows\n"
                      "on OnSize\nend\non OnClose\nend\non OnRButtonDown\nend\n"
                      "on Load\n  filedialog choose $1\n  invoke LoadFile\nend\n"
                      "on OnLoadFile\n  invoke LoadReplied\nend\n"
                      "on Save\n  filedialog choose $1\n  invoke SaveFile $2\nend\n"
                      "on OnSaveFile\n  invoke SaveReplied\nend\n";

struct Memory {
    double peakWorkingSetMb = 0;
    double commitMb = 0;
};

Memory MemoryNow() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    (void)::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return {counters.PeakWorkingSetSize / 1e6, counters.PagefileUsage / 1e6};
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// What one flow went through, in milliseconds of Now() and megabytes.
struct Marks {
    double answered = 0;        // the dialog began to close
    double returned = 0;        // and gave the shell its answer
    double callEntered = 0;     // the reply's CallFunction began
    double callReturned = 0;    // and returned
    double traced = 0;          // the shell traced the call: the flow's last step
    double replied = 0;         // the movie had the reply
    double requestEntered = 0;  // the shell's FlashCall with "SaveFile" began
    double requestReturned = 0; // and returned
    double replyBytes = 0;      // the reply as UTF-16
    double requestBytes = 0;    // the "SaveFile" request as UTF-16
    Memory atCall;
    Memory atTrace;
};
Marks g_marks;

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t name[16] = {};
    if (code == HCBT_DESTROYWND && ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16) &&
        std::wcscmp(name, L"#32770") == 0)
        g_marks.answered = Now();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

using UniqueHook = gs::UniqueHandle<gs::HandleTraits<HHOOK, ::UnhookWindowsHookEx>>;

void Observe(const gs::TraceLine& line) {
    if (StartsWith(line.text, L"<invoke name=\"LoadReplied\"") ||
        StartsWith(line.text, L"<invoke name=\"SaveReplied\""))
        g_marks.replied = Now();
    else if (StartsWith(line.text, L"<invoke name=\"OnLoadFile\"") ||
             StartsWith(line.text, L"<invoke name=\"OnSaveFile\"")) {
        g_marks.traced = Now();
        g_marks.atTrace = MemoryNow();
    }
}

// The virtual-table slot of a member function: GCC's pointer to a virtual member holds
// one more than the slot's byte offset.
template <typename Member> size_t SlotOf(Member member) {
    uintptr_t raw = 0;
    std::memcpy(&raw, &member, sizeof raw);
    return (raw - 1) / sizeof(void*);
}

// Puts `thunk` into the pointer at `slot`; gives what was there.
template <typename Proc> Proc Patch(void** slot, Proc thunk) {
    DWORD old = 0;
    (void)::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    Proc original = nullptr;
    std::memcpy(&original, slot, sizeof original);
    std::memcpy(slot, &thunk, sizeof thunk);
    (void)::VirtualProtect(slot, sizeof(void*), old, &old);
    return original;
}

// Puts `thunk` into the slot of the object's virtual table; gives what was there.
template <typename Proc> Proc Patch(void* object, size_t slot, Proc thunk) {
    return Patch(&(*static_cast<void***>(object))[slot], thunk);
}

// The entry of this program's import table through which it calls `function`.
void** ImportSlot(FARPROC function) {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* module =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    for (; module->Name; ++module) {
        for (auto** slot = reinterpret_cast<void**>(base + module->FirstThunk); *slot; ++slot) {
            if (*slot == reinterpret_cast<void*>(function))
                return slot;
        }
    }
    return nullptr;
}

using FileDialogProc = BOOL(WINAPI*)(OPENFILENAMEW*);
FileDialogProc g_getOpenFileName = nullptr;
FileDialogProc g_getSaveFileName = nullptr;

template <FileDialogProc* original> BOOL WINAPI TimedFileDialog(OPENFILENAMEW* dialog) {
    const BOOL chosen = (*original)(dialog);
    g_marks.returned = Now();
    return chosen;
}

// Puts the timing thunk into the program's calls of `name` in comdlg32, keeping the
// function in `original`; false when the program calls no such function.
template <FileDialogProc* original> bool TimeDialog(const char* name) {
    void** slot = ImportSlot(::GetProcAddress(::GetModuleHandleW(L"comdlg32.dll"), name));
    if (slot)
        *original = Patch(slot, &TimedFileDialog<original>);
    return slot != nullptr;
}

using CallFunctionProc = HRESULT(STDMETHODCALLTYPE*)(IShockwaveFlash*, BSTR, BSTR*);
CallFunctionProc g_callFunction = nullptr;

HRESULT STDMETHODCALLTYPE TimedCallFunction(IShockwaveFlash* self, BSTR request, BSTR* response) {
    const std::wstring_view text(request ? request : L"", request ? ::SysStringLen(request) : 0);
    const bool reply = StartsWith(text, L"<invoke name=\"OnLoadFile\"") ||
                       StartsWith(text, L"<invoke name=\"OnSaveFile\"");
    if (reply) {
        g_marks.callEntered = Now();
        g_marks.atCall = MemoryNow();
        g_marks.replyBytes = static_cast<double>(text.size() * sizeof(wchar_t));
    }
    HRESULT result = g_callFunction(self, request, response);
    if (reply)
        g_marks.callReturned = Now();
    return result;
}

using FlashCallProc = HRESULT(__thiscall*)(DuiLib::CFlashEventHandler*, LPCTSTR);
FlashCallProc g_flashCall = nullptr;

HRESULT __thiscall TimedFlashCall(DuiLib::CFlashEventHandler* self, LPCTSTR request) {
    const wchar_t prefix[] = L"<invoke name=\"SaveFile\"";
    const bool save = request && std::wcsncmp(request, prefix, std::size(prefix) - 1) == 0;
    if (save) {
        g_marks.requestBytes = static_cast<double>(std::wcslen(request) * sizeof(wchar_t));
        g_marks.requestEntered = Now();
    }
    HRESULT result = g_flashCall(self, request);
    if (save)
        g_marks.requestReturned = Now();
    return result;
}

IShockwaveFlash* PlayerOf(CShellFrameWnd& frame) {
    auto* control =
        dynamic_cast<DuiLib::CActiveXUI*>(frame.GetPaintManager().FindControl(L"flash"));
    IUnknown* unknown = nullptr;
    if (control)
        (void)control->GetControl(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    return static_cast<IShockwaveFlash*>(unknown); // the identity pointer, as the shell uses it
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

// Whether `path` holds exactly `size` bytes of `byte`.
bool Holds(const std::wstring& path, DWORD size, char byte) {
    gs::UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    std::unique_ptr<char[]> read(new char[kChunk]);
    if (!file || ::GetFileSize(file.get(), nullptr) != size)
        return false;
    for (DWORD done = 0, part = 0; done < size; done += part) {
        part = std::min(kChunk, size - done);
        DWORD count = 0;
        if (!::ReadFile(file.get(), read.get(), part, &count, nullptr) || count != part ||
            std::count(read.get(), read.get() + part, byte) != static_cast<ptrdiff_t>(part))
            return false;
    }
    return true;
}

// Milliseconds for one ReadFile of the whole file and a memcpy of it.
double PlainReadAndCopy(const std::wstring& source, DWORD size) {
    std::unique_ptr<char[]> bytes(new char[size]);
    std::unique_ptr<char[]> copy(new char[size]);
    const double start = Now();
    gs::UniqueFile in(
        ::CreateFileW(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD count = 0;
    (void)::ReadFile(in.get(), bytes.get(), size, &count, nullptr);
    in.reset();
    std::memcpy(copy.get(), bytes.get(), count);
    return Now() - start;
}

// Milliseconds for one WriteFile of `size` bytes to a new file and FlushFileBuffers.
double PlainWrite(const std::wstring& target, DWORD size) {
    std::unique_ptr<char[]> bytes(new char[size]);
    std::memset(bytes.get(), 'u', size);
    const double start = Now();
    gs::UniqueFile out(
        ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    (void)::WriteFile(out.get(), bytes.get(), size, &written, nullptr);
    (void)::FlushFileBuffers(out.get());
    out.reset();
    const double elapsed = Now() - start;
    (void)::DeleteFileW(target.c_str());
    return elapsed;
}

std::wstring Invoke(const wchar_t* name, const std::wstring& first, const std::wstring& second) {
    return L"<invoke name=\"" + std::wstring(name) + L"\" returntype=\"xml\"><arguments><string>" +
           first + L"</string><string>" + second + L"</string></arguments></invoke>";
}

// The frame with the thunks in place, after a small load and save have brought in the
// codec and the dialogs' libraries.
class Stand {
public:
    bool Start() {
        m_warm = TempPath(L"fileflows-warm", L".bin");
        if (!m_hook || !WritePattern(m_warm, 3) || !m_harness.Start(gs::test::FrameSkin(), kMovie))
            return false;
        m_player.attach(PlayerOf(m_harness.frame()));
        if (!m_player)
            return false;
        g_callFunction =
            Patch(m_player.get(), SlotOf(&IShockwaveFlash::CallFunction), &TimedCallFunction);
        g_flashCall = Patch(static_cast<DuiLib::CFlashEventHandler*>(&m_harness.frame()),
                            SlotOf(&DuiLib::CFlashEventHandler::FlashCall), &TimedFlashCall);
        gs::SetTraceHook(Observe);
        if (!TimeDialog<&g_getOpenFileName>("GetOpenFileNameW") ||
            !TimeDialog<&g_getSaveFileName>("GetSaveFileNameW"))
            return false;
        return Load(m_warm) && Save(m_warm + L".wzs", Invoke(L"Save", m_warm + L".wzs", L"QUJD"));
    }
    ~Stand() {
        for (const std::wstring& path : {m_warm, m_warm + L".wzs"})
            (void)::DeleteFileW(path.c_str());
    }

    bool Load(const std::wstring& source) {
        g_marks = Marks{};
        const std::wstring request = Invoke(L"Load", source, L"");
        return m_harness.frame().CallFlash(request.c_str()) == S_OK && Replied();
    }
    // The request is the caller's own string, made before the flow is measured.
    bool Save(const std::wstring& target, const std::wstring& request) {
        (void)::DeleteFileW(target.c_str()); // no overwrite prompt
        gs::UniqueBstr text(::SysAllocStringLen(request.data(), static_cast<UINT>(request.size())));
        return Save(text);
    }
    bool Save(const gs::UniqueBstr& request) {
        g_marks = Marks{};
        gs::UniqueBstr response;
        return m_player->CallFunction(request.get(), response.put()) == S_OK && Replied();
    }

private:
    static bool Replied() {
        return gs::test::PumpUntil([] { return g_marks.replied > 0; }, kFlowLimitMs);
    }

    UniqueHook m_hook{::SetWindowsHookExW(WH_CBT, WatchDialogs, nullptr, ::GetCurrentThreadId())};
    gs::test::FrameHarness m_harness;
    gs::ComPtr<IShockwaveFlash> m_player;
    std::wstring m_warm;
};

double Ratio(double part, double whole) {
    return whole > 0 ? part / whole : 0;
}

std::string Listed(const std::vector<double>& values) {
    std::string list;
    for (double value : values) {
        char number[32];
        std::snprintf(number, sizeof number, "%s%.1f", list.empty() ? "" : " / ", value);
        list += number;
    }
    return list;
}

int RunLoad(DWORD size) {
    const std::wstring source = TempPath(L"fileflows", L".bin");
    gs::ScopeGuard remove([&] { (void)::DeleteFileW(source.c_str()); });
    Stand stand;
    if (!WritePattern(source, size) || !stand.Start()) {
        std::printf("load: the frame did not start (is the test player registered?)\n");
        return 1;
    }
    const Memory before = MemoryNow();
    if (!stand.Load(source)) {
        std::printf("load: no reply within %lu ms\n", static_cast<unsigned long>(kFlowLimitMs));
        return 1;
    }
    const Marks m = g_marks;
    const double plain = PlainReadAndCopy(source, size);
    const double share = (m.callEntered - m.returned) + (m.traced - m.callReturned);
    const double reply = m.replyBytes / 1e6;
    std::printf("load of %lu bytes; reply %.0f bytes as UTF-16\n", static_cast<unsigned long>(size),
                m.replyBytes);
    std::printf("  shell's share %.1f ms (%.1f to CallFunction, %.1f after it); ReadFile + memcpy "
                "%.1f ms; ratio %.2f (goal 2.5)\n",
                share, m.callEntered - m.returned, m.traced - m.callReturned, plain,
                Ratio(share, plain));
    std::printf("  the dialog's teardown before it returned %.1f ms; with it, ratio %.2f\n",
                m.returned - m.answered, Ratio(share + m.returned - m.answered, plain));
    std::printf("  whole load to OnLoadFile in the movie %.1f ms; ratio %.2f (goal 5)\n",
                m.replied - m.answered, Ratio(m.replied - m.answered, plain));
    std::printf("  commit at CallFunction +%.1f MB, %.2f x reply; peak working set until the "
                "call returned +%.1f MB, %.2f x reply (goal 1.5)\n",
                m.atCall.commitMb - before.commitMb,
                Ratio(m.atCall.commitMb - before.commitMb, reply),
                m.atTrace.peakWorkingSetMb - before.peakWorkingSetMb,
                Ratio(m.atTrace.peakWorkingSetMb - before.peakWorkingSetMb, reply));
    return 0;
}

int RunSave() {
    const std::wstring target = TempPath(L"fileflows", L".wzs");
    gs::ScopeGuard remove([&] { (void)::DeleteFileW(target.c_str()); });
    Stand stand;
    if (!stand.Start()) {
        std::printf("save: the frame did not start (is the test player registered?)\n");
        return 1;
    }
    std::wstring text(kSaveChars, L'\0');
    for (size_t at = 0; at < kSaveChars; ++at)
        text[at] = L"dXV1"[at % 4];
    const std::wstring invoke = Invoke(L"Save", target, text);
    text = std::wstring();
    gs::UniqueBstr request(::SysAllocStringLen(invoke.data(), static_cast<UINT>(invoke.size())));
    (void)::DeleteFileW(target.c_str());
    const Memory before = MemoryNow();
    Marks first{};
    std::vector<double> shares, withTeardowns, plains;
    bool written = true;
    for (int round = 0; round < kSaveRounds; ++round) {
        (void)::DeleteFileW(target.c_str());
        if (!stand.Save(request)) {
            std::printf("save: no reply within %lu ms\n", static_cast<unsigned long>(kFlowLimitMs));
            return 1;
        }
        const Marks m = g_marks;
        if (round == 0)
            first = m;
        shares.push_back((m.requestReturned - m.requestEntered) + (m.callEntered - m.returned) +
                         (m.traced - m.callReturned));
        withTeardowns.push_back(shares.back() + m.returned - m.answered);
        written = written && Holds(target, kSaveChars / 4 * 3, 'u');
        plains.push_back(PlainWrite(target, kSaveChars / 4 * 3));
    }
    const Marks& m = first;
    const double share = Median(shares);
    const double plain = Median(plains);
    const double growth = m.atTrace.peakWorkingSetMb - before.peakWorkingSetMb;
    const double textMb = kSaveChars * sizeof(wchar_t) / 1e6;
    std::printf("save of %zu characters, %d rounds; file %s\n", kSaveChars, kSaveRounds,
                written ? "written, byte-exact" : "NOT written");
    std::printf("  first round: FlashCall %.1f, to CallFunction %.1f, after it %.1f ms\n",
                m.requestReturned - m.requestEntered, m.callEntered - m.returned,
                m.traced - m.callReturned);
    std::printf("  shell's share %s ms, median %.1f; WriteFile + flush %s ms, median %.1f; "
                "ratio of the medians %.2f (goal 3)\n",
                Listed(shares).c_str(), share, Listed(plains).c_str(), plain, Ratio(share, plain));
    std::printf("  with the dialog's teardown before it returned %s ms, median %.1f; ratio %.2f\n",
                Listed(withTeardowns).c_str(), Median(withTeardowns),
                Ratio(Median(withTeardowns), plain));
    std::printf("  peak working set +%.1f MB, less the player's request %.1f MB: %.2f x text "
                "(goal 1.5)\n",
                growth, m.requestBytes / 1e6, Ratio(growth - m.requestBytes / 1e6, textMb));
    return written ? 0 : 1;
}

// Runs this program again for one part, with the same standard output.
DWORD RunPart(const wchar_t* part, DWORD size) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command =
        L"fileflows_bench.exe " + std::wstring(part) + L" " + std::to_wstring(size);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process))
        return 1;
    gs::UniqueKernelHandle processHandle(process.hProcess);
    gs::UniqueKernelHandle threadHandle(process.hThread);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    (void)::GetExitCodeProcess(process.hProcess, &code);
    return code;
}

} // namespace

int main(int argc, char** argv) {
    const char* part =
        argc > 1 && !std::isdigit(static_cast<unsigned char>(argv[1][0])) ? argv[1] : "";
    const char* bytes = argc > 1 && !*part ? argv[1] : argc > 2 ? argv[2] : "29999999";
    const DWORD size = static_cast<DWORD>(std::atol(bytes));
    if (std::strcmp(part, "load") == 0)
        return RunLoad(size);
    if (std::strcmp(part, "save") == 0)
        return RunSave();
    (void)std::fflush(stdout);
    const DWORD load = RunPart(L"load", size);
    const DWORD save = RunPart(L"save", size);
    return load == 0 && save == 0 ? 0 : 1;
}
