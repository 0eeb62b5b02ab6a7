#include "flash/CommandDispatch.h"
#include "tests/support/Requests.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

using gs::test::Invoke;
using Log = std::vector<std::wstring>;

namespace {

// Records what the commands would do, without doing it.
struct RecordedActions {
    Log log;
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

Log Dispatched(const wchar_t* text) {
    RecordedActions actions;
    gs::RunCommand(gs::ReadRequest(text), actions);
    return actions.log;
}

Log Opened(const std::wstring& address) {
    return Dispatched(Invoke(L"OpenUrl", L"<string>" + address + L"</string>").c_str());
}

} // namespace

TEST(Dispatch, OpenUrlOpensOnlyWebAddresses) {
    for (const wchar_t* accepted :
         {L"HTTP://EXAMPLE.COM", L"http://user@host:8080/p%2Fq?x=[1];y='(2)'*+,=!$~#top",
          L"https://[::1]/"})
        EXPECT_EQ(Opened(accepted), Log{L"url:" + std::wstring(accepted)});
    const std::wstring longest = L"https://x/" + std::wstring(2038, L'a');
    EXPECT_EQ(Opened(longest), Log{L"url:" + longest});
    EXPECT_EQ(Opened(longest + L"a"), Log{}) << "longer than the bound";
    const struct {
        const char* why;
        std::vector<std::wstring> addresses;
    } refused[] = {
        {"not a web address",
         {L"C:\\Windows\\calc.exe", L"file:///C:/x", L"javascript:alert(1)", L""}},
        {"no host", {L"http:/x", L"http://", L"https:///path", L"http://user@/p", L"http://:80/"}},
        {"could end the browser's quoted argument",
         {L"http://x&quot; --some-flag &quot;y", L"http://x y", L"https://a\nb", L" https://x"}},
        {"characters a shell or browser may read",
         {L"http://x/&lt;a", L"http://x/&gt;a", L"http://x/|a", L"http://x/^a", L"http://x/`a",
          L"http://x/{a}", L"http://x/\\a"}},
        {"broken escapes or raw non-ASCII", {L"http://x/%2", L"http://x/%zz", L"http://x/\u00e9"}},
    };
    for (const auto& group : refused)
        for (const std::wstring& address : group.addresses)
            EXPECT_EQ(Opened(address), Log{})
                << group.why << ": " << testing::PrintToString(address);
}

// Every command with every kind of argument, its name exact or in another letter case,
// checked against what its parts call for; then requests that name nothing. The depth of
// malformed input is the request fuzz target's.
TEST(Dispatch, EveryCommandWithEveryArgumentGetsExactlyItsActions) {
    const struct {
        const wchar_t* element;
        const wchar_t* text; // null: no argument at all
        bool webAddress;
    } arguments[] = {
        {L"", nullptr, false},
        {L"<string>a&amp;b &lt;c&gt; 游戏</string><string>2nd</string>", L"a&b <c> 游戏", false},
        {L"<string></string>", L"", false},
        {L"<number>-7</number>", L"-7", false},
        {L"<string> 42abc</string>", L" 42abc", false},
        {L"<number>99999999999</number>", L"99999999999", false}, // the room saturates
        {L"<string>https://e.com/a?b=1&amp;c=2</string>", L"https://e.com/a?b=1&c=2", true},
        {L"<string>http://x\" --flag \"y</string>", L"http://x\" --flag \"y", false},
    };
    for (const auto& argument : arguments) {
        const std::wstring text = argument.text ? argument.text : L"";
        const long room = argument.text ? std::wcstol(argument.text, nullptr, 10) : 0;
        const std::pair<std::wstring, Log> commands[] = {
            {L"ReqEnterGame", {L"ack"}},
            {L"ExitGame", {L"exit"}},
            {L"LoadFile", {L"load"}},
            {L"SaveFile", argument.text ? Log{L"store:" + text, L"save"} : Log{L"store:"}},
            {L"GameMasterRoom", {L"room:" + std::to_wstring(room)}},
            {L"FlashWindow", {L"flash"}},
            {L"OpenUrl", argument.webAddress ? Log{L"url:" + text} : Log{}},
        };
        for (const auto& [name, actions] : commands) {
            EXPECT_EQ(Dispatched(Invoke(name, argument.element).c_str()), actions) << name;
            for (size_t letter = 0; letter < name.size(); ++letter) {
                std::wstring renamed = name;
                renamed[letter] ^= 0x20;
                EXPECT_EQ(Dispatched(Invoke(renamed, argument.element).c_str()), Log{}) << renamed;
            }
        }
    }
    EXPECT_EQ(Dispatched(L"<x name=\"ExitGame\"/>"), Log{L"exit"}) << "only the name matters";
    for (const wchar_t* nothing :
         {L"", L"<invoke", L"<invoke name=\"ExitGame\"", L"garbage", L"<exitgame/>",
          L"<invoke returntype=\"xml\"><arguments/></invoke>",
          L"<invoke name=\"ExitGame\"><arguments></invoke>", L"<invoke name=\"ExitGame \"/>"})
        EXPECT_EQ(Dispatched(nothing), Log{}) << testing::PrintToString(std::wstring(nothing));
}
