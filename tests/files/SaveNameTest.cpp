#include "files/SaveName.h"

#include <gtest/gtest.h>

using DuiLib::CDuiString;

namespace {

CDuiString Saved(const wchar_t* chosen, const wchar_t* extension) {
    CDuiString path(chosen);
    gs::AppendSaveExtension(path, extension);
    return path;
}

} // namespace

TEST(SaveName, TheExtensionIsAppendedInLowerCaseUnlessThere) {
    EXPECT_EQ(Saved(L"C:\\Games\\save1", L"wzs"), L"C:\\Games\\save1.wzs");
    EXPECT_EQ(Saved(L"C:\\Games\\save1.wzs", L"wzs"), L"C:\\Games\\save1.wzs");
    EXPECT_EQ(Saved(L"C:\\Games\\SAVE1.WZS", L"wzs"), L"C:\\Games\\SAVE1.WZS")
        << "letter case kept";
    EXPECT_EQ(Saved(L"C:\\Games\\save1.txt", L"wzs"), L"C:\\Games\\save1.txt.wzs");
    EXPECT_EQ(Saved(L"C:\\Games\\Save1", L"WZS"), L"C:\\Games\\Save1.wzs");
}

TEST(SaveName, ExtensionsOfAnyLengthAreRecognised) {
    EXPECT_EQ(Saved(L"a.gamesave", L"gamesave"), L"a.gamesave");
    EXPECT_EQ(Saved(L"a.Q", L"q"), L"a.Q");
    EXPECT_EQ(Saved(L"aq", L"q"), L"aq.q") << "the dot is part of the extension";
    EXPECT_EQ(Saved(L"", L"wzs"), L".wzs");
}
