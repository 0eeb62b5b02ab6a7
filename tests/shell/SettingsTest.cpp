#include "platform/ui/PaintManagerUI.h"
#include "shell/ShellFrameWnd.h"
#include "tests/platform/ui/SkinFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring FilterList(const CShellFrameWnd& frame) {
    const std::wstring_view units(frame.GetFileFilter(), gs::kFileFilterUnits);
    return std::wstring(units.substr(0, units.find(std::wstring_view(L"\0\0", 2))));
}

} // namespace

// The frame reads its settings while it is constructed; no window is needed. Missing,
// empty and broken values give the defaults; a relative movie path joins the program's
// folder only for bLocal exactly "true".
TEST(Settings, EachValueOrItsDefault) {
    const std::wstring program = DuiLib::CPaintManagerUI::GetInstancePath().GetData();
    const std::wstring loading = program + L"flash\\loading.swf";
    const struct {
        const char* file; // none when null
        std::wstring movie, ext, filter, title;
    } cases[] = {
        {nullptr, loading, L"wzs", L"", L""},
        {"<?xml version=\"1.0\"?><Root><loadingFlash>D:\\movies\\game.swf</loadingFlash>"
         "<FileExtention>SAV</FileExtention><FileFilter>Saves\\0*.sav\\0</FileFilter>"
         "<TaskBarName>My game</TaskBarName></Root>",
         L"D:\\movies\\game.swf", L"SAV", std::wstring(L"Saves\0*.sav", 11), L"My game"},
        {"<S><loadingFlash bLocal=\"true\"></loadingFlash><FileExtention/>"
         "<FileFilter></FileFilter><TaskBarName/></S>",
         loading, L"wzs", L"", L""},
        {"<S><TaskBarName>half", loading, L"wzs", L"", L""},
        {"<S><loadingFlash bLocal=\"true\">flash\\game.swf</loadingFlash></S>",
         program + L"flash\\game.swf", L"wzs", L"", L""},
        {"<S><loadingFlash bLocal=\"True\">flash\\game.swf</loadingFlash></S>", L"flash\\game.swf",
         L"wzs", L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        SkinFolder folder;
        if (c.file)
            folder.Write(L"Settings.xml", c.file);
        CShellFrameWnd frame;
        EXPECT_EQ(std::wstring(frame.GetMoviePath()), c.movie);
        EXPECT_EQ(std::wstring(frame.GetFileExt()), c.ext);
        EXPECT_EQ(FilterList(frame), c.filter);
        EXPECT_EQ(std::wstring(frame.GetTaskBarName()), c.title);
    }
}

// The file's mark or declaration says how its bytes are read, whatever the code page;
// without either, or with a name the reader does not know, or with bytes that are not
// what it declares, the file is in the ANSI code page.
TEST(Settings, TheTitleIsReadInTheEncodingTheFileDeclares) {
    const std::string gbk = "\xD3\xCE\xCF\xB7", utf8 = "\xE6\xB8\xB8\xE6\x88\x8F"; // 游戏
    const std::wstring inAnsi = ::GetACP() == 936 ? L"游戏" : L"\u00D3\u00CE\u00CF\u00B7";
    const struct {
        std::string declaration, title;
        std::wstring expected;
    } cases[] = {
        {"", gbk, inAnsi},
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", utf8, L"游戏"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"gbk\"?>", utf8, L"游戏"},
        {"<?xml version='1.0' encoding = 'GBK'?>", gbk, L"游戏"},
        {"<?xml version=\"1.0\" encoding=\"gb2312\" standalone=\"yes\"?>", gbk, L"游戏"},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>", "caf\xE9", L"caf\u00E9"},
        {"<?xml version=\"1.0\" encoding=\"klingon\"?>", gbk, inAnsi},
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", gbk, inAnsi},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.declaration);
        SkinFolder folder;
        const std::string title = "<S><TaskBarName>" + c.title + "</TaskBarName></S>";
        folder.Write(L"Settings.xml", c.declaration + title);
        CShellFrameWnd frame;
        EXPECT_EQ(std::wstring(frame.GetTaskBarName()), c.expected);
    }
}
