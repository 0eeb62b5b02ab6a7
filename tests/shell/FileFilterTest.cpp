#include "shell/FileFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Filter {
    wchar_t units[gs::kFileFilterUnits] = {};
    explicit Filter(const std::wstring& text) { gs::ConvertFileFilter(text.c_str(), units); }
    std::wstring Prefix(size_t count) const { return std::wstring(units, count); }
    // The list as the file dialogs read it: pairs of strings up to the double NUL.
    std::wstring List() const {
        size_t end = 0;
        while (end + 1 < gs::kFileFilterUnits && !(units[end] == 0 && units[end + 1] == 0))
            ++end;
        return std::wstring(units, end + 2);
    }
};

} // namespace

TEST(FileFilter, SeparatorsBecomeNulsAndTheListEndsWithTwo) {
    Filter filter(L"Game files\\0*.wzs\\0");
    EXPECT_EQ(filter.List(), std::wstring(L"Game files\0*.wzs\0\0", 18));
    Filter unterminated(L"Game files\\0*.wzs");
    EXPECT_EQ(unterminated.List(), filter.List()) << "the zeros behind the text close the list";
    Filter two(L"A\\0*.a\\0B\\0*.b\\0");
    EXPECT_EQ(two.List(), std::wstring(L"A\0*.a\0B\0*.b\0\0", 13));
}

TEST(FileFilter, EmptyTextLeavesEveryUnitZero) {
    Filter filter(L"");
    EXPECT_EQ(filter.Prefix(gs::kFileFilterUnits), std::wstring(gs::kFileFilterUnits, L'\0'));
    wchar_t fromNull[gs::kFileFilterUnits] = {};
    gs::ConvertFileFilter(nullptr, fromNull);
    EXPECT_EQ(std::wstring(fromNull, gs::kFileFilterUnits),
              std::wstring(gs::kFileFilterUnits, L'\0'));
}

TEST(FileFilter, ABackslashBeforeAnythingButZeroStays) {
    Filter filter(L"C:\\x\\0*.1\\\\0");
    EXPECT_EQ(filter.Prefix(12), std::wstring(L"C:\\x\0*.1\\\0\0\0", 12));
}

TEST(FileFilter, TwoSeparatorsInARowEndTheListThere) {
    Filter filter(L"A\\0\\0hidden");
    EXPECT_EQ(filter.List(), std::wstring(L"A\0\0", 3));
    EXPECT_EQ(filter.Prefix(9), std::wstring(L"A\0\0hidden", 9))
        << "what follows stays but is unseen";
}

TEST(FileFilter, LongTextsAreCutSoTheListEndsInsideTheArray) {
    for (size_t length : {497u, 498u, 499u, 600u}) {
        Filter filter(std::wstring(length, L'x'));
        EXPECT_EQ(filter.units[length < 498 ? length - 1 : 497], L'x');
        EXPECT_EQ(filter.units[498], L'\0') << length;
        EXPECT_EQ(filter.units[499], L'\0') << length;
    }
    // The cut keeps "ta" of the tail; the separator's shift pulls the zeros in behind it.
    Filter filter(std::wstring(494, L'x') + L"\\0tail");
    EXPECT_EQ(std::wstring(filter.units + 494, 6), std::wstring(L"\0ta\0\0\0", 6));
}
