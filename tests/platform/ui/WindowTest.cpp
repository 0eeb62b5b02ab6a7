// A real window under Wine with a skin attached: notifications, input, painting, and
// the window's life cycle, all through real messages.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PaintedPixels.h"
#include "SkinFolder.h"
#include "SkinTestWindow.h"
#include "tests/support/MessagePump.h"

using namespace DuiLib;

namespace {

const char kSkin[] = R"(<Window size="300,200" bkcolor="#FF0000FF" caption="0,0,0,40">
  <VerticalLayout name="root" inset="10,10,10,10">
    <HorizontalLayout name="caption" height="40" bkcolor="#FF204060">
      <Control/>
      <Button name="closebtn" width="50" bkcolor="#FF808080" hotbkcolor="#FFFF0000"
              pushedbkcolor="#FF00FF00" text="关闭"/>
    </HorizontalLayout>
    <Container name="body" bkcolor="#FFFFFFFF" bordercolor="#FF000000" bordersize="3">
      <Counted name="counted" width="20" height="20" padding="100,50,0,0" bkcolor="#FFFFFF00"/>
    </Container>
  </VerticalLayout>
</Window>)";

// Counts its DoInit calls.
class CountedUI : public CControlUI {
public:
    void DoInit() override { ++inits; }
    int inits = 0;
};

class SkinWindow : public gs::test::SkinTestWindow, public IDialogBuilderCallback {
public:
    SkinWindow() : SkinTestWindow(this) {}
    CControlUI* CreateControl(LPCTSTR pstrClass) override {
        return std::wstring(pstrClass) == L"Counted" ? new CountedUI : nullptr;
    }
    void Notify(TNotifyUI& msg) override {
        notes.push_back(msg.sType.GetData());
        senders.push_back(msg.pSender);
        if (onNotify)
            onNotify(msg);
    }

    std::vector<std::wstring> notes;
    std::vector<CControlUI*> senders;
    std::function<void(TNotifyUI&)> onNotify;
};

POINT CenterOf(CControlUI* control) {
    const CDuiRect& rc = control->GetPos();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

DWORD PaintedAt(HWND window, POINT at) {
    return gs::test::PaintedPixels(window).At(at.x, at.y);
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        folder.Write(L"skin.xml", kSkin);
        ASSERT_NE(window.Create(nullptr, L"ui test", WS_POPUP, 0, 0, 0, 100, 100), nullptr);
    }
    void Show() {
        window.ShowWindow(true, false);
        gs::test::PumpPending();
    }
    CControlUI* Find(const wchar_t* name) { return window.pm.FindControl(name); }
    void Send(UINT msg, POINT pt, WPARAM keys = 0) {
        ::SendMessageW(window, msg, keys, MAKELPARAM(pt.x, pt.y));
    }
    void Click(POINT pt) {
        Send(WM_LBUTTONDOWN, pt, MK_LBUTTON);
        Send(WM_LBUTTONUP, pt);
    }

    SkinFolder folder;
    SkinWindow window;
};

} // namespace

TEST_F(WindowTest, WindowInitComesOnceAfterTheWindowIsShown) {
    auto* counted = static_cast<CountedUI*>(Find(L"counted"));
    ASSERT_NE(counted, nullptr);
    gs::test::PumpPending();
    EXPECT_TRUE(window.notes.empty());
    EXPECT_EQ(counted->inits, 0);

    Show();
    ASSERT_EQ(window.notes, std::vector<std::wstring>{L"windowinit"});
    EXPECT_EQ(window.senders[0], window.pm.GetRoot());
    EXPECT_EQ(counted->inits, 1);

    // Later controls are initialised as they join; nothing is sent twice.
    auto* late = new CountedUI;
    static_cast<CContainerUI*>(Find(L"body"))->Add(late);
    EXPECT_EQ(late->inits, 1);
    window.ShowWindow(false);
    Show();
    ::InvalidateRect(window, nullptr, FALSE);
    ::UpdateWindow(window);
    gs::test::PumpPending();
    EXPECT_EQ(window.notes.size(), 1u);
    EXPECT_EQ(counted->inits, 1);

    // A window created visible gets it from the loop, not from inside creation.
    SkinWindow visible;
    ASSERT_NE(visible.Create(nullptr, L"visible", WS_POPUP | WS_VISIBLE, 0, 0, 0, 100, 100),
              nullptr);
    EXPECT_TRUE(visible.notes.empty());
    gs::test::PumpPending();
    EXPECT_EQ(visible.notes, std::vector<std::wstring>{L"windowinit"});
}

