#include "platform/ui/Markup.h"
#include "platform/ui/MarkupDecode.h"

#include <gtest/gtest.h>

#include <string>

#include "SkinFolder.h"

using DuiLib::CMarkup;

namespace {

const std::string kUtf8Title = "<s><TaskBarName>\xE6\xB8\xB8\xE6\x88\x8F</TaskBarName></s>"; // 游戏

} // namespace

// Files beside the resource path (with or without a leading backslash), read by their
// byte-order mark; what is not text in the encoding is refused.
TEST(MarkupFile, ReadsByTheByteOrderMarkAndRefusesBrokenOrMissingFiles) {
    SkinFolder folder;
    std::string utf16 = "\xFF\xFE";
    for (wchar_t c : std::wstring(L"<s><TaskBarName>游戏</TaskBarName></s>")) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    folder.Write(L"plain.xml", kUtf8Title);
    folder.Write(L"bom.xml", "\xEF\xBB\xBF" + kUtf8Title);
    folder.Write(L"wide.xml", utf16);
    CMarkup xml;
    for (const wchar_t* name : {L"plain.xml", L"\\bom.xml", L"wide.xml"}) {
        ASSERT_TRUE(xml.LoadFromFile(name, CMarkup::XMLFILE_ENCODING_UTF8)) << name;
        EXPECT_STREQ(xml.GetRoot().GetChild(L"TaskBarName").GetValue(), L"游戏");
    }
    // A byte-order mark overrides the selector.
    ASSERT_TRUE(xml.LoadFromFile(L"bom.xml", CMarkup::XMLFILE_ENCODING_ANSI));
    EXPECT_STREQ(xml.GetRoot().GetChild(L"TaskBarName").GetValue(), L"游戏");
    folder.Write(L"odd.xml", std::string("<\0a", 3));
    EXPECT_FALSE(xml.LoadFromFile(L"odd.xml", CMarkup::XMLFILE_ENCODING_UNICODE));
    folder.Write(L"badutf8.xml", "<a>\xC3\x28</a>");
    folder.Write(L"binary.xml", std::string("<a>\0\x01\x02</a>", 10));
    folder.Write(L"empty.xml", "");
    folder.Write(L"truncated.xml", kUtf8Title.substr(0, kUtf8Title.size() - 3));
    for (const wchar_t* name :
         {L"badutf8.xml", L"binary.xml", L"empty.xml", L"truncated.xml", L"missing.xml"}) {
        EXPECT_FALSE(xml.LoadFromFile(name)) << name;
        EXPECT_FALSE(xml.GetRoot().IsValid());
    }
}

// The UTF-8 decoding is the reader's own (it also runs natively); Windows' strict
// conversion is the judge of what it must accept and what it must give.
TEST(MarkupFile, Utf8IsReadAsStrictlyAsWindowsReadsIt) {
    // Well-formed text (with each sequence length at its limits), then broken text:
    // stray bytes, overlong forms, encoded surrogates, values beyond U+10FFFF, cut
    // sequences, a continuation byte too many.
    // clang-format off
    const std::string cases[] = {
        "", "a", std::string("a\0b", 3), "\xE6\xB8\xB8\xE6\x88\x8F", "\xC2\x80", "\xDF\xBF",
        "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80", "\xEF\xBF\xBF", "\xF0\x90\x80\x80",
        "\xF4\x8F\xBF\xBF",
        "\x80", "\xBF", "\xFF", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xE0\x9F\xBF",
        "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
        "\xF8\x88\x80\x80\x80", "\xC2", "\xC2\x41", "a\xE6\xB8", "\xF0\x90\x80", "\xE6\xB8\xB8\x80"};
    // clang-format on
    for (const std::string& bytes : cases) {
        std::wstring windows;
        int units = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), nullptr, 0);
        windows.resize(units > 0 ? static_cast<std::size_t>(units) : 0);
        if (units > 0)
            ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                  static_cast<int>(bytes.size()), windows.data(), units);
        std::wstring ours;
        const bool accepted =
            DuiLib::DecodeMarkupBytes(reinterpret_cast<const unsigned char*>(bytes.data()),
                                      bytes.size(), CMarkup::XMLFILE_ENCODING_UTF8, nullptr, ours);
        EXPECT_EQ(accepted, bytes.empty() || units > 0) << testing::PrintToString(bytes);
        if (accepted) {
            EXPECT_EQ(ours, windows) << testing::PrintToString(bytes);
        }
    }
}
