// The game developers' page shows the requests exactly as the shell sends them: every
// invoke text on it stands in a fenced block marked "xml request" (sent by the shell)
// or "xml command" (sent by a movie), and each is checked here.
#include "flash/RequestReader.h"
#include "launch/EnterGameInfo.h"
#include "platform/ui/PaintManagerUI.h"
#include "tests/support/Requests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct PageBlocks {
    std::vector<std::wstring> requests;
    std::vector<std::wstring> commands;
    int invokesOutsideBlocks = 0;
};

std::wstring FromUtf8(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    int units = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(std::max(units, 0)));
    return wide;
}

PageBlocks ReadPage(const char* path) {
    PageBlocks page;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    std::vector<std::wstring>* block = nullptr;
    std::wstring text;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (block && line == "```") {
            block->push_back(text);
            block = nullptr;
        } else if (block) {
            text += FromUtf8(line);
        } else if (line == "```xml request" || line == "```xml command") {
            block = line == "```xml request" ? &page.requests : &page.commands;
            text.clear();
        } else if (line.find("<invoke") != std::string::npos) {
            ++page.invokesOutsideBlocks;
        }
    }
    return page;
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

TEST(MovieApiPage, ShowsEachRequestAsTheShellSendsItAndCommandsItKnows) {
    PageBlocks page = ReadPage(GS_DOCS "/movie-api.md");
    ASSERT_FALSE(page.requests.empty()) << "the page was not found or has no marked blocks";
    ASSERT_FALSE(page.commands.empty());
    EXPECT_EQ(page.invokesOutsideBlocks, 0) << "an invoke text outside a marked block";
    std::vector<std::wstring> shell = ShellRequests();
    std::ranges::sort(page.requests);
    std::ranges::sort(shell);
    EXPECT_EQ(page.requests, shell);
    for (const std::wstring& text : page.commands) {
        gs::IncomingRequest request = gs::ReadRequest(text.c_str());
        EXPECT_NE(gs::SelectCommand(request.command), gs::Command::None) << text;
        EXPECT_TRUE(request.hasArgument) << text;
    }
}
