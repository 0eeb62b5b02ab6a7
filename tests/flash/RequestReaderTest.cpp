#include "flash/CommandDispatch.h"

#include <gtest/gtest.h>

#include <random>
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

// An argument as the movie writes it, what the shell reads from it, and what it means.
struct Argument {
    const wchar_t* element; // empty: no argument at all
    const wchar_t* text;
    int32_t number;
    bool webAddress;
};

const Argument kArguments[] = {
    {L"", L"", 0, false},
    {L"<string>a&amp;b &lt;c&gt;</string>", L"a&b <c>", 0, false},
    {L"<string>游戏存档</string>", L"游戏存档", 0, false},
    {L"<number>42</number>", L"42", 42, false},
    {L"<number>-7</number>", L"-7", -7, false},
    {L"<string>https://example.com/a?b=1&amp;c=2</string>", L"https://example.com/a?b=1&c=2", 0,
     true},
    {L"<string>C:\\windows\\notepad.exe</string>", L"C:\\windows\\notepad.exe", 0, false},
    {L"<string>http://x\" --flag \"y</string>", L"http://x\" --flag \"y", 0, false},
};

const wchar_t* const kNames[] = {L"ReqEnterGame",   L"ExitGame",    L"LoadFile", L"SaveFile",
                                 L"GameMasterRoom", L"FlashWindow", L"OpenUrl"};

Log Expected(const std::wstring& name, const Argument& argument) {
    const bool has = *argument.element != L'\0';
    if (name == L"ReqEnterGame")
        return {L"ack"};
    if (name == L"ExitGame")
        return {L"exit"};
    if (name == L"LoadFile")
        return {L"load"};
    if (name == L"SaveFile" && has)
        return {L"store:" + std::wstring(argument.text), L"save"};
    if (name == L"SaveFile")
        return {L"store:"};
    if (name == L"GameMasterRoom")
        return {L"room:" + std::to_wstring(argument.number)};
    if (name == L"FlashWindow")
        return {L"flash"};
    if (name == L"OpenUrl" && argument.webAddress)
        return {L"url:" + std::wstring(argument.text)};
    return {};
}

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

// Generated requests, each checked against the actions its parts call for (a name in any
// letter case, an argument of each kind or none, attributes in either order). Seeded; the
// depth of malformed input is the request fuzz target's.
TEST(Dispatch, EveryGeneratedRequestGetsExactlyTheActionsItsPartsCallFor) {
    std::mt19937 random(20261207);
    auto pick = [&random](size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(random);
    };
    for (int i = 0; i < 20'000; ++i) {
        std::wstring name = kNames[pick(std::size(kNames))];
        if (pick(4) == 0) // the name in another letter case is no command
            name[pick(name.size())] ^= 0x20;
        const Argument& argument = kArguments[pick(std::size(kArguments))];
        const bool typeFirst = pick(2) == 0;
        const std::wstring text =
            std::wstring(L"<invoke ") + (typeFirst ? L"returntype=\"xml\" " : L"") + L"name=\"" +
            name + L"\"" + (typeFirst ? L"" : L" returntype=\"xml\"") + L"><arguments>" +
            argument.element + (*argument.element && pick(3) == 0 ? L"<string>2nd</string>" : L"") +
            L"</arguments></invoke>";
        ASSERT_EQ(Dispatched(text.c_str()), Expected(name, argument))
            << testing::PrintToString(text);
    }
}
