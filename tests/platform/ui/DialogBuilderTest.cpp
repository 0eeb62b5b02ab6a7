#include "platform/UIlib.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SkinFolder.h"

using namespace DuiLib;

namespace {

// Creates "Custom" elements as containers and records every class it was asked for.
class RecordingCallback : public IDialogBuilderCallback {
public:
    CControlUI* CreateControl(LPCTSTR pstrClass) override {
        asked.push_back(pstrClass);
        return std::wstring(pstrClass) == L"Custom" ? new CContainerUI : nullptr;
    }
    std::vector<std::wstring> asked;
};

const char kSkin[] = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="640,480" caption="0,0,0,32" roundcorner="6,6" bkcolor="#FF102030" sizebox="4,4,4,4">
  <VerticalLayout name="root" bkcolor="#FFFFFFFF" inset="1,1,1,1">
    <HorizontalLayout name="caption" height="32">
      <Label name="title" text="游戏大厅" textcolor="#FF00FF00" fontsize="16" bold="true" align="left"/>
      <Button name="closebtn" width="32" text="X" hotbkcolor="#FFFF0000" wobble="7"/>
    </HorizontalLayout>
    <Custom name="custom" bordersize="2"><Label name="insidecustom"/></Custom>
    <Mystery name="mystery"><Button name="insidemystery"/></Mystery>
    <Control name="badvalues" width="wide" height="-5" bkcolor="red" visible="maybe"/>
  </VerticalLayout>
  <Control name="second"/>
</Window>
)";

} // namespace

TEST(DialogBuilder, BuildsTheTreeTheSkinDescribes) {
    SkinFolder folder;
    folder.Write(L"skin.xml", kSkin);
    CPaintManagerUI manager;
    RecordingCallback callback;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(L"skin.xml", nullptr, &callback, &manager, nullptr);
    ASSERT_NE(root, nullptr);
    manager.AttachDialog(root);
    EXPECT_EQ(manager.GetRoot(), root);

    EXPECT_EQ(callback.asked, (std::vector<std::wstring>{L"Custom", L"Mystery"}));
    // The known classes are the layout and window suites' (they lay out and click them).
    EXPECT_STREQ(manager.FindControl(L"custom")->GetClass(), L"ContainerUI");
    EXPECT_NE(manager.FindControl(L"insidecustom"), nullptr);
    // A class nobody creates is skipped with everything inside it.
    EXPECT_EQ(manager.FindControl(L"mystery"), nullptr);
    EXPECT_EQ(manager.FindControl(L"insidemystery"), nullptr);
    // Only the first control of the Window is the tree.
    EXPECT_EQ(manager.FindControl(L"second"), nullptr);
    EXPECT_EQ(manager.FindControl(L"nosuchname"), nullptr);
    EXPECT_EQ(manager.FindControl(static_cast<LPCTSTR>(nullptr)), nullptr);

    EXPECT_EQ(static_cast<CLabelUI*>(manager.FindControl(L"title"))->GetText(), L"游戏大厅");
    EXPECT_EQ(manager.FindControl(L"custom")->GetBorderSize(), 2);
    // Values that do not read keep the defaults.
    CControlUI* bad = manager.FindControl(L"badvalues");
    EXPECT_EQ(bad->GetFixedWidth(), 0);
    EXPECT_EQ(bad->GetFixedHeight(), 0);
    EXPECT_EQ(bad->GetBkColor(), 0u);
    EXPECT_TRUE(bad->IsVisible());

    // The Window's settings belong to the manager.
    EXPECT_EQ(manager.GetInitSize().cx, 640);
    EXPECT_EQ(manager.GetCaptionRect().bottom, 32);
    EXPECT_EQ(manager.GetBkColor(), 0xFF102030u);
}

TEST(DialogBuilder, MissingMalformedOrEmptySkinsBuildNothing) {
    SkinFolder folder;
    const std::string skins[] = {
        R"(<Window><VerticalLayout></Window>)", std::string(kSkin, sizeof(kSkin) / 2),
        R"(<Window size="10,10"><Font name="x"/></Window>)", R"(<Skin><Button/></Skin>)",
        std::string("\x00\xFF\xFE\x01garbage", 11)};
    for (const std::string& skin : skins) {
        folder.Write(L"skin.xml", skin);
        CPaintManagerUI manager;
        EXPECT_EQ(CDialogBuilder().Create(L"skin.xml", nullptr, nullptr, &manager, nullptr),
                  nullptr)
            << testing::PrintToString(skin);
        EXPECT_EQ(manager.GetRoot(), nullptr);
    }
    EXPECT_EQ(CDialogBuilder().Create(L"missing.xml"), nullptr);
}

TEST(DialogBuilder, DeeplyNestedSkinsBuildOrFailWithoutCrashing) {
    SkinFolder folder;
    const std::string deep = gs::test::Repeated("<VerticalLayout>", CMarkup::kMaxDepth - 1) +
                             "<Button name=\"deepest\"/>" +
                             gs::test::Repeated("</VerticalLayout>", CMarkup::kMaxDepth - 1);
    folder.Write(L"deep.xml", deep);
    folder.Write(L"toodeep.xml", "<VerticalLayout>" + deep + "</VerticalLayout>");
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(L"deep.xml"));
    ASSERT_TRUE(root);
    root->SetPos(RECT{0, 0, 100, 100});
    CControlUI* deepest = root->FindControlAt(POINT{50, 50});
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->GetName(), L"deepest");
    EXPECT_EQ(CDialogBuilder().Create(L"toodeep.xml"), nullptr);
}

