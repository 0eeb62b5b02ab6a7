#include "platform/ui/Markup.h"

#include <gtest/gtest.h>

#include <string>

#include "SkinFolder.h"

using DuiLib::CMarkup;

namespace {

const std::string kUtf8Title = "<s><TaskBarName>\xE6\xB8\xB8\xE6\x88\x8F</TaskBarName></s>"; // 游戏

} // namespace

// Files beside the resource path, with or without a leading backslash.
TEST(MarkupFile, ReadsByTheByteOrderMarkOrTheDeclaration) {
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
    // A byte-order mark or a declaration overrides the selector.
    folder.Write(L"gbk.xml", "<?xml version=\"1.0\" encoding=\"gbk\"?><s><TaskBarName>"
                             "\xD3\xCE\xCF\xB7</TaskBarName></s>");
    for (const wchar_t* name : {L"bom.xml", L"gbk.xml"}) {
        ASSERT_TRUE(xml.LoadFromFile(name, name[0] == L'b' ? CMarkup::XMLFILE_ENCODING_ANSI
                                                           : CMarkup::XMLFILE_ENCODING_UTF8));
        EXPECT_STREQ(xml.GetRoot().GetChild(L"TaskBarName").GetValue(), L"游戏");
    }
}

TEST(MarkupFile, RefusesFilesThatAreNotTextInTheirEncoding) {
    SkinFolder folder;
    CMarkup xml;
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
