// Generated and mutated documents must leave the reader either valid with a consistent
// tree or invalid, never crashed or stuck. The generator is seeded: a failure repeats.
#include "platform/Markup.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;

namespace {

const wchar_t* const kPieces[] = {
    L"<a>",
    L"</a>",
    L"<b x=\"1\">",
    L"</b>",
    L"<c/>",
    L"<d y='&amp;'/>",
    L"text",
    L" ",
    L"&lt;",
    L"&#x4E2D;",
    L"&#65;",
    L"&",
    L";",
    L"<!--",
    L"-->",
    L"<![CDATA[",
    L"]]>",
    L"<?",
    L"?>",
    L"<!DOCTYPE a>",
    L"\"",
    L"'",
    L"=",
    L"<",
    L">",
    L"/",
    L"\n",
    L"中文",
    L"&#xFFFFFFFF;",
    L"&#99999999999;",
    L"\xFEFF",
};

std::wstring Generate(std::mt19937& random) {
    std::wstring text;
    int pieces = std::uniform_int_distribution<int>(0, 40)(random);
    for (int i = 0; i < pieces; ++i)
        text += kPieces[random() % std::size(kPieces)];
    return text;
}

void Mutate(std::mt19937& random, std::wstring& text) {
    int edits = std::uniform_int_distribution<int>(1, 4)(random);
    for (int i = 0; i < edits && !text.empty(); ++i) {
        size_t at = random() % text.size();
        switch (random() % 4) {
        case 0:
            text.erase(at, 1 + random() % 3);
            break;
        case 1:
            text.insert(at, 1, static_cast<wchar_t>(1 + random() % 0x7F));
            break;
        case 2:
            text[at] = static_cast<wchar_t>(1 + random() % 0xFFFE);
            break;
        default:
            text.resize(at);
            break;
        }
    }
}

// Walks the whole tree without recursion and checks what every node reports.
int CheckTree(const CMarkup& xml) {
    int nodes = 0;
    CMarkupNode node = xml.GetRoot();
    while (node.IsValid()) {
        ++nodes;
        EXPECT_NE(node.GetName(), nullptr);
        EXPECT_NE(node.GetValue(), nullptr);
        for (int i = 0; i < node.GetAttributeCount(); ++i)
            EXPECT_NE(node.GetAttributeValue(node.GetAttributeName(i)), nullptr);
        if (node.GetChild().IsValid()) {
            node = node.GetChild();
            continue;
        }
        while (node.IsValid() && !node.GetSibling().IsValid())
            node = node.GetParent();
        if (node.IsValid())
            node = node.GetSibling();
    }
    return nodes;
}

} // namespace

TEST(MarkupRobustness, HundredThousandGeneratedAndMutatedDocuments) {
    std::mt19937 random(20261206);
    const std::wstring seeds[] = {
        L"<Window size=\"800,572\"><VerticalLayout><Button "
        L"name=\"closebtn\"/></VerticalLayout></Window>",
        L"<invoke name=\"SaveFile\" "
        L"returntype=\"xml\"><arguments><string>QUJD</string></arguments></invoke>",
        L"<?xml version=\"1.0\"?><s><loadingFlash bLocal=\"true\">flash\\a.swf</loadingFlash></s>",
    };
    int valid = 0;
    for (int round = 0; round < 100000; ++round) {
        std::wstring text = round % 2 ? Generate(random) : seeds[round % std::size(seeds)];
        if (round % 2 == 0 || round % 3 == 0)
            Mutate(random, text);
        CMarkup xml;
        bool loaded = xml.Load(text.data(), text.size());
        ASSERT_EQ(loaded, xml.IsValid());
        if (loaded) {
            ++valid;
            ASSERT_GT(CheckTree(xml), 0);
        }
    }
    // The loop must exercise both outcomes to be worth anything.
    EXPECT_GT(valid, 1000);
    EXPECT_LT(valid, 99000);
}
