// The load and save flows as the movie drives them: its requests, the real common
// dialogs answered by the test player, real files, and the replies in its transcript.
#include "tests/support/DialogAnswer.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FrameHarness.h"
#include "tests/support/Requests.h"
#include "tools/lobby/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace gs::test;
using lobby::WideToUtf8;

namespace {

// Loads `source` through the open dialog, then saves the content through the save
// dialog under `target`; the shell's own replace prompt is the test's to answer.
std::string RoundTripMovie(const std::wstring& source, const std::wstring& target) {
    return "on OnSize\nend\nfiledialog choose " + WideToUtf8(source) +
           "\ninvoke LoadFile\n"
           "on OnLoadFile\n  note loaded $1\n  filedialog choose " +
           WideToUtf8(target) +
           "\n  invoke SaveFile \"$2\"\nend\n"
           "on OnSaveFile\n  note saved $1\nend\n";
}

// A movie whose requests start with `start`; each reply is noted, and `onLoad` and
// `onSave` run after the note of their reply.
std::string ReplyingMovie(const std::string& start, const std::string& onLoad,
                          const std::string& onSave = "") {
    return "on OnSize\nend\non OnClose\nend\n"
           "on OnLoadFile\n  note loaded $1 $2\n" +
           onLoad + "\nend\non OnSaveFile\n  note saved $1\n" + onSave + "\nend\n" + start;
}

// Watches the calling thread's file dialogs from another thread: the most open at once.
// Once two have been open together, it cancels every dialog, so that the test fails
// instead of waiting in a dialog that nobody answers.
class DialogWatch {
public:
    DialogWatch()
        : m_thread([this, thread = ::GetCurrentThreadId()] {
              while (!m_done) {
                  const auto [dialog, open] = DialogAnswer::FileDialogsOf(thread);
                  m_most = std::max(m_most.load(), open);
                  if (m_most > 1 && dialog)
                      DialogAnswer::Press(dialog, IDCANCEL);
                  ::Sleep(5); // nothing tells another thread that a dialog opened
              }
          }) {}
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;
    ~DialogWatch() {
        m_done = true;
        m_thread.join();
    }
    int Most() const { return m_most; }

private:
    std::atomic<int> m_most{0};
    std::atomic<bool> m_done{false};
    std::thread m_thread; // last: it starts once everything it uses exists
};

std::vector<std::string> Notes(const std::vector<std::string>& transcript) {
    std::vector<std::string> notes;
    std::ranges::copy_if(transcript, std::back_inserter(notes),
                         [](const std::string& line) { return line.starts_with("note "); });
    return notes;
}

// Script functions the test calls to answer the next file dialog: "Load" also asks the
// shell to load, "Save" only answers.
constexpr const char* kFileHandlers = "on Load\n  filedialog choose $1\n  invoke LoadFile\nend\n"
                                      "on Save\n  filedialog choose $1\n  overwrite yes\nend\n";

// What a file dialog shows of the shell's settings: the filter's descriptions, the one
// selected, and whether the read-only box is offered.
struct DialogView {
    std::vector<std::wstring> types;
    LRESULT selected = -1;
    bool readOnlyBox = false;
};

DialogView Read(HWND dialog) {
    constexpr int kTypes = 0x470;
    constexpr int kReadOnly = 0x410;
    DialogView view;
    HWND types = ::GetDlgItem(dialog, kTypes);
    for (LRESULT i = 0, count = ::SendMessageW(types, CB_GETCOUNT, 0, 0); i < count; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(types, CB_GETLBTEXTLEN, i, 0)), L'\0');
        ::SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        view.types.push_back(text);
    }
    view.selected = ::SendMessageW(types, CB_GETCURSEL, 0, 0);
    view.readOnlyBox = ::IsWindowVisible(::GetDlgItem(dialog, kReadOnly)) != FALSE;
    return view;
}

