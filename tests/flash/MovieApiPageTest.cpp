// The game developers' page shows the requests exactly as the shell sends them: every
// invoke text on it stands alone on the line after a fence marked "xml request" (sent by
// the shell) or "xml command" (sent by a movie), and each is checked here.
#include "flash/RequestReader.h"
#include "launch/EnterGameInfo.h"
#include "platform/ui/Markup.h"
#include "platform/ui/MarkupDecode.h"
#include "platform/ui/PaintManagerUI.h"
#include "tests/support/FileBytes.h"
#include "tests/support/Requests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> PageLines() {
    const std::string bytes = gs::test::ReadFileBytes(GS_DOCS L"/movie-api.md");
    std::wstring text;
    DuiLib::DecodeMarkupBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                              DuiLib::CMarkup::XMLFILE_ENCODING_UTF8, nullptr, text);
    std::vector<std::wstring> lines;
    std::wistringstream page(text);
    for (std::wstring line; std::getline(page, line);)
        lines.push_back(line.ends_with(L'\r') ? line.substr(0, line.size() - 1) : line);
    return lines;
}

// The requests the page shows, made by the shell's own builders from the page's inputs.
std::vector<std::wstring> ShellRequests() {
    EnterGameInfo info(0, nullptr);
    wchar_t size[EnterGameInfo::kRequestBufferUnits] = {};
    wchar_t close[EnterGameInfo::kRequestBufferUnits] = {};
    wchar_t rightButton[EnterGameInfo::kRequestBufferUnits] = {};
    info.BuildOnSize(1000, 625, size);
    info.BuildOnClose(close);
    info.BuildOnRButtonDown(12, 34, rightButton);
    std::vector<std::wstring> requests = {size, close, rightButton};

    info.Number1 = 0;
    std::wcscpy(info.Username, L"Player1");
    std::wcscpy(info.RoomText, L"100123");
    info.Flag = 1;
    std::wcscpy(info.Ticket, L"T-1");
    std::wstring ack = info.BuildAckEnterGame().GetData();
    const std::wstring folder = DuiLib::CPaintManagerUI::GetInstancePath().GetData();
    ack.replace(ack.find(folder), folder.size(), L"C:\\Games\\GameShell\\");
    requests.push_back(ack);

    const std::wstring documents = L"C:\\Users\\Player1\\Documents\\";
    const std::wstring game = documents + L"game1.wzs";
    requests.push_back(gs::test::LoadReply(info, game.c_str(), L"SGVsbG8sIHdvcmxkIQ=="));
    requests.push_back(gs::test::LoadReply(info, L"", L""));
    requests.push_back(gs::test::LoadReply(info, (documents + L"big.wzs").c_str(), L""));
    requests.push_back(info.BuildOnSaveFile(game.c_str()).GetData());
    requests.push_back(info.BuildOnSaveFile((documents + L"R&D\\game1.wzs").c_str()).GetData());
    requests.push_back(info.BuildOnSaveFile(L"").GetData());
    return requests;
}

} // namespace

TEST(MovieApiPage, EveryInvokeOnThePageIsOneTheShellSendsOrKnows) {
    const std::vector<std::wstring> lines = PageLines();
    std::vector<std::wstring> requests;
    std::vector<std::wstring> commands;
    size_t invokes = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        invokes += lines[i].find(L"<invoke") != std::wstring::npos;
        if (lines[i - 1] == L"```xml request")
            requests.push_back(lines[i]);
        else if (lines[i - 1] == L"```xml command")
            commands.push_back(lines[i]);
    }
    ASSERT_FALSE(commands.empty()) << "the page was not found or has no marked blocks";
    EXPECT_EQ(invokes, requests.size() + commands.size()) << "an invoke text outside a block";
    std::vector<std::wstring> shell = ShellRequests();
    std::ranges::sort(requests);
    std::ranges::sort(shell);
    EXPECT_EQ(requests, shell);
    for (const std::wstring& text : commands) {
        gs::IncomingRequest request = gs::ReadRequest(text);
        EXPECT_NE(gs::SelectCommand(request.command), gs::Command::None) << text;
        EXPECT_TRUE(request.hasArgument) << text;
    }
}
