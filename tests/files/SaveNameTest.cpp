#include "files/SaveName.h"

#include <gtest/gtest.h>

// The extension is appended in lower case unless the name already ends in it, in any
// letter case; extensions of any length are recognised, the dot included.
TEST(SaveName, TheExtensionIsAppendedInLowerCaseUnlessThere) {
    // clang-format off
    const struct { const wchar_t* chosen; const wchar_t* extension; const wchar_t* saved; } cases[] = {
        {L"C:\\Games\\save1", L"wzs", L"C:\\Games\\save1.wzs"},
        {L"C:\\Games\\save1.wzs", L"wzs", L"C:\\Games\\save1.wzs"},
        {L"C:\\Games\\SAVE1.WZS", L"wzs", L"C:\\Games\\SAVE1.WZS"},
        {L"C:\\Games\\save1.txt", L"wzs", L"C:\\Games\\save1.txt.wzs"},
        {L"C:\\Games\\Save1", L"WZS", L"C:\\Games\\Save1.wzs"},
        {L"a.gamesave", L"gamesave", L"a.gamesave"}, {L"a.Q", L"q", L"a.Q"}, {L"aq", L"q", L"aq.q"},
        {L"", L"wzs", L".wzs"},
    };
    // clang-format on
    for (const auto& c : cases) {
        DuiLib::CDuiString path(c.chosen);
        gs::AppendSaveExtension(path, c.extension);
        EXPECT_EQ(path, c.saved) << c.chosen;
    }
}
