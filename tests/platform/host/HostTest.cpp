// The Flash control hosting the registered test player in a real window: creation,
// the calls both ways, the routed events, and the player's window in the layout.
#include "HostHarness.h"

using namespace hosttest;

namespace {

TEST_F(HostTest, CreatesThePlayerInPlace) {
    Open(FlashSkin, "");
    ASSERT_EQ(window->created.size(), 1u);
    EXPECT_EQ(window->created[0].result, S_OK);
    EXPECT_EQ(window->created[0].sender, window->pm.FindControl(L"flash"));
    EXPECT_EQ(Flash()->GetInterface(L"ActiveX"), static_cast<CActiveXUI*>(Flash()));
    gs::ComPtr<IUnknown> identity;
    ASSERT_EQ(Flash()->GetControl(IID_IUnknown, identity.put_void()), S_OK);
    gs::ComPtr<IUnknown> flash;
    ASSERT_EQ(Flash()->GetControl(IID_IShockwaveFlash, flash.put_void()), S_OK);
    EXPECT_EQ(identity.get(), flash.get());
    // The window following the layout, visibility and teardown: the controls suite's
    // "flash" row. Here what only the Flash control has.
    HWND stage = Flash()->GetHostWindow();
    EXPECT_EQ(stage, ::FindWindowExW(*window, nullptr, L"GameShellTestPlayerStage", nullptr));
    EXPECT_TRUE(::GetWindowLongPtrW(window->GetHWND(), GWL_STYLE) & WS_CLIPCHILDREN)
        << "the skin's painting must not cover the player";
    EXPECT_NE(FindLine(Lines(), "activate in place"), -1);
    Flash()->SetInternVisible(false);
    EXPECT_FALSE(::IsWindowVisible(stage)) << "a hidden parent hides the player too";
}

TEST_F(HostTest, RoutesThePlayersEventsToTheirSlots) {
    Open(FlashSkin,
         "fscommand \"fullscreen\" \"true\"\ncall <invoke name=\"Unfinished\nnote done\n");
    ASSERT_TRUE(WaitForLine("note done"));
    EXPECT_EQ(window->events, (std::vector<std::wstring>{L"progress 100", L"ready 4",
                                                         L"fscommand fullscreen|true", L"call"}));
    EXPECT_EQ(window->requests, std::vector<std::wstring>{L"<invoke name=\"Unfinished"})
        << "malformed text goes as is";
    EXPECT_EQ(window->handlerReferences, 1);
}

// A host that answers every call with another: the player refuses the call that nests
// too deep, and everything unwinds.
TEST_F(HostTest, EndlessPingPongStopsAtTheNestingLimit) {
    Open(FlashSkin, "on Ping\n  invoke Pong\nend\n");
    const wchar_t ping[] = L"<invoke name=\"Ping\"><arguments/></invoke>";
    int refused = 0;
    window->onFlashCall = [&](const std::wstring&) { refused += CallFunction(ping) == E_FAIL; };
    EXPECT_EQ(CallFunction(ping), S_OK);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(window->requests.size(), 64u);
    EXPECT_NE(FindLine(Lines(), "in-result E_FAIL Ping (calls nested too deeply)"), -1);
}

} // namespace
