#include "platform/ui/Markup.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;

namespace {

std::wstring Nested(int depth) {
    std::wstring text;
    for (int i = 0; i < depth; ++i)
        text += L"<a>";
    for (int i = 0; i < depth; ++i)
        text += L"</a>";
    return text;
}

} // namespace

TEST(Markup, NavigatesAnInvokeRequestWithNullForWhatIsMissing) {
    CMarkup xml(L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- from the movie -->\n"
                L"<invoke name=\"OpenUrl\" returntype='xml'>\n  <arguments>\n"
                L"    <string>http://a.b/?x=1&amp;y=2</string>\n    <number>7</number>\n"
                L"  </arguments>\n</invoke>\n");
    ASSERT_TRUE(xml.IsValid());
    CMarkupNode root = xml.GetRoot();
    EXPECT_STREQ(root.GetName(), L"invoke");
    EXPECT_STREQ(root.GetAttributeValue(L"name"), L"OpenUrl");
    EXPECT_STREQ(root.GetAttributeValue(L"returntype"), L"xml");
    CMarkupNode arguments = root.GetChild();
    EXPECT_STREQ(arguments.GetName(), L"arguments");
    // White space between elements is not the element's text.
    EXPECT_STREQ(arguments.GetValue(), L"");
    EXPECT_STREQ(arguments.GetChild().GetValue(), L"http://a.b/?x=1&y=2");
    EXPECT_STREQ(arguments.GetChild().GetSibling().GetValue(), L"7");
    EXPECT_STREQ(arguments.GetChild(L"number").GetValue(), L"7");
    EXPECT_FALSE(arguments.GetChild().GetSibling().GetSibling().IsValid());
    EXPECT_STREQ(arguments.GetChild().GetParent().GetName(), L"arguments");
    EXPECT_FALSE(root.GetParent().IsValid());

    // What is missing reads as null; letter case counts in element names.
    EXPECT_FALSE(root.HasAttribute(L"other"));
    EXPECT_EQ(arguments.GetAttributeValue(5), nullptr);
    CMarkupNode missing = root.GetChild(L"Arguments");
    EXPECT_FALSE(missing.IsValid());
    EXPECT_EQ(missing.GetValue(), nullptr);
    EXPECT_EQ(missing.GetAttributeValue(L"x"), nullptr);
}

TEST(Markup, ReadsTextAsWrittenWithItsReferencesResolved) {
    CMarkup xml(L"<r a=\"&lt;&gt;&amp;&quot;&apos;\">x&#65;&#x4E2D;&#x1F600;"
                L"<![CDATA[<raw & text>]]>&unknown; & alone</r>");
    ASSERT_TRUE(xml.IsValid());
    CMarkupNode root = xml.GetRoot();
    EXPECT_STREQ(root.GetAttributeValue(L"a"), L"<>&\"'");
    std::wstring expected = L"xA\u4E2D";
    if (sizeof(wchar_t) == 2)
        expected += L"\xD83D\xDE00";
    else
        expected += static_cast<wchar_t>(0x1F600);
    expected += L"<raw & text>&unknown; & alone";
    EXPECT_EQ(std::wstring(root.GetValue()), expected);

    // Text is kept as written around children, spaces included.
    CMarkup spaced(L"<r>  lead <b/> tail  <c>  spaced  </c><e></e>\n</r>");
    EXPECT_STREQ(spaced.GetRoot().GetValue(), L"  lead  tail  ");
    EXPECT_STREQ(spaced.GetRoot().GetChild(L"c").GetValue(), L"  spaced  ");
    EXPECT_STREQ(spaced.GetRoot().GetChild(L"e").GetValue(), L"");

    // Long runs of bare ampersands and unfinished references are text.
    const std::wstring ampersands = L"<r a=\"" + std::wstring(1000000, L'&') + L"\">" +
                                    std::wstring(1000000, L'&') + L"&#x41</r>";
    CMarkup loose(ampersands.c_str());
    ASSERT_TRUE(loose.IsValid());
    EXPECT_EQ(std::wcslen(loose.GetRoot().GetValue()), 1000005u);

    // Texts longer than the reader's slices, with a reference, a child or a fault after them.
    const std::wstring x(40000, L'x'), y(40000, L'y');
    CMarkup longText((L"<r>" + x + L"&amp;" + y + L"<b/>" + x + L"</r>").c_str());
    EXPECT_EQ(std::wstring(longText.GetRoot().GetValue()), x + L"&" + y + x);
    EXPECT_FALSE(CMarkup((L"<r>" + x + L"&#0;</r>").c_str()).IsValid());
    EXPECT_FALSE(CMarkup((L"<r/>" + x).c_str()).IsValid());
}