// Reserves all the address space there is but a margin, so that any allocation larger
// than the margin fails, as in a process that has run short. Released when it goes.
class AddressSpaceSqueeze {
public:
    explicit AddressSpaceSqueeze(size_t margin) {
        void* kept = ::VirtualAlloc(nullptr, margin, MEM_RESERVE, PAGE_NOACCESS);
        for (size_t size = size_t{1} << 30; size >= 0x10000; size /= 2) {
            while (void* reserved = ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
                m_reserved.push_back(reserved);
        }
        ::VirtualFree(kept, 0, MEM_RELEASE);
    }
    ~AddressSpaceSqueeze() {
        for (void* reserved : m_reserved)
            ::VirtualFree(reserved, 0, MEM_RELEASE);
    }

private:
    std::vector<void*> m_reserved;
};

class Flows : public ::testing::Test {
protected:
    ~Flows() override {
        for (const std::wstring& file : m_files)
            ::DeleteFileW(file.c_str());
    }
    // A fresh path that ends in `name` (its extension kept), deleted with the test.
    std::wstring File(const std::wstring& name) {
        m_files.push_back(TempPath(L"flows", L"_" + name));
        return m_files.back();
    }
    std::wstring File(const std::wstring& name, const std::string& content) {
        std::wstring path = File(name);
        EXPECT_TRUE(WriteFileBytes(path, content));
        return path;
    }
    // Hands the movie a request of its own script, which sets up the next dialog's answer.
    void Tell(const wchar_t* name, const std::wstring& path) {
        m_harness.frame().CallFlash(Invoke(name, L"<string>" + path + L"</string>").c_str());
    }

    FrameHarness m_harness;
    std::vector<std::wstring> m_files;
};

} // namespace

