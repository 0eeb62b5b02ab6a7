// Generated requests through the real reading and dispatch of the movie's commands, each
// checked against the actions its parts call for (a name in any letter case, an argument
// of each kind or none, in any order). Seeded, so every run sees the same texts; the depth
// of malformed input is the request fuzz target's.
#include "flash/CommandDispatch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Recorder {
    std::vector<std::wstring> log;
    void AnswerEnterGame() { log.push_back(L"enter"); }
    void ExitGame() { log.push_back(L"exit"); }
    void StartLoadTimer() { log.push_back(L"load timer"); }
    void StoreSaveData(DuiLib::CDuiString&& text) { log.push_back(L"store " + std::wstring(text)); }
    void RefuseSaveData() { log.push_back(L"refuse"); }
    void StartSaveTimer() { log.push_back(L"save timer"); }
    void NotifyGameMasterRoom(int32_t room) { log.push_back(L"room " + std::to_wstring(room)); }
    void FlashWindow() { log.push_back(L"flash"); }
    void OpenUrl(const wchar_t* address) { log.push_back(L"open " + std::wstring(address)); }
};

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

std::vector<std::wstring> Expected(const std::wstring& name, const Argument& argument) {
    const bool has = *argument.element != L'\0';
    if (name == L"ReqEnterGame")
        return {L"enter"};
    if (name == L"ExitGame")
        return {L"exit"};
    if (name == L"LoadFile")
        return {L"load timer"};
    if (name == L"SaveFile" && has)
        return {L"store " + std::wstring(argument.text), L"save timer"};
    if (name == L"SaveFile")
        return {L"store "};
    if (name == L"GameMasterRoom")
        return {L"room " + std::to_wstring(argument.number)};
    if (name == L"FlashWindow")
        return {L"flash"};
    if (name == L"OpenUrl" && argument.webAddress)
        return {L"open " + std::wstring(argument.text)};
    return {};
}

} // namespace

TEST(DispatchRobustness, EveryGeneratedRequestGetsExactlyTheActionsItsPartsCallFor) {
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
        Recorder actions;
        gs::RunCommand(gs::ReadRequest(text.c_str()), actions);
        ASSERT_EQ(actions.log, Expected(name, argument)) << testing::PrintToString(text);
    }
}