TEST(Markup, RefusesBrokenDocuments) {
    // clang-format off
    const wchar_t* broken[] = {
        L"", L"   ", L"text only", L"<a>", L"<a></b>", L"<a><b></a></b>", L"<a/><b/>",
        L"<a/>trailing", L"<a x=1/>", L"<a x=\"1/>", L"<a x=\"1\"y=\"2\"/>", L"<a x=\"<\"/>",
        L"<a><!-- open", L"<a><![CDATA[ open", L"<![CDATA[x]]><a/>", L"<a>&#0;</a>",
        L"<a>&#xD800;</a>", L"<a>&#x110000;</a>", L"<a>&#12a;</a>", L"<a>&#;</a>", L"<1a/>",
        L"<a></a", L"<a/><!DOCTYPE a>", L"<?xml version=\"1.0\"", L"<", L"</a>"};
    // clang-format on
    for (const wchar_t* text : broken) {
        CMarkup xml(text);
        EXPECT_FALSE(xml.IsValid()) << "accepted: " << testing::PrintToString(std::wstring(text));
        EXPECT_FALSE(xml.GetRoot().IsValid());
        EXPECT_NE(std::wstring(xml.GetLastErrorMessage()), L"");
    }
}

TEST(Markup, AcceptsAPrologOfDeclarationsCommentsOrDoctype) {
    CMarkup xml(L"\xFEFF<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e \"x>\">]><!--c-->"
                L"<r><?pi data?><!-- inner --></r><!-- after -->\n");
    ASSERT_TRUE(xml.IsValid()) << xml.GetLastErrorMessage();
    EXPECT_STREQ(xml.GetRoot().GetName(), L"r");
    EXPECT_FALSE(xml.GetRoot().HasChildren());
}

TEST(Markup, LimitsTheDepth) {
    EXPECT_TRUE(CMarkup(Nested(CMarkup::kMaxDepth).c_str()).IsValid());
    EXPECT_FALSE(CMarkup(Nested(CMarkup::kMaxDepth + 1).c_str()).IsValid());
    // A million open elements fail fast and without touching the call stack.
    std::wstring deep(4000000, L'a');
    for (size_t i = 0; i < deep.size(); i += 4)
        deep.replace(i, 3, L"<a>");
    EXPECT_FALSE(CMarkup(deep.c_str()).IsValid());
}

TEST(Markup, AFailedLoadLeavesNoDocumentUntilTheNextOneReads) {
    CMarkup xml(L"<a><b>1</b></a>");
    ASSERT_TRUE(xml.IsValid());
    EXPECT_FALSE(xml.Load(L"<a><b>1</b>"));
    EXPECT_FALSE(xml.GetRoot().IsValid());
    EXPECT_TRUE(xml.Load(L"<c/>"));
    EXPECT_STREQ(xml.GetRoot().GetName(), L"c");
    // Text with an embedded NUL is not a document.
    std::wstring withNul = L"<a>x</a>";
    withNul.insert(3, 1, L'\0');
    EXPECT_FALSE(xml.Load(withNul.data(), withNul.size()));
    EXPECT_FALSE(xml.Load(nullptr));
}
