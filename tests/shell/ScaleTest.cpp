// The main frame at the screen's DPI. Wine reads the DPI once per process, from the
// prefix's HKCU\Control Panel\Desktop "LogPixels", so each DPI is measured by a child run
// of this program started after the value was written; the value is put back afterwards.
#include "platform/host/ActiveXUI.h"
#include "platform/ui/LabelUI.h"
#include "platform/win/ModulePath.h"
#include "tests/lobby/ChildProcess.h"
#include "tests/support/FrameHarness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using gs::test::FrameHarness;
using gs::test::QuietMovie;

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
// halves rounded up, worked out by hand.
struct ScaleCase {
    const char* name;
    DWORD dpi;
    bool aware;
    const char* skinSize;
    SIZE window;
    int band;       // the caption band's height
    RECT close;     // the close button, client coordinates
    int fontHeight; // the title's character height
    int corner;     // the round corner's width and height
    RECT flash;     // the player's window, client coordinates
    SIZE onSize;    // the size the movie is told
};

const ScaleCase kScaleCases[] = {
    {"96",
     96,
     true,
     "500,330",
     {500, 330},
     30,
     {460, 0, 500, 30},
     14,
     10,
     {8, 30, 492, 322},
     {484, 292}},
    {"120",
     120,
     true,
     "500,330",
     {625, 413},
     38,
     {575, 0, 625, 38},
     18,
     13,
     {10, 38, 615, 403},
     {605, 365}},
    {"144",
     144,
     true,
     "500,330",
     {750, 495},
     45,
     {690, 0, 750, 45},
     21,
     15,
     {12, 45, 738, 483},
     {726, 438}},
    {"192",
     192,
     true,
     "500,330",
     {1000, 660},
     60,
     {920, 0, 1000, 60},
     28,
     20,
     {16, 60, 984, 644},
     {968, 584}},
    {"144, DpiAware false",
     144,
     false,
     "500,330",
     {500, 330},
     30,
     {460, 0, 500, 30},
     14,
     10,
     {8, 30, 492, 322},
     {484, 292}},
    // 1524 x 995 does not fit the 1024 x 768 work area: the width is filled, the movie
    // (1500 x 938 plus 24 x 57 of chrome) keeps its aspect: 1000 x 625.
    {"144, larger than the screen",
     144,
     true,
     "1016,663",
     {1024, 682},
     45,
     {964, 0, 1024, 45},
     21,
     15,
     {12, 45, 1012, 670},
     {1000, 625}},
};

constexpr wchar_t kCaseVariable[] = L"GS_SCALE_CASE";

// The prefix's DPI for the life of the object; the value it had (or its absence) comes back.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi) {
        DWORD size = sizeof m_saved;
        m_hadValue = ::RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr,
                                    &m_saved, &size) == ERROR_SUCCESS;
        m_set = Write(dpi);
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;
    ~LogPixels() {
        if (m_hadValue)
            (void)Write(m_saved);
        else
            (void)::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
    }
    bool set() const { return m_set; }

private:
    static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
    static constexpr wchar_t kValue[] = L"LogPixels";
    static bool Write(DWORD dpi) {
        return ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &dpi, sizeof dpi) ==
               ERROR_SUCCESS;
    }
    DWORD m_saved = 0;
    bool m_hadValue = false;
    bool m_set = false;
};

std::optional<size_t> ChildCase() {
    const char* index = std::getenv("GS_SCALE_CASE");
    if (!index)
        return std::nullopt;
    return static_cast<size_t>(std::atoi(index));
}

RECT InClient(HWND frame, HWND child) {
    RECT rect{};
    (void)::GetWindowRect(child, &rect);
    (void)::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LRESULT HitTestAt(HWND window, POINT client) {
    (void)::ClientToScreen(window, &client);
    return ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(client.x, client.y));
}

int TitleFontHeight(FrameHarness& harness) {
    auto* title =
        static_cast<DuiLib::CLabelUI*>(harness.frame().GetPaintManager().FindControl(L"title"));
    LOGFONTW font{};
    return ::GetObjectW(title->GetTextFont(), sizeof font, &font) ? -font.lfHeight : 0;
}

bool RegionIsRoundedBy(HWND window, SIZE size, int corner) {
    gs::UniqueRegion actual(::CreateRectRgn(0, 0, 0, 0));
    gs::UniqueRegion expected(::CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, corner, corner));
    if (::GetWindowRgn(window, actual.get()) == ERROR)
        return false;
    gs::UniqueRegion difference(::CreateRectRgn(0, 0, 0, 0));
    return ::CombineRgn(difference.get(), actual.get(), expected.get(), RGN_XOR) == NULLREGION;
}

