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

TEST(DialogBuilder, BuildsKnownClassesAndAsksTheCallbackForTheRest) {
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
    std::string deep;
    for (int i = 0; i < CMarkup::kMaxDepth - 1; ++i)
        deep += "<VerticalLayout>";
    deep += "<Button name=\"deepest\"/>";
    for (int i = 0; i < CMarkup::kMaxDepth - 1; ++i)
        deep += "</VerticalLayout>";
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
