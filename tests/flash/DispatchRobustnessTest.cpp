// A million generated and mutated requests through the reading and dispatch of the
// movie's commands. The actions are only observed: a mutated "ExitGame" must not end
// the test. Seeded, so every run sees the same texts.
#include "flash/CommandDispatch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const wchar_t* const kNames[] = {L"ReqEnterGame",   L"ExitGame",    L"LoadFile", L"SaveFile",
                                 L"GameMasterRoom", L"FlashWindow", L"OpenUrl"};

const wchar_t* const kTokens[] = {L"<",           L">",
                                  L"/>",          L"</",
                                  L"\"",          L"'",
                                  L"=",           L"&amp;",
                                  L"&#60;",       L"&#x3C;",
                                  L"&bogus;",     L"<![CDATA[",
                                  L"]]>",         L"<!--",
                                  L"-->",         L"<?xml version=\"1.0\"?>",
                                  L"<arguments>", L"</arguments>",
                                  L"<string>",    L"</string>",
                                  L"<number>",    L"name=",
                                  L"\u4E2D",      L"\xD800",
                                  L"\xFFFF",      L" ",
                                  L"\t"};

struct CountingActions {
    gs::Command last = gs::Command::None;
    int actions = 0;
    void Record(gs::Command command) {
        last = command;
        ++actions;
    }
    void AnswerEnterGame() { Record(gs::Command::ReqEnterGame); }
    void ExitGame() { Record(gs::Command::ExitGame); }
    void StartLoadTimer() { Record(gs::Command::LoadFile); }
    void StoreSaveData(const DuiLib::CDuiString&) { last = gs::Command::SaveFile; }
    void RefuseSaveData() { last = gs::Command::SaveFile; }
    void StartSaveTimer() { Record(gs::Command::SaveFile); }
    void NotifyGameMasterRoom(int32_t) { Record(gs::Command::GameMasterRoom); }
    void FlashWindow() { Record(gs::Command::FlashWindow); }
    void OpenUrl(const wchar_t*) { Record(gs::Command::OpenUrl); }
};

class Mutator {
public:
    explicit Mutator(uint32_t seed) : m_random(seed) {}

    std::wstring Request() {
        std::wstring name = kNames[Pick(std::size(kNames))];
        std::wstring text = L"<invoke name=\"" + name +
                            L"\" returntype=\"xml\"><arguments><string>" +
                            std::wstring(Pick(4), L'x') + L"</string></arguments></invoke>";
        for (size_t n = Pick(6); n > 0; --n)
            Mutate(text);
        return text;
    }

private:
    size_t Pick(size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(m_random);
    }

    void Mutate(std::wstring& text) {
        size_t at = text.empty() ? 0 : Pick(text.size() + 1);
        switch (Pick(6)) {
        case 0:
            text.erase(at, Pick(8));
            break;
        case 1:
            text.insert(at, kTokens[Pick(std::size(kTokens))]);
            break;
        case 2:
            text.insert(at, 1, static_cast<wchar_t>(Pick(0x80) + 1));
            break;
        case 3:
            text.resize(at);
            break;
        case 4:
            text.insert(at, text.substr(Pick(text.size() + 1), Pick(16)));
            break;
        default:
            if (at < text.size())
                text[at] = static_cast<wchar_t>(text[at] ^ 0x20);
            break;
        }
    }

    std::mt19937 m_random;
};

const wchar_t* NameOf(gs::Command command) {
    return kNames[static_cast<int>(command) - 1];
}

} // namespace

TEST(DispatchRobustness, AMillionMutatedRequestsNeverChooseACommandTheTextDoesNotName) {
    Mutator mutator(20261206);
    int dispatched = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        std::wstring text = mutator.Request();
        CountingActions actions;
        gs::RunCommand(gs::ReadRequest(text.c_str()), actions);
        ASSERT_LE(actions.actions, 1) << "one request, at most one action";
        if (actions.actions == 0)
            continue;
        ++dispatched;
        ASSERT_NE(text.find(NameOf(actions.last)), std::wstring::npos)
            << "chose " << static_cast<int>(actions.last) << " for a text that does not name it";
    }
    // The loop must really reach the dispatch, not just reject every text.
    EXPECT_GT(dispatched, 100'000);
}
