// The load and save flows as the movie drives them: its requests, the real common
// dialogs answered by the test player, real files, and the replies in its transcript.
#include "tests/support/FrameHarness.h"
#include "tests/support/MessageBoxAnswer.h"

#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using gs::test::FrameHarness;
using gs::test::FrameSkin;
using playertest::TempPath;
using playertest::Utf8;

namespace {

std::string Binary(size_t count) {
    std::mt19937 random(42);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    bytes[0] = '\0';
    return bytes;
}

// Loads `source` through the open dialog, then saves the content through the save
// dialog under `target`, answering the dialog's overwrite prompt with `overwrite`.
std::string RoundTripMovie(const std::wstring& source, const std::wstring& target,
                           const char* overwrite = "yes") {
    return "on OnSize\nend\n"
           "filedialog choose " +
           Utf8(source) +
           "\n"
           "invoke LoadFile\n"
           "on OnLoadFile\n  note loaded $1\n  filedialog choose " +
           Utf8(target) +
           "\n"
           "  overwrite " +
           overwrite +
           "\n  invoke SaveFile \"$2\"\nend\n"
           "on OnSaveFile\n  note saved $1\nend\n";
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

std::string Repeated(const std::string& piece, size_t count) {
    std::string text;
    text.reserve(piece.size() * count);
    while (count-- > 0)
        text += piece;
    return text;
}

class Flows : public ::testing::Test {
protected:
    ~Flows() override {
        for (const std::wstring& file : m_files)
            ::DeleteFileW(file.c_str());
    }
    std::wstring File(const std::wstring& name) {
        m_files.push_back(TempPath(name));
        ::DeleteFileW(m_files.back().c_str());
        return m_files.back();
    }
    // Loads the file through the open dialog; true when the movie's reply carries its path
    // and an empty text.
    bool LoadsAsPathWithoutContent(const std::wstring& source) {
        std::string movie = "on OnSize\nend\non OnLoadFile\nend\nfiledialog choose " +
                            Utf8(source) + "\ninvoke LoadFile\n";
        return m_harness.Start(FrameSkin(), movie) &&
               m_harness.WaitFor(
                   "in <invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string>" +
                   Utf8(source) + "</string><string></string></arguments></invoke>");
    }

    FrameHarness m_harness;
    std::vector<std::wstring> m_files;
};

} // namespace

TEST_F(Flows, ABinaryFileLoadedAndSavedUnderAnotherNameIsByteIdentical) {
    std::wstring source = File(L"source.bin");
    std::wstring target = File(L"copy");
    std::wstring saved = File(L"copy.wzs");
    std::string bytes = Binary(300'001);
    playertest::WriteFile(source, bytes);
    ASSERT_TRUE(m_harness.Start(FrameSkin(), RoundTripMovie(source, target)));
    ASSERT_TRUE(m_harness.WaitFor("note saved "));
    EXPECT_EQ(m_harness.Count("note loaded " + Utf8(source)), 1);
    EXPECT_EQ(m_harness.Count("note saved " + Utf8(saved)), 1) << "the extension is appended";
    EXPECT_EQ(gs::test::ReadFileBytes(saved), bytes);
}

TEST_F(Flows, SavingOverAnExistingFileAsksAndReplacesItWhole) {
    std::wstring source = File(L"small.bin");
    std::wstring target = File(L"existing.wzs");
    playertest::WriteFile(source, "new");
    playertest::WriteFile(target, std::string(5000, 'o'));
    ASSERT_TRUE(m_harness.Start(FrameSkin(), RoundTripMovie(source, target)));
    ASSERT_TRUE(m_harness.WaitFor("note saved "));
    EXPECT_EQ(m_harness.Count("dialog overwrite yes"), 1);
    EXPECT_EQ(gs::test::ReadFileBytes(target), "new");
}

TEST_F(Flows, AnExtendedNameThatExistsIsAskedAboutAndDecliningCancels) {
    std::wstring source = File(L"small2.bin");
    std::wstring chosen = File(L"kept");
    std::wstring extended = File(L"kept.wzs");
    playertest::WriteFile(source, "new");
    playertest::WriteFile(extended, "old");
    {
        gs::test::MessageBoxAnswer answer(L"另存为", IDNO);
        ASSERT_TRUE(m_harness.Start(FrameSkin(), RoundTripMovie(source, chosen)));
        ASSERT_TRUE(m_harness.WaitFor("note saved"));
        EXPECT_TRUE(answer.Seen());
        EXPECT_NE(answer.Text().find(L"kept.wzs"), std::wstring::npos);
    }
    EXPECT_EQ(m_harness.Count(
                  "in <invoke name=\"OnSaveFile\" returntype=\"xml\"><arguments><string></string>"),
              1);
    EXPECT_EQ(gs::test::ReadFileBytes(extended), "old");
}

TEST_F(Flows, ALockedFileIsAnsweredWithItsPathAndNoContent) {
    std::wstring source = File(L"locked.bin");
    playertest::WriteFile(source, "secret");
    gs::UniqueFile held(
        ::CreateFileW(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_TRUE(LoadsAsPathWithoutContent(source));
}

TEST_F(Flows, AnEmptyFileIsAnsweredWithAnEmptyText) {
    std::wstring source = File(L"empty.bin");
    playertest::WriteFile(source, "");
    EXPECT_TRUE(LoadsAsPathWithoutContent(source));
}

TEST_F(Flows, TheLoadLimitHoldsThroughTheDialog) {
    std::wstring limit = File(L"limit.bin");
    playertest::WriteFile(limit, std::string(30'000'000, 'l'));
    EXPECT_TRUE(LoadsAsPathWithoutContent(limit)) << "30,000,000 bytes are refused";
}

// The largest file and the longest text, first with too little memory left for them, then
// with the memory back. A small round first brings in what the dialogs need.
TEST_F(Flows, WithoutMemoryForTheTextEveryFlowAnswersAndWritesNothingThenAllSucceed) {
    std::wstring source = File(L"largest.bin");
    std::wstring target = File(L"longest.wzs");
    std::wstring small = File(L"small.bin");
    playertest::WriteFile(source, std::string(29'999'999, 'u'));
    playertest::WriteFile(target, "old");
    playertest::WriteFile(small, "u");
    ASSERT_TRUE(m_harness.Start(FrameSkin(),
                                "on OnSize\nend\non OnLoadFile\nend\non OnSaveFile\nend\n"
                                "on Load\n  filedialog choose $1\n  invoke LoadFile\nend\n"
                                "on Save\n  filedialog choose $1\n  overwrite yes\nend\n"));
    std::wstring longest = L"<invoke name=\"SaveFile\" returntype=\"xml\"><arguments><string>" +
                           std::wstring(30'000'000, L'\0') + L"</string></arguments></invoke>";
    for (size_t at = longest.find(L'\0'), n = 0; n < 30'000'000; ++n)
        longest[at + n] = L"dXV1"[n % 4];
    int rounds = 0;
    const auto loadAndSave = [&](const std::wstring& file, const std::wstring& request) {
        m_harness.frame().CallFlash((L"<invoke name=\"Load\"><arguments><string>" + file +
                                     L"</string></arguments></invoke>")
                                        .c_str());
        EXPECT_TRUE(m_harness.WaitFor("in <invoke name=\"OnLoadFile\"", ++rounds));
        m_harness.frame().CallFlash((L"<invoke name=\"Save\"><arguments><string>" + target +
                                     L"</string></arguments></invoke>")
                                        .c_str());
        EXPECT_EQ(m_harness.frame().FlashCall(request.c_str()), S_OK);
        EXPECT_TRUE(
            m_harness.WaitFor("in <invoke name=\"OnSaveFile\" returntype=\"xml\"><arguments>"
                              "<string>" +
                                  Utf8(target) + "</string>",
                              rounds));
    };
    loadAndSave(small,
                L"<invoke name=\"SaveFile\"><arguments><string>b2xk</string></arguments></invoke>");
    const std::string head =
        "in <invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string>" + Utf8(source) +
        "</string><string>";
    const std::string tail = "</string></arguments></invoke>";
    {
        AddressSpaceSqueeze squeeze(56 << 20);
        loadAndSave(source, longest);
    }
    EXPECT_GE(playertest::FindLine(m_harness.Transcript(), head + tail), 0);
    EXPECT_TRUE(gs::test::ReadFileBytes(target) == "old");
    loadAndSave(source, longest);
    std::vector<std::string> lines = m_harness.Transcript();
    int loaded = playertest::FindLine(lines, head + "dXV1");
    ASSERT_GE(loaded, 0);
    EXPECT_TRUE(lines[loaded] == head + Repeated("dXV1", 9'999'999) + "dXU=" + tail);
    EXPECT_TRUE(gs::test::ReadFileBytes(target) == std::string(22'500'000, 'u'));
}
