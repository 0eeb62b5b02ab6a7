// The main frame at the screen's DPI. Wine reads the DPI once per process, from the
// prefix's HKCU\Control Panel\Desktop "LogPixels", so each DPI is measured by a child run
// of this program started after the value was written, and the value is removed again.
#include "platform/ui/LabelUI.h"
#include "platform/win/ModulePath.h"
#include "tests/lobby/ChildProcess.h"
#include "tests/support/FrameHarness.h"

#include <gtest/gtest.h>

#include <cstdlib>

using gs::test::Dims;
using gs::test::FrameHarness;
using gs::test::QuietMovie;
using gs::test::WindowSize;

namespace {

// The shape of the shipped skin at a size that fits the 1024 x 768 test screen even at
// 192 DPI; the movie area stretches.
std::string ScalingSkin(const char* size = "500,330") {
    return std::string("<Window size=\"") + size +
           "\" caption=\"0,0,0,30\" roundcorner=\"10,10\">"
           "<Font name=\"Tahoma\" size=\"14\" default=\"true\"/><VerticalLayout>"
           "<HorizontalLayout name=\"band\" height=\"30\"><Label name=\"title\" text=\"t\"/>"
           "<Button name=\"minbtn\" width=\"40\"/><Button name=\"maxbtn\" width=\"40\"/>"
           "<Button name=\"restorebtn\" width=\"40\" visible=\"false\"/>"
           "<Button name=\"closebtn\" width=\"40\"/></HorizontalLayout>"
           "<HorizontalLayout inset=\"8,0,8,8\"><Flash name=\"flash\"/></HorizontalLayout>"
           "</VerticalLayout></Window>";
}

// What the window measures at one DPI; 96-DPI figures scaled by length x dpi / 96,
// halves rounded up, worked out by hand. Rectangles are in client coordinates.
struct ScaleCase {
    const char* name;
    DWORD dpi;
    bool aware;
    const char* skinSize;
    Dims window;
    int band; // the caption band's height
    RECT close;
    int fontHeight; // the title's
    int corner;     // the round corner's width and height
    RECT player;    // the player's window
    Dims onSize;
};

// clang-format off
const ScaleCase kScaleCases[] = {
    {"96", 96, true, "500,330", {500, 330}, 30, {460, 0, 500, 30}, 14, 10, {8, 30, 492, 322}, {484, 292}},
    {"120", 120, true, "500,330", {625, 413}, 38, {575, 0, 625, 38}, 18, 13, {10, 38, 615, 403}, {605, 365}},
    {"144", 144, true, "500,330", {750, 495}, 45, {690, 0, 750, 45}, 21, 15, {12, 45, 738, 483}, {726, 438}},
    {"192", 192, true, "500,330", {1000, 660}, 60, {920, 0, 1000, 60}, 28, 20, {16, 60, 984, 644}, {968, 584}},
    {"144, DpiAware false", 144, false, "500,330", {500, 330}, 30, {460, 0, 500, 30}, 14, 10, {8, 30, 492, 322}, {484, 292}},
    // 1524 x 995 does not fit the 1024 x 768 work area: the width is filled and the movie
    // (1500 x 938, with 24 x 57 of chrome) keeps its aspect at 1000 x 625.
    {"144, larger than the screen", 144, true, "1016,663", {1024, 682}, 45, {964, 0, 1024, 45}, 21, 15, {12, 45, 1012, 670}, {1000, 625}},
};
// clang-format on

// The prefix's DPI while the object lives; the test prefix has no value of its own.
struct LogPixels {
    explicit LogPixels(DWORD dpi)
        : set(::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi,
                                sizeof dpi) == ERROR_SUCCESS) {}
    ~LogPixels() { (void)::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels"); }
    static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
    const bool set;
};

const char* ChildCase() {
    return std::getenv("GS_SCALE_CASE");
}

std::string Text(const RECT& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
           "," + std::to_string(rc.bottom);
}

RECT PositionOf(FrameHarness& harness, const wchar_t* name) {
    return harness.frame().GetPaintManager().FindControl(name)->GetPos();
}

RECT InClient(HWND frame, HWND child) {
    RECT rect{};
    (void)::GetWindowRect(child, &rect);
    (void)::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int TitleFontHeight(FrameHarness& harness) {
    auto* title =
        static_cast<DuiLib::CLabelUI*>(harness.frame().GetPaintManager().FindControl(L"title"));
    LOGFONTW font{};
    return ::GetObjectW(title->GetTextFont(), sizeof font, &font) ? -font.lfHeight : 0;
}

// The window's region against the one its size and corner make; Wine's EqualRgn does
// not compare regions made apart, so the two must leave nothing apart.
bool RegionIsRoundedBy(HWND window, Dims size, int corner) {
    gs::UniqueRegion actual(::CreateRectRgn(0, 0, 0, 0));
    gs::UniqueRegion expected(
        ::CreateRoundRectRgn(0, 0, size.first + 1, size.second + 1, corner, corner));
    gs::UniqueRegion apart(::CreateRectRgn(0, 0, 0, 0));
    return ::GetWindowRgn(window, actual.get()) != ERROR &&
           ::CombineRgn(apart.get(), actual.get(), expected.get(), RGN_XOR) == NULLREGION;
}

} // namespace

// Runs in a child started by Scale.EveryLengthFollowsTheScreensDpi, for one case.
TEST(ScaledFrame, MeasuresAsItsCaseSays) {
    if (!ChildCase())
        GTEST_SKIP() << "measured by a child of Scale.EveryLengthFollowsTheScreensDpi";
    const size_t index = static_cast<size_t>(std::atoi(ChildCase()));
    ASSERT_LT(index, std::size(kScaleCases));
    const ScaleCase& c = kScaleCases[index];
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(ScalingSkin(c.skinSize), QuietMovie(),
                              c.aware ? "" : "<DpiAware>false</DpiAware>"));
    EXPECT_EQ(WindowSize(harness.window()), c.window);
    EXPECT_EQ(Text(PositionOf(harness, L"band")), Text({0, 0, c.window.first, c.band}));
    EXPECT_EQ(Text(PositionOf(harness, L"closebtn")), Text(c.close));
    const long titleX = harness.ClientCentre(L"title").x;
    EXPECT_EQ(HitTest(harness, nullptr, {titleX, c.band - 1}), HTCAPTION);
    EXPECT_EQ(HitTest(harness, nullptr, {titleX, c.band}), HTCLIENT);
    EXPECT_EQ(HitTest(harness, nullptr, {c.close.left, c.close.top}), HTCLIENT);
    EXPECT_EQ(TitleFontHeight(harness), c.fontHeight);
    EXPECT_TRUE(RegionIsRoundedBy(harness.window(), c.window, c.corner));
    EXPECT_EQ(Text(InClient(harness.window(), PlayerWindow(harness))), Text(c.player));
    EXPECT_EQ(LastOnSize(harness), c.onSize);
}