SIZE LastOnSize(const FrameHarness& harness) {
    SIZE size{-1, -1};
    for (const std::string& line : harness.Transcript())
        (void)std::sscanf(line.c_str(),
                          "in <invoke name=\"OnSize\" returntype=\"xml\"><arguments><number>%ld"
                          "</number><number>%ld",
                          &size.cx, &size.cy);
    return size;
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

} // namespace

// Runs in a child started by Scale.EveryLengthFollowsTheScreensDpi, for one case.
TEST(ScaledFrame, MeasuresAsItsCaseSays) {
    const std::optional<size_t> index = ChildCase();
    if (!index)
        GTEST_SKIP() << "measured by a child of Scale.EveryLengthFollowsTheScreensDpi";
    ASSERT_LT(*index, std::size(kScaleCases));
    const ScaleCase& c = kScaleCases[*index];
    FrameHarness harness;
    ASSERT_TRUE(harness.Start(ScalingSkin(c.skinSize), QuietMovie(),
                              c.aware ? "" : "<DpiAware>false</DpiAware>"));
    HWND window = harness.window();
    RECT outer{};
    ASSERT_TRUE(::GetWindowRect(window, &outer));
    EXPECT_EQ(outer.right - outer.left, c.window.cx);
    EXPECT_EQ(outer.bottom - outer.top, c.window.cy);
    ExpectRect(harness.frame().GetPaintManager().FindControl(L"band")->GetPos(),
               {0, 0, c.window.cx, c.band}, "caption band");
    ExpectRect(harness.frame().GetPaintManager().FindControl(L"closebtn")->GetPos(), c.close,
               "close button");
    const POINT title = harness.ClientCentre(L"title");
    EXPECT_EQ(HitTestAt(window, {title.x, c.band - 1}), HTCAPTION);
    EXPECT_EQ(HitTestAt(window, {title.x, c.band}), HTCLIENT);
    EXPECT_EQ(HitTestAt(window, {c.close.left, c.close.top}), HTCLIENT);
    EXPECT_EQ(TitleFontHeight(harness), c.fontHeight);
    EXPECT_TRUE(RegionIsRoundedBy(window, c.window, c.corner));
    auto* flash =
        dynamic_cast<DuiLib::CActiveXUI*>(harness.frame().GetPaintManager().FindControl(L"flash"));
    ASSERT_TRUE(flash && flash->GetHostWindow());
    ExpectRect(InClient(window, flash->GetHostWindow()), c.flash, "player window");
    const SIZE told = LastOnSize(harness);
    EXPECT_EQ(told.cx, c.onSize.cx);
    EXPECT_EQ(told.cy, c.onSize.cy);
}

TEST(Scale, EveryLengthFollowsTheScreensDpi) {
    if (ChildCase())
        GTEST_SKIP() << "a child measures one case";
    const std::wstring self = gs::ModuleFilePath(nullptr);
    for (size_t i = 0; i < std::size(kScaleCases); ++i) {
        LogPixels dpi(kScaleCases[i].dpi);
        ASSERT_TRUE(dpi.set());
        lobbytest::Child child(self, {L"--gtest_filter=ScaledFrame.MeasuresAsItsCaseSays"},
                               {{kCaseVariable, std::to_wstring(i)}});
        const lobbytest::ChildResult result = child.Finish();
        EXPECT_TRUE(result.exited && result.exitCode == 0)
            << "at " << kScaleCases[i].name << " DPI:\n"
            << result.output;
    }
}

// Wine never moves a window to another scale itself: the message is sent as Windows
// would, with the rectangle it suggests for 192 DPI.
TEST(Scale, ANewDpiRescalesTheSkinAndTellsTheMovieItsSizeOnce) {
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
    ExpectRect(outer, suggested, "window");
    ExpectRect(harness.frame().GetPaintManager().FindControl(L"closebtn")->GetPos(),
               {920, 0, 1000, 60}, "close button");
    EXPECT_EQ(TitleFontHeight(harness), 28);
    EXPECT_TRUE(RegionIsRoundedBy(harness.window(), {1000, 660}, 20));
    EXPECT_EQ(harness.Count("in <invoke name=\"OnSize\""), toldBefore + 1);
    const SIZE told = LastOnSize(harness);
    EXPECT_EQ(told.cx, 968);
    EXPECT_EQ(told.cy, 584);
    EXPECT_EQ(harness.frame().GetChromeSize().cx, 32) << "the maximise rule's chrome follows";
    EXPECT_EQ(harness.frame().GetChromeSize().cy, 76);
}
