// Movie scripts as the player reads them: what a script means, and how a broken one
// is refused with the line that broke it.
#include "player/MovieScript.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using player::Op;
using player::ParseMovie;

namespace {

// The commands themselves are played by the player's COM and host suites; here, what
// only the reader decides: line ends, comments, escapes, raw calls, names' case.
TEST(MovieScript, ReadsEveryPartOfAScriptExactly) {
    auto parsed = ParseMovie(L"# a comment\r\n"
                             L"\r\n"
                             L"  invoke SaveFile \"a \\\"quoted\\\" \\\\ text\" 42 $2\r\n"
                             L"call <invoke name=\"Broken\"><arguments><string>x</arg\n"
                             L"on OnClose\r\n"
                             L"  invoke ExitGame\r\n"
                             L"end\n"
                             L"wait dialog");
    ASSERT_TRUE(parsed.movie) << parsed.error;
    const auto& main = parsed.movie->main;
    ASSERT_EQ(main.size(), 3u);
    EXPECT_EQ(main[0].line, 3);
    ASSERT_EQ(main[0].tokens.size(), 3u);
    EXPECT_EQ(main[0].tokens[0].value, L"a \"quoted\" \\ text");
    EXPECT_TRUE(main[0].tokens[0].quoted);
    EXPECT_FALSE(main[0].tokens[1].quoted);
    EXPECT_EQ(main[1].text, L"<invoke name=\"Broken\"><arguments><string>x</arg");
    EXPECT_TRUE(main[2].untilDialog);
    ASSERT_NE(parsed.movie->Find(L"OnClose"), nullptr);
    EXPECT_EQ(parsed.movie->Find(L"OnClose")->body[0].text, L"ExitGame");
    EXPECT_EQ(parsed.movie->Find(L"onclose"), nullptr) << "function names keep their case";
    for (const wchar_t* empty : {L"", L"\n\n", L"   # only a comment"})
        EXPECT_TRUE(ParseMovie(empty).movie->main.empty());
}

struct Broken {
    const wchar_t* script;
    int line;
    const wchar_t* message;
};

TEST(MovieScript, RefusesBrokenScriptsAtTheLineThatBreaks) {
    // clang-format off
    const Broken cases[] = {
        {L"title ok\n\nplay now\n", 3, L"unknown command \"play\""},
        {L"on A\n  text a\n\ntext b\n", 1, L"has no \"end\""},
        {L"end\n", 1, L"\"end\" without \"on\""}, {L"on A\non B\nend\nend\n", 2, L"\"on\" inside"},
        {L"return <null/>\n", 1, L"inside a function"}, {L"wait soon\n", 1, L"milliseconds"},
        {L"wait 99999999999\n", 1, L"milliseconds"}, {L"invoke X \"open\n", 1, L"unterminated"},
        {L"invoke\n", 1, L"needs an argument"}, {L"on A\nend\non A\nend\n", 3, L"defined twice"},
        {L"on Two words\n", 1, L"one function name"},
        {L"on A\n transcript x\nend\n", 2, L"outside functions"},
        {L"button Close invoke X\n", 1, L"quoted label"},
        {L"button \"Nest\" button \"x\" note\n", 1, L"action after its label"},
        {L"filedialog choose\n", 1, L"filedialog needs"}, {L"overwrite maybe\n", 1, L"yes or no"},
        {L"prompt maybe\n", 1, L"ok, cancel, yes or no"},
        {L"fscommand a b c\n", 1, L"fscommand needs"}, {L"register later\n", 1, L"at start"},
        {L"on A\nend trailing\n", 2, L"nothing after"},
        {L"on A\nregister at start\nend\n", 2, L"outside functions"},
        {L"unload\n", 1, L"needs an action"}, {L"wait dialogs\n", 1, L"\"dialog\" or"},
    };
    // clang-format on
    for (const Broken& broken : cases) {
        auto parsed = ParseMovie(broken.script);
        EXPECT_FALSE(parsed.movie) << testing::PrintToString(std::wstring(broken.script));
        EXPECT_EQ(parsed.errorLine, broken.line) << parsed.error;
        EXPECT_NE(parsed.error.find(broken.message), std::wstring::npos) << parsed.error;
    }
}

TEST(MovieScript, TheShippedMoviesAreScriptsThatEndTheGameWhenAskedToClose) {
    for (const char* name : {"loading.swf", "minimal.swf"}) {
        std::ifstream file(std::string(GS_ASSETS_FLASH) + "/" + name, std::ios::binary);
        ASSERT_TRUE(file) << name;
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::wstring text(bytes.begin(), bytes.end()); // the shipped movies are ASCII
        auto parsed = ParseMovie(text);
        EXPECT_TRUE(parsed.movie) << name << " line " << parsed.errorLine;
        ASSERT_TRUE(parsed.movie && parsed.movie->Find(L"OnClose")) << name;
        EXPECT_EQ(parsed.movie->Find(L"OnClose")->body.back().text, L"ExitGame") << name;
    }
}

} // namespace
