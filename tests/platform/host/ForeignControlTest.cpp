// Controls written elsewhere, hosted beside the Flash control in one real window: Wine's
// WebBrowser and Windows Media Player controls expect a fuller container than our own
// test player does. Each control must get a window at its rectangle, follow the layout,
// and leave no site behind.
#include "HostHarness.h"
#include "platform/host/ActiveXSite.h"

#include <olectl.h>

using namespace hosttest;

namespace {

bool IsRegistered(const wchar_t* clsid) {
    std::wstring path = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
    return ::RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_ANY, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS;
}

// The WebBrowser by its CLSID, the media player by its ProgID.
constexpr char ThreeControls[] =
    R"(<Window size="600,400"><HorizontalLayout><Flash name="flash"/>)"
    R"(<ActiveX name="web" clsid="{8856F961-340A-11D0-A96B-00C04FD705A2}"/>)"
    R"(<ActiveX name="media" clsid="WMPlayer.OCX"/></HorizontalLayout></Window>)";

struct ForeignControl {
    const wchar_t* name;
    const wchar_t* clsid;
};

class ForeignControlTest : public HostTest, public testing::WithParamInterface<ForeignControl> {
protected:
    void SetUp() override {
        HostTest::SetUp();
        sitesBefore = CActiveXSite::LiveCount();
    }
    LONG sitesBefore = 0;

    CActiveXUI* Control() const {
        return static_cast<CActiveXUI*>(
            window->pm.FindControl(GetParam().name)->GetInterface(L"ActiveX"));
    }

    void ExpectWindowOverControl(HWND host) {
        EXPECT_TRUE(::IsWindowVisible(host));
        EXPECT_EQ(::GetParent(host), window->GetHWND());
        EXPECT_EQ(RectInParent(host), Control()->GetPos());
        EXPECT_GT(Control()->GetWidth(), 0);
    }
};

TEST_P(ForeignControlTest, LivesInPlaceFromActivationToTeardown) {
    if (!IsRegistered(GetParam().clsid))
        GTEST_SKIP() << "the prefix has no in-process server registered for " << GetParam().clsid;
    Open(ThreeControls);
    ASSERT_TRUE(PumpUntil([this] { return window->created.size() == 3; }, kControlLimitMs));
    auto creation = std::find_if(window->created.begin(), window->created.end(),
                                 [this](const auto& c) { return c.sender == Control(); });
    ASSERT_NE(creation, window->created.end());
    ASSERT_EQ(creation->result, S_OK);
    HWND host = Control()->GetHostWindow();
    ASSERT_NE(host, nullptr) << "no in-place window";
    ExpectWindowOverControl(host);
    const CDuiRect restored = Control()->GetPos();

    for (int show : {SW_MAXIMIZE, SW_RESTORE}) {
        ::ShowWindow(window->GetHWND(), show);
        PumpPending();
        EXPECT_EQ(Control()->GetWidth() > restored.right - restored.left, show == SW_MAXIMIZE);
        ExpectWindowOverControl(host);
    }
    EXPECT_EQ(Control()->GetPos(), restored);

    Control()->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(host));
    Control()->SetVisible(true);
    ExpectWindowOverControl(host);

    window->pm.AttachDialog(nullptr);
    PumpPending();
    EXPECT_FALSE(::IsWindow(host));
    EXPECT_EQ(CActiveXSite::LiveCount(), sitesBefore) << "a control kept its site";
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ForeignControlTest,
    testing::Values(ForeignControl{L"flash", L"{D27CDB6E-AE6D-11CF-96B8-444553540000}"},
                    ForeignControl{L"web", L"{8856F961-340A-11D0-A96B-00C04FD705A2}"},
                    ForeignControl{L"media", L"{6BF52A52-394A-11D3-B153-00C04F79FAA6}"}),
    [](const auto& info) {
        std::wstring name = info.param.name;
        return std::string(name.begin(), name.end());
    });

// The answers a control reads from its site before and while it activates (user mode
// makes it run, not show itself for design; it must draw itself, in a window), and a
// site whose control has gone, which the control may still call.
TEST(ActiveXSite, AnswersAsAFinishedApplicationsContainer) {
    const LONG sitesBefore = CActiveXSite::LiveCount();
    CActiveXUI control;
    gs::ComPtr<CActiveXSite> site;
    site.attach(new CActiveXSite(control));
    // clang-format off
    const struct { DISPID id; HRESULT result; bool value; } ambients[] = {
        {DISPID_AMBIENT_USERMODE, S_OK, true}, {DISPID_AMBIENT_UIDEAD, S_OK, false},
        {DISPID_AMBIENT_BACKCOLOR, DISP_E_MEMBERNOTFOUND, false}};
    // clang-format on
    for (const auto& [id, result, value] : ambients) {
        gs::UniqueVariant answer;
        DISPPARAMS none{};
        EXPECT_EQ(site->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, answer.put(), nullptr,
                               nullptr),
                  result)
            << id;
        EXPECT_EQ(answer.get()->vt == VT_BOOL && answer.get()->boolVal == VARIANT_TRUE, value)
            << id;
    }
    gs::ComPtr<IOleContainer> container;
    ASSERT_EQ(site->GetContainer(container.put()), S_OK);
    BOOL noRedraw = TRUE;
    EXPECT_EQ(site->OnInPlaceActivateEx(&noRedraw, 0), S_OK);
    EXPECT_FALSE(noRedraw);
    EXPECT_TRUE(FAILED(site->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS)));
    void* windowless = reinterpret_cast<void*>(1);
    EXPECT_EQ(site->QueryInterface(IID_IOleInPlaceSiteWindowless, &windowless), E_NOINTERFACE);
    EXPECT_EQ(windowless, nullptr);

    site->Detach();
    EXPECT_EQ(site->RequestUIActivate(), S_FALSE);
    EXPECT_EQ(site->CanInPlaceActivate(), S_FALSE);
    container.reset();
    site.reset();
    EXPECT_EQ(CActiveXSite::LiveCount(), sitesBefore) << "the container is the site's own count";
}

} // namespace
