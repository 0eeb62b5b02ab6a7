// The player answering the real common file dialogs of its process, as the shell opens
// them after a movie's "LoadFile" or "SaveFile": from the UI thread, modally.
#include "HostHarness.h"

#include <commdlg.h>

using namespace hosttest;

namespace {

class HostDialogTest : public HostTest {
protected:
    // Opens the dialog the way the shell does once the movie's request has come in.
    BOOL RunDialog(bool save, DWORD flags = 0) {
        ::ZeroMemory(chosen, sizeof(chosen));
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = window->GetHWND();
        dialog.lpstrFilter = L"Game files\0*.dat\0All files\0*.*\0";
        dialog.lpstrFile = chosen;
        dialog.nMaxFile = MAX_PATH;
        dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | flags;
        return save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    }

    void Request(const char* script) {
        Open(FlashSkin, script);
        ASSERT_TRUE(PumpUntil([this] { return !window->requests.empty(); }));
    }

    std::wstring Existing() {
        std::wstring path = folder + L"game.dat";
        WriteFile(path, "saved game");
        files.push_back(path);
        return path;
    }

    void TearDown() override {
        for (const std::wstring& file : files)
            ::DeleteFileW(file.c_str());
        HostTest::TearDown();
    }

    wchar_t chosen[MAX_PATH]{};
    std::vector<std::wstring> files;
};

TEST_F(HostDialogTest, ChoosesTheNamedFileInTheOpenDialog) {
    std::wstring path = Existing();
    std::string script = "filedialog choose " + Utf8(path) + "\ninvoke LoadFile\n";
    Request(script.c_str());
    ASSERT_TRUE(RunDialog(false, OFN_FILEMUSTEXIST));
    EXPECT_EQ(std::wstring(chosen), path);
    EXPECT_NE(FindLine(Lines(), "dialog choose " + Utf8(path)), -1);
}

TEST_F(HostDialogTest, CancelsTheOpenDialog) {
    Request("filedialog cancel\ninvoke LoadFile\n");
    EXPECT_FALSE(RunDialog(false));
    EXPECT_EQ(::CommDlgExtendedError(), 0u) << "cancelled, not failed";
    EXPECT_NE(FindLine(Lines(), "dialog cancel"), -1);
}

TEST_F(HostDialogTest, AnswersTheOverwritePromptOfTheSaveDialog) {
    std::wstring path = Existing();
    std::string script =
        "filedialog choose " + Utf8(path) + "\noverwrite yes\ninvoke SaveFile \"data\"\n";
    Request(script.c_str());
    ASSERT_TRUE(RunDialog(true, OFN_OVERWRITEPROMPT));
    EXPECT_EQ(std::wstring(chosen), path);
    auto lines = Lines();
    int chose = FindLine(lines, "dialog choose");
    EXPECT_NE(FindLine(lines, "dialog overwrite yes", chose), -1);
}

TEST_F(HostDialogTest, AnOverwriteAnswerLapsesWhenThereIsNoPrompt) {
    std::wstring path = folder + L"new.dat";
    std::string script =
        "filedialog choose " + Utf8(path) + "\noverwrite yes\ninvoke SaveFile \"data\"\n";
    Request(script.c_str());
    ASSERT_TRUE(RunDialog(true, OFN_OVERWRITEPROMPT));
    EXPECT_EQ(std::wstring(chosen), path);
    ASSERT_TRUE(WaitForLine("dialog no overwrite prompt"));
    EXPECT_EQ(FindLine(Lines(), "dialog overwrite"), -1);
}

} // namespace
