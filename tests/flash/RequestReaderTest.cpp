#include "flash/CommandDispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gs::Command;
using gs::ReadRequest;
using gs::SelectCommand;

namespace {

// Records what the commands would do, without doing it.
struct RecordedActions {
    std::vector<std::wstring> log;
    void AnswerEnterGame() { log.push_back(L"ack"); }
    void ExitGame() { log.push_back(L"exit"); }
    void StartLoadTimer() { log.push_back(L"load"); }
    void StoreSaveData(const DuiLib::CDuiString& text) {
        log.push_back(L"store:" + std::wstring(text.GetData()));
    }
    void RefuseSaveData() { log.push_back(L"refused"); }
    void StartSaveTimer() { log.push_back(L"save"); }
    void NotifyGameMasterRoom(int32_t room) { log.push_back(L"room:" + std::to_wstring(room)); }
    void FlashWindow() { log.push_back(L"flash"); }
    void OpenUrl(const wchar_t* address) { log.push_back(L"url:" + std::wstring(address)); }
};

std::vector<std::wstring> Dispatched(const wchar_t* text) {
    RecordedActions actions;
    gs::RunCommand(ReadRequest(text), actions);
    return actions.log;
}

std::wstring Invoke(const std::wstring& name, const std::wstring& arguments) {
    return L"<invoke name=\"" + name + L"\" returntype=\"xml\"><arguments>" + arguments +
           L"</arguments></invoke>";
}

using Log = std::vector<std::wstring>;

} // namespace

TEST(RequestReader, ReadsTheCommandAndTheFirstArgument) {
    gs::IncomingRequest request =
        ReadRequest(Invoke(L"OpenUrl", L"<string>a&amp;b</string><string>x</string>").c_str());
    EXPECT_EQ(request.command, L"OpenUrl");
    EXPECT_TRUE(request.hasArgument);
    EXPECT_EQ(request.argument, L"a&b");
    request = ReadRequest(L"<invoke name=\"LoadFile\" returntype=\"xml\"><arguments/></invoke>");
    EXPECT_EQ(request.command, L"LoadFile");
    EXPECT_FALSE(request.hasArgument);
}

TEST(RequestReader, SelectsCommandsExactlyAndCaseSensitively) {
    EXPECT_EQ(SelectCommand(L"ReqEnterGame"), Command::ReqEnterGame);
    EXPECT_EQ(SelectCommand(L"OpenUrl"), Command::OpenUrl);
    EXPECT_EQ(SelectCommand(L"exitgame"), Command::None);
    EXPECT_EQ(SelectCommand(L"EXITGAME"), Command::None);
    EXPECT_EQ(SelectCommand(L"ExitGame "), Command::None);
    EXPECT_EQ(SelectCommand(L""), Command::None);
}

TEST(Dispatch, EachCommandDoesItsOneThing) {
    EXPECT_EQ(Dispatched(Invoke(L"ReqEnterGame", L"").c_str()), Log{L"ack"});
    EXPECT_EQ(Dispatched(Invoke(L"ExitGame", L"").c_str()), Log{L"exit"});
    EXPECT_EQ(Dispatched(Invoke(L"LoadFile", L"").c_str()), Log{L"load"});
    EXPECT_EQ(Dispatched(Invoke(L"FlashWindow", L"").c_str()), Log{L"flash"});
    EXPECT_EQ(Dispatched(Invoke(L"SaveFile", L"<string>QUJD</string>").c_str()),
              (Log{L"store:QUJD", L"save"}));
    EXPECT_EQ(Dispatched(Invoke(L"SaveFile", L"<string></string>").c_str()),
              (Log{L"store:", L"save"}));
    EXPECT_EQ(Dispatched(Invoke(L"SaveFile", L"").c_str()), Log{L"store:"})
        << "no argument: no timer";
}

TEST(Dispatch, GameMasterRoomReadsADecimalNumber) {
    EXPECT_EQ(Dispatched(Invoke(L"GameMasterRoom", L"<number>42</number>").c_str()),
              Log{L"room:42"});
    EXPECT_EQ(Dispatched(Invoke(L"GameMasterRoom", L"<string> 42abc</string>").c_str()),
              Log{L"room:42"});
    EXPECT_EQ(Dispatched(Invoke(L"GameMasterRoom", L"<string>abc</string>").c_str()),
              Log{L"room:0"});
    EXPECT_EQ(Dispatched(Invoke(L"GameMasterRoom", L"<number>-5</number>").c_str()),
              Log{L"room:-5"});
    EXPECT_EQ(Dispatched(Invoke(L"GameMasterRoom", L"<number>99999999999</number>").c_str()),
              Log{L"room:2147483647"});
    EXPECT_EQ(Dispatched(Invoke(L"GameMasterRoom", L"").c_str()), Log{L"room:0"});
}

TEST(Dispatch, OpenUrlOpensOnlyWebAddresses) {
    EXPECT_EQ(
        Dispatched(
            Invoke(L"OpenUrl", L"<string>https://example.com/a?b=1&amp;c=2</string>").c_str()),
        Log{L"url:https://example.com/a?b=1&c=2"});
    for (const wchar_t* accepted :
         {L"HTTP://EXAMPLE.COM", L"http://user@host:8080/p%2Fq?x=[1];y='(2)'*+,=!$~#top",
          L"https://[::1]/"})
        EXPECT_EQ(
            Dispatched(
                Invoke(L"OpenUrl", L"<string>" + std::wstring(accepted) + L"</string>").c_str()),
            Log{L"url:" + std::wstring(accepted)});
    // Anything that could end the quoted argument of a browser's command line, or is
    // no address with a host, opens nothing.
    const wchar_t* const refusedTexts[] = {L"C:\\Windows\\System32\\calc.exe",
                                           L"file:///C:/x",
                                           L"javascript:alert(1)",
                                           L"https://a\nb",
                                           L"http:/x",
                                           L" https://leading.space",
                                           L"",
                                           L"http://x&quot; --some-flag &quot;y",
                                           L"http://x y",
                                           L"http://x/&lt;a",
                                           L"http://x/&gt;a",
                                           L"http://x/|a",
                                           L"http://x/^a",
                                           L"http://x/`a",
                                           L"http://x/{a}",
                                           L"http://x/\\a",
                                           L"http://x/%2",
                                           L"http://x/%zz",
                                           L"http://x/\u00e9",
                                           L"http://",
                                           L"https:///path",
                                           L"http://user@/p",
                                           L"http://:80/"};
    for (const wchar_t* refused : refusedTexts)
        EXPECT_EQ(
            Dispatched(
                Invoke(L"OpenUrl", L"<string>" + std::wstring(refused) + L"</string>").c_str()),
            Log{})
            << refused;
    EXPECT_EQ(Dispatched(Invoke(L"OpenUrl", L"").c_str()), Log{});
}

TEST(Dispatch, MalformedRequestsSelectNothing) {
    for (const wchar_t* text : {L"", L"<invoke", L"<invoke name=\"ExitGame\"", L"garbage",
                                L"<invoke returntype=\"xml\"><arguments/></invoke>",
                                L"<invoke name=\"ExitGame\"><arguments></invoke>", L"<exitgame/>"})
        EXPECT_EQ(Dispatched(text), Log{}) << text;
    EXPECT_EQ(Dispatched(nullptr), Log{});
    EXPECT_EQ(Dispatched(L"<x name=\"ExitGame\"/>"), Log{L"exit"})
        << "only the name attribute matters";
}