TEST_F(WindowTest, AButtonClicksOnAPressReleasedOverItOrAKeyWhileFocused) {
    Show();
    window.notes.clear();
    CControlUI* button = Find(L"closebtn");
    const POINT on = CenterOf(button);
    const POINT off{20, 100};
    Send(WM_MOUSEMOVE, on);
    Send(WM_LBUTTONDOWN, on, MK_LBUTTON);
    EXPECT_EQ(::GetCapture(), window.GetHWND());
    Send(WM_LBUTTONUP, on);
    ASSERT_EQ(window.notes, std::vector<std::wstring>{L"click"});
    EXPECT_EQ(window.senders.back(), button);
    EXPECT_NE(::GetCapture(), window.GetHWND());

    // Released elsewhere, pressed elsewhere, or cancelled: no click.
    Send(WM_LBUTTONDOWN, on, MK_LBUTTON);
    Send(WM_MOUSEMOVE, off, MK_LBUTTON);
    Send(WM_LBUTTONUP, off);
    Send(WM_LBUTTONDOWN, off, MK_LBUTTON);
    Send(WM_MOUSEMOVE, on, MK_LBUTTON);
    Send(WM_LBUTTONUP, on);
    Send(WM_LBUTTONDOWN, on, MK_LBUTTON);
    ::SendMessageW(window, WM_CANCELMODE, 0, 0);
    Send(WM_LBUTTONUP, on);
    EXPECT_EQ(window.notes.size(), 1u);

    button->SetFocus();
    EXPECT_EQ(window.pm.GetFocus(), button);
    for (int key : {VK_SPACE, VK_RETURN, int('A')})
        ::SendMessageW(window, WM_KEYDOWN, key, 0);
    EXPECT_EQ(window.notes.size(), 3u);
    Find(L"body")->SetFocus();
    EXPECT_FALSE(button->IsFocused());
    ::SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(window.notes.size(), 3u);
}

TEST_F(WindowTest, AClickHandlerMayDeleteTheButtonItCameFrom) {
    Show();
    window.notes.clear();
    const POINT on = CenterOf(Find(L"closebtn"));
    window.onNotify = [this](TNotifyUI& msg) {
        if (msg.sType == L"click")
            static_cast<CContainerUI*>(Find(L"caption"))->RemoveAll();
    };
    Click(on);
    EXPECT_EQ(Find(L"closebtn"), nullptr);
    Send(WM_MOUSEMOVE, POINT{on.x - 1, on.y});
    Click(on);
    EXPECT_EQ(window.notes.size(), 1u);
    EXPECT_EQ(window.pm.FindControl(on), Find(L"caption"));
}

// Painting, and the hit test that must agree with it: a hidden control is neither
// painted nor found under the pointer.
TEST_F(WindowTest, PaintsTheLayoutInTheSkinsColoursWhereTheHitTestFindsIt) {
    Show();
    const struct {
        POINT at;
        DWORD colour;
    } shown[] = {
        {{2, 2}, 0x0000FF},     // window background inside the inset
        {{20, 20}, 0x204060},   // caption band
        {{242, 12}, 0x808080},  // button, normal
        {{11, 51}, 0x000000},   // body border
        {{14, 54}, 0xFFFFFF},   // body inside the border
        {{110, 100}, 0xFFFF00}, // padded child of the body
        {{131, 100}, 0xFFFFFF}, // right of its fixed width
        {{295, 195}, 0x0000FF},
    };
    for (const auto& [at, colour] : shown)
        EXPECT_EQ(PaintedAt(window, at), colour) << at.x << "," << at.y;
    EXPECT_EQ(window.pm.FindControl(POINT{110, 100}), Find(L"counted"));
    const POINT on{242, 12};
    Send(WM_MOUSEMOVE, on);
    EXPECT_EQ(PaintedAt(window, on), 0xFF0000u); // hot
    Send(WM_LBUTTONDOWN, on, MK_LBUTTON);
    EXPECT_EQ(PaintedAt(window, on), 0x00FF00u); // pushed
    Send(WM_MOUSEMOVE, POINT{20, 100}, MK_LBUTTON);
    EXPECT_EQ(PaintedAt(window, on), 0x808080u); // pressed but the pointer left
    Send(WM_LBUTTONUP, POINT{20, 100});

    // The kept back buffer grows with the window.
    ::SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(PaintedAt(window, {395, 295}), 0x0000FFu);
    EXPECT_EQ(PaintedAt(window, {388, 288}), 0x000000u); // body border, bottom right

    Find(L"body")->SetVisible(false);
    EXPECT_EQ(PaintedAt(window, {14, 54}), 0x0000FFu);
    EXPECT_EQ(PaintedAt(window, {110, 100}), 0x0000FFu);
    EXPECT_FALSE(Find(L"counted")->IsVisible()) << "a hidden container hides its children";
    EXPECT_EQ(window.pm.FindControl(POINT{110, 100}), Find(L"root"));
}

TEST_F(WindowTest, AButtonsStateChangeRepaintsOnlyTheButton) {
    Show();
    CControlUI* button = Find(L"closebtn");
    const POINT on = CenterOf(button);
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) {
        ::ValidateRect(window, nullptr);
        Send(message, on, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0);
        RECT dirty{};
        ::GetUpdateRect(window, &dirty, FALSE);
        EXPECT_EQ(CDuiRect(dirty), button->GetPos()) << message;
    }
}

// Run in code pages 1252 and 936: the skins' Chinese text needs glyphs in both.
TEST(PaintManager, FontsHaveChineseGlyphsWhateverFaceTheSkinNames) {
    CPaintManagerUI manager;
    gs::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    for (LPCTSTR face : {manager.GetDefaultFontName().GetData(), L"No Such Face", L""}) {
        HFONT font = manager.GetFont(face, 14, false);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(manager.GetFont(face, 14, false), font); // shared, not made again
        gs::SelectedObject selected(dc.get(), font);
        WORD glyphs[2] = {};
        ASSERT_EQ(::GetGlyphIndicesW(dc.get(), L"游戏", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS),
                  2u);
        EXPECT_NE(glyphs[0], 0xFFFF) << testing::PrintToString(std::wstring(face));
        EXPECT_NE(glyphs[1], 0xFFFF);
    }
    EXPECT_NE(manager.GetFont(L"", 14, true), manager.GetFont(L"", 14, false));
}
