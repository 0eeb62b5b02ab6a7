#include "platform/ui/PaintManagerUI.h"
#include "shell/ShellFrameWnd.h"
#include "tests/platform/ui/SkinFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using DuiLib::CPaintManagerUI;

namespace {

// The frame reads its settings while it is constructed; no window is needed.
std::unique_ptr<CShellFrameWnd> FrameWithSettings(SkinFolder& folder, const std::string& settings) {
    folder.Write(L"Settings.xml", settings);
    return std::make_unique<CShellFrameWnd>();
}

std::wstring Program() {
    return CPaintManagerUI::GetInstancePath().GetData();
}

std::wstring FilterList(const CShellFrameWnd& frame) {
    const wchar_t* units = frame.GetFileFilter();
    size_t end = 0;
    while (end + 1 < gs::kFileFilterUnits && !(units[end] == 0 && units[end + 1] == 0))
        ++end;
    return std::wstring(units, end);
}

} // namespace

TEST(Settings, AMissingFileGivesEveryDefault) {
    SkinFolder folder;
    CShellFrameWnd frame;
    EXPECT_EQ(std::wstring(frame.GetMoviePath()), Program() + L"flash\\loading.swf");
    EXPECT_EQ(frame.GetFileExt(), L"wzs");
    EXPECT_EQ(std::wstring(frame.GetFileFilter(), gs::kFileFilterUnits),
              std::wstring(gs::kFileFilterUnits, L'\0'));
    EXPECT_STREQ(frame.GetTaskBarName(), L"");
}

TEST(Settings, EveryValuePresent) {
    SkinFolder folder;
    auto frame = FrameWithSettings(
        folder, "<?xml version=\"1.0\"?><Root><loadingFlash>D:\\movies\\game.swf</loadingFlash>"
                "<FileExtention>SAV</FileExtention><FileFilter>Saves\\0*.sav\\0</FileFilter>"
                "<TaskBarName>My game</TaskBarName></Root>");
    EXPECT_EQ(frame->GetMoviePath(), L"D:\\movies\\game.swf");
    EXPECT_EQ(frame->GetFileExt(), L"SAV") << "used as written; lower-cased only when appended";
    EXPECT_EQ(FilterList(*frame), std::wstring(L"Saves\0*.sav", 11));
    EXPECT_STREQ(frame->GetTaskBarName(), L"My game");
}

TEST(Settings, EmptyElementsFallBackLikeAbsentOnes) {
    SkinFolder folder;
    auto frame =
        FrameWithSettings(folder, "<S><loadingFlash bLocal=\"true\"></loadingFlash><FileExtention/>"
                                  "<FileFilter></FileFilter><TaskBarName/></S>");
    EXPECT_EQ(std::wstring(frame->GetMoviePath()), Program() + L"flash\\loading.swf")
        << "bLocal is only looked at when there is a path";
    EXPECT_EQ(frame->GetFileExt(), L"wzs");
    EXPECT_EQ(frame->GetFileFilter()[0], L'\0');
    EXPECT_STREQ(frame->GetTaskBarName(), L"");
}

TEST(Settings, ALocalMovieIsJoinedToTheProgramFolderOnlyForExactlyTrue) {
    SkinFolder folder;
    auto local = FrameWithSettings(
        folder, "<S><loadingFlash bLocal=\"true\">flash\\game.swf</loadingFlash></S>");
    EXPECT_EQ(std::wstring(local->GetMoviePath()), Program() + L"flash\\game.swf");
    for (const char* value : {"True", "TRUE", "1", "yes", ""}) {
        auto other = FrameWithSettings(folder, std::string("<S><loadingFlash bLocal=\"") + value +
                                                   "\">flash\\game.swf</loadingFlash></S>");
        EXPECT_EQ(other->GetMoviePath(), L"flash\\game.swf") << value;
    }
}

TEST(Settings, ABrokenFileGivesTheDefaults) {
    SkinFolder folder;
    auto frame = FrameWithSettings(folder, "<S><TaskBarName>half");
    EXPECT_EQ(frame->GetFileExt(), L"wzs");
    EXPECT_STREQ(frame->GetTaskBarName(), L"");
}

TEST(Settings, TextInTheAnsiCodePage) {
    SkinFolder folder;
    auto frame = FrameWithSettings(
        folder, "<S><TaskBarName>\xD3\xCE\xCF\xB7</TaskBarName></S>"); // "游戏" in GBK
    if (::GetACP() == 936)
        EXPECT_STREQ(frame->GetTaskBarName(), L"游戏");
    else
        EXPECT_STREQ(frame->GetTaskBarName(), L"\u00D3\u00CE\u00CF\u00B7");
}
