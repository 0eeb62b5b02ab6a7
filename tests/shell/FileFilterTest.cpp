#include "shell/FileFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Converted(const wchar_t* text, size_t units) {
    wchar_t filter[gs::kFileFilterUnits] = {};
    gs::ConvertFileFilter(text, filter);
    return std::wstring(filter, units);
}

} // namespace

TEST(FileFilter, SeparatorsBecomeNulsOfAListEndedByTwo) {
    const struct {
        const wchar_t* text;
        std::wstring units;
    } cases[] = {
        {L"Game files\\0*.wzs\\0", std::wstring(L"Game files\0*.wzs\0\0", 18)},
        {L"Game files\\0*.wzs", std::wstring(L"Game files\0*.wzs\0\0", 18)},
        {L"A\\0*.a\\0B\\0*.b\\0", std::wstring(L"A\0*.a\0B\0*.b\0\0", 13)},
        {L"C:\\x\\0*.1\\\\0", std::wstring(L"C:\\x\0*.1\\\0\0\0", 12)}, // a lone backslash stays
        {L"A\\0\\0hidden", std::wstring(L"A\0\0hidden\0", 10)},         // the list ends at the pair
        {L"", std::wstring(gs::kFileFilterUnits, L'\0')},
        {nullptr, std::wstring(gs::kFileFilterUnits, L'\0')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Converted(c.text, c.units.size()), c.units) << c.text;
}

TEST(FileFilter, LongTextsAreCutSoTheListEndsInsideTheArray) {
    for (size_t length : {497u, 498u, 499u, 600u}) {
        const std::wstring units =
            Converted(std::wstring(length, L'x').c_str(), gs::kFileFilterUnits);
        EXPECT_EQ(units[length < 498 ? length - 1 : 497], L'x');
        EXPECT_EQ(units.substr(498), std::wstring(2, L'\0')) << length;
    }
    // The cut keeps "ta" of the tail; the separator's shift pulls the zeros in behind it.
    EXPECT_EQ(Converted((std::wstring(494, L'x') + L"\\0tail").c_str(), 500).substr(494),
              std::wstring(L"\0ta\0\0\0", 6));
}
