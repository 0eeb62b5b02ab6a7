// The handler's one reference, and teardown: when the skin's tree goes, the player is
// deactivated, disconnected, closed and released for good, and the DLL can be unloaded.
#include "HostHarness.h"

using namespace hosttest;

namespace {

HRESULT PlayerCanUnloadNow() {
    HMODULE module = ::GetModuleHandleW(L"FlashTestPlayer.dll");
    if (!module)
        return S_OK; // COM already unloaded it
    auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
}

// However often it is set; a call while none is set reaches nobody, yet the player
// still gets its answer.
TEST_F(HostTest, TheControlHoldsOneReferenceToItsHandler) {
    Open(FlashSkin, "on Ping\n  invoke Pong\nend\n");
    ASSERT_TRUE(WaitForLine("load S_OK"));
    EXPECT_EQ(window->handlerReferences, 1);
    HostWindow other;
    Flash()->SetFlashEventHandler(window.get());
    EXPECT_EQ(window->handlerReferences, 1) << "registering twice holds one reference";
    Flash()->SetFlashEventHandler(&other);
    EXPECT_EQ(window->handlerReferences, 0);
    EXPECT_EQ(other.handlerReferences, 1);
    Flash()->SetFlashEventHandler(nullptr);
    EXPECT_EQ(other.handlerReferences, 0);
    EXPECT_EQ(CallFunction(L"<invoke name=\"Ping\"><arguments/></invoke>"), S_OK);
    EXPECT_TRUE(window->requests.empty() && other.requests.empty());
    EXPECT_NE(FindLine(Lines(), "out-result S_OK"), -1) << "the sink still answers the player";
}

TEST_F(HostTest, TeardownReleasesEveryReferenceInOrder) {
    Open(FlashSkin, "");
    ASSERT_TRUE(WaitForLine("load S_OK"));
    HWND stage = Flash()->GetHostWindow();
    ASSERT_TRUE(::IsWindow(stage));
    EXPECT_EQ(PlayerCanUnloadNow(), S_FALSE);
    window->pm.AttachDialog(nullptr); // deletes the tree, and with it the Flash control

    EXPECT_EQ(window->handlerReferences, 0) << "the handler was given back";
    EXPECT_FALSE(::IsWindow(stage));
    EXPECT_EQ(PlayerCanUnloadNow(), S_OK) << "nothing of the player is left alive";
    const int deactivate = FindLine(Lines(), "deactivate in place");
    EXPECT_NE(deactivate, -1);
    EXPECT_GT(FindLine(Lines(), "destroy FlashTestPlayer"), deactivate);
    ::CoFreeUnusedLibraries();
}

TEST_F(HostTest, TheHandlerMayTearTheControlDownFromInsideACall) {
    Open(FlashSkin, "invoke Quit\nnote survived\n");
    window->onFlashCall = [this](const std::wstring&) { window->pm.AttachDialog(nullptr); };
    ASSERT_TRUE(WaitForLine("destroy FlashTestPlayer"));
    EXPECT_EQ(window->requests.size(), 1u);
    EXPECT_EQ(PlayerCanUnloadNow(), S_OK);
    EXPECT_EQ(window->handlerReferences, 0);
    const std::vector<std::string> lines = Lines(); // the call unwinds, then the player goes
    EXPECT_EQ(FindLine(lines, "note survived") + 1, FindLine(lines, "destroy FlashTestPlayer"));
}

} // namespace