TEST(Scale, EveryLengthFollowsTheScreensDpi) {
    if (ChildCase())
        GTEST_SKIP() << "a child measures one case";
    for (size_t i = 0; i < std::size(kScaleCases); ++i) {
        LogPixels dpi(kScaleCases[i].dpi);
        ASSERT_TRUE(dpi.set);
        lobbytest::Child child(gs::ModuleFilePath(nullptr),
                               {L"--gtest_filter=ScaledFrame.MeasuresAsItsCaseSays"},
                               {{L"GS_SCALE_CASE", std::to_wstring(i)}});
        const lobbytest::ChildResult result = child.Finish();
        EXPECT_TRUE(result.exited && result.exitCode == 0)
            << "at " << kScaleCases[i].name << " DPI:\n"
            << result.output;
    }
}

// Wine never moves a window to another scale itself: the message is sent as Windows
// would, with the rectangle it suggests for 192 DPI.
TEST(Scale, ANewDpiRescalesTheWholeWindowOnce) {
    if (ChildCase())
        GTEST_SKIP() << "a child measures one case";
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(ScalingSkin(), QuietMovie()));
    ASSERT_EQ(harness.frame().GetPaintManager().GetDpi(), 96) << "the prefix's DPI is 96";
    const int toldBefore = harness.Count("in <invoke name=\"OnSize\"");
    RECT suggested{40, 30, 1040, 690};
    ::SendMessageW(harness.window(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                   reinterpret_cast<LPARAM>(&suggested));
    RECT outer{};
    ASSERT_TRUE(::GetWindowRect(harness.window(), &outer));
    EXPECT_EQ(Text(outer), Text(suggested));
    EXPECT_EQ(Text(PositionOf(harness, L"closebtn")), Text({920, 0, 1000, 60}));
    EXPECT_EQ(TitleFontHeight(harness), 28);
    EXPECT_TRUE(RegionIsRoundedBy(harness.window(), {1000, 660}, 20));
    EXPECT_EQ(harness.Count("in <invoke name=\"OnSize\""), toldBefore + 1);
    EXPECT_EQ(LastOnSize(harness), Dims(968, 584));
    const SIZE chrome = harness.frame().GetChromeSize();
    EXPECT_EQ(Dims(chrome.cx, chrome.cy), Dims(32, 76)) << "the maximise rule's chrome follows";
}