// A binary file loaded and saved under another name, whose extended form exists: the
// shell asks, and the answer decides between the file's exact bytes and the old file.
TEST_F(Flows, ABinaryFileSavedUnderAnotherNameIsByteIdenticalOnceTheOverwriteIsAllowed) {
    std::mt19937 random(42);
    std::string bytes(300'001, '\0');
    for (size_t i = 1; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(random());
    std::wstring source = File(L"source.bin", bytes);
    std::wstring chosen = File(L"copy");
    const std::wstring saved = chosen + L".wzs";
    m_files.push_back(saved);
    for (const int allowed : {IDNO, IDYES}) {
        ASSERT_TRUE(WriteFileBytes(saved, "old"));
        FrameHarness harness;
        {
            DialogAnswer answer(L"另存为", allowed);
            ASSERT_TRUE(harness.Start(FrameSkin(), RoundTripMovie(source, chosen)));
            ASSERT_TRUE(harness.WaitFor("note saved"));
            EXPECT_NE(answer.Text().find(saved.substr(saved.rfind(L'\\') + 1)), std::wstring::npos);
        }
        EXPECT_EQ(harness.Count("note loaded " + WideToUtf8(source)), 1);
        const std::string savedAs =
            allowed == IDYES ? WideToUtf8(saved) : ""; // the extension appended
        EXPECT_EQ(harness.Count("in <invoke name=\"OnSaveFile\" returntype=\"xml\"><arguments>"
                                "<string>" +
                                savedAs + "</string>"),
                  1);
        EXPECT_TRUE(ReadFileBytes(saved) == (allowed == IDYES ? bytes : "old"));
    }
}

// The dialogs the shell opens offer the settings' filter with its first pair chosen;
// only the save dialog hides the read-only box, and it leaves the current folder as it was.
TEST_F(Flows, EachDialogIsSetUpForItsFlow) {
    std::wstring target = File(L"dialog.wzs");
    ASSERT_TRUE(
        m_harness.Start(FrameSkin(), QuietMovie(),
                        "<FileFilter>Game files\\0*.wzs\\0All files\\0*.*\\0</FileFilter>"));
    DialogView open;
    DialogView save;
    {
        DialogAnswer answer([&](HWND dialog) {
            open = Read(dialog);
            DialogAnswer::Press(dialog, IDCANCEL);
        });
        m_harness.frame().FlashCall(Invoke(L"LoadFile").c_str());
        ASSERT_TRUE(m_harness.WaitFor("in <invoke name=\"OnLoadFile\""));
    }
    wchar_t before[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    ::SetCurrentDirectoryW(m_harness.skin().Path().c_str()); // not the target's folder
    {
        DialogAnswer answer([&](HWND dialog) {
            save = Read(dialog);
            DialogAnswer::Choose(dialog, target);
        });
        m_harness.frame().FlashCall(Invoke(L"SaveFile", L"<string>QUJD</string>").c_str());
        ASSERT_TRUE(m_harness.WaitFor("in <invoke name=\"OnSaveFile\""));
    }
    for (const DialogView& view : {open, save}) {
        EXPECT_EQ(view.types, (std::vector<std::wstring>{L"Game files", L"All files"}));
        EXPECT_EQ(view.selected, 0);
    }
    EXPECT_TRUE(open.readOnlyBox);
    EXPECT_FALSE(save.readOnlyBox);
    EXPECT_EQ(ReadFileBytes(target), "ABC");
    wchar_t after[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, after);
    ::SetCurrentDirectoryW(before);
    EXPECT_EQ(std::wstring(after) + L"\\", m_harness.skin().Path());
}

// Two loads give one dialog, and two saves one: the second text replaces the first, and
// the save, asked, replaces the old file whole.
TEST_F(Flows, RequestsBeforeTheTimerGiveOneDialogForTheLastOfThem) {
    std::wstring target = File(L"twice.wzs", "an old and longer content");
    ASSERT_TRUE(m_harness.Start(FrameSkin(),
                                QuietMovie("filedialog cancel\n" + std::string(kFileHandlers))));
    EXPECT_EQ(m_harness.frame().FlashCall(Invoke(L"LoadFile").c_str()), S_OK);
    EXPECT_EQ(m_harness.frame().FlashCall(Invoke(L"LoadFile").c_str()), S_OK);
    EXPECT_EQ(m_harness.Count("dialog"), 0) << "the dialog waits for the timer";
    ASSERT_TRUE(m_harness.WaitFor(
        "in <invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string></string>"
        "<string></string></arguments></invoke>"));
    Tell(L"Save", target);
    for (const wchar_t* text : {L"<string>QUJD</string>", L"<string>WFla</string>"})
        m_harness.frame().FlashCall(Invoke(L"SaveFile", text).c_str());
    ASSERT_TRUE(m_harness.WaitFor("in <invoke name=\"OnSaveFile\""));
    ASSERT_TRUE(PumpUntilSettled());
    for (const char* once : {"in <invoke name=\"OnLoadFile\"", "in <invoke name=\"OnSaveFile\"",
                             "dialog cancel", "dialog choose", "dialog overwrite yes"})
        EXPECT_EQ(m_harness.Count(once), 1) << once;
    EXPECT_EQ(ReadFileBytes(target), "XYZ");
}

TEST_F(Flows, ALockedOrEmptyFileLoadsAsAnEmptyText) {
    std::wstring locked = File(L"locked.bin", "secret");
    std::wstring empty = File(L"empty.bin", "");
    gs::UniqueFile held(
        ::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    ASSERT_TRUE(m_harness.Start(FrameSkin(), QuietMovie(kFileHandlers)));
    for (const std::wstring& file : {locked, empty}) {
        Tell(L"Load", file);
        EXPECT_TRUE(m_harness.WaitFor(
            "in <invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string>" +
            WideToUtf8(file) + "</string><string></string></arguments></invoke>"));
    }
}

// The largest file and the longest text, first with too little memory left for them, then
// with the memory back. A small round first brings in what the dialogs need.
TEST_F(Flows, AFlowWithoutMemoryForItsTextFailsCleanly) {
    std::wstring source = File(L"largest.bin", std::string(29'999'999, 'u'));
    std::wstring target = File(L"longest.wzs", "old");
    std::wstring small = File(L"small.bin", "u");
    ASSERT_TRUE(m_harness.Start(FrameSkin(), QuietMovie(kFileHandlers)));
    const std::wstring longest =
        Invoke(L"SaveFile", L"<string>" + Repeated(L"dXV1", 7'500'000) + L"</string>");
    int rounds = 0;
    const auto loadAndSave = [&](const std::wstring& file, const std::wstring& request) {
        Tell(L"Load", file);
        EXPECT_TRUE(m_harness.WaitFor("in <invoke name=\"OnLoadFile\"", ++rounds));
        Tell(L"Save", target);
        EXPECT_EQ(m_harness.frame().FlashCall(request.c_str()), S_OK);
        EXPECT_TRUE(m_harness.WaitFor(
            "in <invoke name=\"OnSaveFile\" returntype=\"xml\"><arguments><string>" +
                WideToUtf8(target) + "</string>",
            rounds));
    };
    loadAndSave(small, Invoke(L"SaveFile", L"<string>b2xk</string>"));
    const std::string head =
        "in <invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string>" +
        WideToUtf8(source) + "</string><string>";
    const std::string tail = "</string></arguments></invoke>";
    {
        AddressSpaceSqueeze squeeze(56 << 20);
        loadAndSave(source, longest);
    }
    EXPECT_GE(FindLine(m_harness.Transcript(), head + tail), 0);
    EXPECT_TRUE(ReadFileBytes(target) == "old");
    loadAndSave(source, longest);
    std::vector<std::string> lines = m_harness.Transcript();
    int loaded = FindLine(lines, head + "dXV1");
    ASSERT_GE(loaded, 0);
    EXPECT_TRUE(lines[loaded] == head + Repeated("dXV1", 9'999'999) + "dXU=" + tail);
    EXPECT_TRUE(ReadFileBytes(target) == std::string(22'500'000, 'u'));
}

// A load and a save asked for while the open dialog is up wait for it: one dialog at a
// time, each request answered in the order it came, with its own file.
TEST_F(Flows, RequestsDuringTheOpenDialogQueueInOrder) {
    const std::string first = WideToUtf8(File(L"first.wzs", "ABC"));
    const std::wstring second = File(L"second.wzs", "old");
    const std::string start = "invoke LoadFile\nwait dialog\ninvoke LoadFile\n"
                              "invoke SaveFile \"WFla\"\nfiledialog choose " +
                              first;
    const std::string onLoad = "filedialog choose " + WideToUtf8(second) + "\noverwrite yes";
    DialogWatch dialogs;
    ASSERT_TRUE(m_harness.Start(FrameSkin(), ReplyingMovie(start, onLoad)));
    ASSERT_TRUE(m_harness.WaitFor("note saved"));
    EXPECT_EQ(dialogs.Most(), 1);
    EXPECT_EQ(Notes(m_harness.Transcript()),
              (std::vector<std::string>{"note loaded " + first + " QUJD",
                                        "note loaded " + WideToUtf8(second) + " b2xk",
                                        "note saved " + WideToUtf8(second)}));
    EXPECT_EQ(ReadFileBytes(second), "XYZ");
}

// A "SaveFile" while the save dialog is up is a save of its own: the first save writes
// the text it was asked for, the second its own.
TEST_F(Flows, ASaveAskedForDuringTheSaveDialogWritesItsOwnText) {
    const std::wstring first = File(L"one.wzs");
    const std::wstring second = File(L"two.wzs");
    const std::string start = "invoke SaveFile \"QUJD\"\nwait dialog\ninvoke SaveFile \"WFla\"\n"
                              "filedialog choose " +
                              WideToUtf8(first);
    DialogWatch dialogs;
    ASSERT_TRUE(m_harness.Start(
        FrameSkin(), ReplyingMovie(start, "", "filedialog choose " + WideToUtf8(second))));
    ASSERT_TRUE(m_harness.WaitFor("note saved", 2));
    EXPECT_EQ(dialogs.Most(), 1);
    EXPECT_EQ(ReadFileBytes(first), "ABC");
    EXPECT_EQ(ReadFileBytes(second), "XYZ");
}

// The test player answers the boxes a movie can meet: the open dialog's own box for a
// file that does not exist, and the shell's prompt to replace the extended name.
TEST_F(Flows, TheTestPlayerAnswersEveryBoxAMovieMeets) {
    const std::wstring chosen = File(L"kept");
    const std::wstring extended = chosen + L".wzs";
    m_files.push_back(extended);
    ASSERT_TRUE(WriteFileBytes(extended, "old"));
    const std::string start = "filedialog choose " + WideToUtf8(File(L"missing.wzs")) +
                              "\nprompt ok\nfiledialog cancel\ninvoke LoadFile";
    const std::string onLoad =
        "filedialog choose " + WideToUtf8(chosen) + "\noverwrite no\ninvoke SaveFile \"QUJD\"";
    ASSERT_TRUE(m_harness.Start(FrameSkin(), ReplyingMovie(start, onLoad)));
    ASSERT_TRUE(m_harness.WaitFor("note saved"));
    EXPECT_EQ(Notes(m_harness.Transcript()),
              (std::vector<std::string>{"note loaded  ", "note saved "}));
    for (const char* answer : {"dialog prompt ok", "dialog cancel", "dialog overwrite no"})
        EXPECT_EQ(m_harness.Count(answer), 1) << answer;
    EXPECT_EQ(ReadFileBytes(extended), "old");
}