namespace {

LOGFONTW FontOf(CControlUI* label) {
    LOGFONTW font{};
    ::GetObjectW(static_cast<CLabelUI*>(label)->GetTextFont(), sizeof font, &font);
    return font;
}

} // namespace

TEST(DialogBuilder, TheWindowsSharedSettingsReachItsControls) {
    SkinFolder folder;
    folder.Write(L"skin.xml", R"(<Window fontsize="11">
  <Font name="DejaVu Sans" size="20" bold="true"/>
  <Default name="Text" value="textcolor=&quot;#FF112233&quot; text='默认' font=&quot;0&quot;"/>
  <Default name="Button" value="text=&quot;x&quot; width=12"/>
  <Default name="Control" value="width='7' height=&quot;8"/>
  <Font name="WenQuanYi Micro Hei" size="9" italic="true" default="true"/>
  <VerticalLayout>
    <Label name="indexed" font="0"/><Label name="defaulted"/><Label name="nofont" font="2"/>
    <Label name="face" font="DejaVu Sans" fontsize="30"/>
    <Text name="text" text="own"/><Button name="button"/><Control name="control"/>
  </VerticalLayout>
</Window>)");
    CPaintManagerUI manager;
    CDialogBuilder builder;
    ASSERT_TRUE(manager.AttachDialog(builder.Create(L"skin.xml", nullptr, nullptr, &manager)));

    // clang-format off
    const struct { const wchar_t* label; const wchar_t* face; LONG height, weight; bool italic; } fonts[] = {
        {L"indexed", L"DejaVu Sans", -20, FW_BOLD, false},
        {L"defaulted", L"WenQuanYi Micro Hei", -9, FW_NORMAL, true},
        {L"nofont", L"WenQuanYi Micro Hei", -9, FW_NORMAL, true},
        {L"face", L"DejaVu Sans", -30, FW_NORMAL, false},
        {L"text", L"DejaVu Sans", -20, FW_BOLD, false},
    };
    // clang-format on
    for (const auto& expected : fonts) {
        LOGFONTW font = FontOf(manager.FindControl(expected.label));
        EXPECT_STREQ(font.lfFaceName, expected.face) << expected.label;
        EXPECT_EQ(font.lfHeight, expected.height) << expected.label;
        EXPECT_EQ(font.lfWeight, expected.weight) << expected.label;
        EXPECT_EQ(font.lfItalic != 0, expected.italic) << expected.label;
    }
    // Text is a label, its Default list under its own attributes; malformed lists do nothing.
    CControlUI* text = manager.FindControl(L"text");
    EXPECT_STREQ(text->GetClass(), L"LabelUI");
    EXPECT_EQ(text->GetText(), L"own");
    EXPECT_EQ(text->GetTextColor(), 0xFF112233u);
    EXPECT_EQ(manager.FindControl(L"button")->GetText(), L"");
    EXPECT_EQ(manager.FindControl(L"button")->GetFixedWidth(), 0);
    EXPECT_EQ(manager.FindControl(L"control")->GetFixedWidth(), 0);
}

TEST(DialogBuilder, IncludesBuildInPlaceUnlessCyclicOrTooDeep) {
    SkinFolder folder;
    folder.Write(L"skin.xml", R"(<VerticalLayout name="root">
  <Include source="part.xml"/><Include source="missing.xml"/><Include source="broken.xml"/>
  <Include source="SKIN.xml"/><Include source="a.xml"/><Include source="d1.xml"/>
  <Control name="last"/></VerticalLayout>)");
    folder.Write(L"part.xml", R"(<Label name="part"/>)");
    folder.Write(L"broken.xml", R"(<Label name="broken">)");
    folder.Write(L"a.xml", R"(<Container name="a"><Include source="b.xml"/></Container>)");
    folder.Write(L"b.xml", R"(<Container name="b"><Include source="A.xml"/>
                                <Control name="b-rest"/></Container>)");
    for (int i = 1; i <= 9; ++i)
        folder.Write((L"d" + std::to_wstring(i) + L".xml").c_str(),
                     "<Container name=\"d" + std::to_string(i) + "\"><Include source=\"d" +
                         std::to_string(i + 1) + ".xml\"/></Container>");
    folder.Write(L"d10.xml", R"(<Control name="d10"/>)");
    CPaintManagerUI manager;
    CDialogBuilder builder;
    ASSERT_TRUE(manager.AttachDialog(builder.Create(L"skin.xml", nullptr, nullptr, &manager)));

    auto* root = static_cast<CContainerUI*>(manager.FindControl(L"root"));
    ASSERT_EQ(root->GetCount(), 4);
    EXPECT_EQ(root->GetItemAt(0)->GetName(), L"part");
    EXPECT_EQ(root->GetItemAt(1)->GetName(), L"a");
    EXPECT_EQ(root->GetItemAt(2)->GetName(), L"d1");
    EXPECT_EQ(root->GetItemAt(3)->GetName(), L"last");
    auto* b = static_cast<CContainerUI*>(manager.FindControl(L"b"));
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->GetCount(), 1);
    EXPECT_EQ(b->GetItemAt(0)->GetName(), L"b-rest");
    for (int i = 1; i <= 8; ++i)
        EXPECT_NE(manager.FindControl((L"d" + std::to_wstring(i)).c_str()), nullptr) << i;
    EXPECT_EQ(manager.FindControl(L"d9"), nullptr);
}
