// Skin images on a real window: every form of the image value, the button's state
// images under real mouse messages, each file decoded once, and the skin's memory bound;
// at other DPIs, cells and corners on their scaled pixels and the @2x twins.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "PaintedPixels.h"
#include "SkinFolder.h"
#include "SkinTestWindow.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PngFile.h"

using namespace gs::test;

namespace {

// A 9 x 9 picture of nine 3 x 3 cells, each of its own colour.
constexpr std::uint32_t kCells[3][3] = {
    {0x110000, 0x220000, 0x330000}, {0x001100, 0x002200, 0x003300}, {0x000011, 0x000022, 0x000033}};
// A sprite sheet of three 4 x 4 cells.
constexpr std::uint32_t kSheet[3] = {0x112233, 0x445566, 0x778899};

const char kSkin[] = R"(<Window size="240,60" bkcolor="#FF000000">
  <VerticalLayout>
    <HorizontalLayout height="30">
      <Control width="30" bkimage="file='grid.png' corner='3,3,3,3'"/>
      <Control width="30" bkcolor="#FF0000FF" bkimage="file='grid.png' corner='3,3,3,3' hole='true'"/>
      <Control width="30" bkimage="file='stripes.png' xtiled='true'"/>
      <Control width="30" bkimage="stripes.png"/>
      <Control width="30" bkimage="file='sheet.png' source='4,0,8,4'"/>
      <Control width="30" bkcolor="#FF00FF00" bkimage="file='magenta.png' mask='#FFFF00FF'"/>
      <Control width="30" bkimage="file='white.png' fade='128'"/>
      <Control width="30" bkcolor="#FF204060" bkimage="half.png"/>
    </HorizontalLayout>
    <HorizontalLayout height="30">
      <Button name="button" width="30" normalimage="file='sheet.png' source='0,0,4,4'"
              hotimage="file='sheet.png' source='4,0,8,4'" pushedimage="file='sheet.png' source='8,0,12,4'"/>
      <Button name="off" width="30" enabled="false" normalimage="file='sheet.png' source='0,0,4,4'"
              disabledimage="file='sheet.png' source='8,0,12,4'"/>
      <Control width="30" bkcolor="#FF0000FF" bkimage="file='white.png' dest='10,10,20,20'"
               foreimage="file='half.png' dest='0,0,5,30'"/>
    </HorizontalLayout>
  </VerticalLayout>
</Window>)";

// Two square cells: the first of one colour, the second a nine-grid of insets a third of
// its side, with corners, edges and centre of their own colours. The twin's corners have
// a colour the 1x file lacks.
constexpr DWORD kFirstCell = 0x808080, kCorner = 0xC00000, kTwinCorner = 0x00C000, kEdge = 0x0000C0,
                kCentre = 0xC0C000;

std::vector<std::uint32_t> GridSheet(int scale, DWORD corner) {
    const int cell = 12 * scale, inset = 4 * scale;
    const auto inInset = [&](int at) { return at < inset || at >= cell - inset; };
    const DWORD byInsets[] = {kCentre, kEdge, corner};
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < 2 * cell; ++x)
            pixels.push_back(0xFF000000 |
                             (x < cell ? kFirstCell : byInsets[inInset(x - cell) + inInset(y)]));
    return pixels;
}

// Three controls sharing the window's width: the sheet with its twin, one without, one
// whose twin is no picture.
const char kScaledSkin[] = R"(<Window bkcolor="#FF000000"><HorizontalLayout>
  <Control bkimage="file='cells.png' source='12,0,24,12' corner='4,4,4,4'"/>
  <Control bkimage="file='lone.png' source='12,0,24,12' corner='4,4,4,4'"/>
  <Control bkimage="file='broken.png' source='12,0,24,12' corner='4,4,4,4'"/>
</HorizontalLayout></Window>)";

class ImageWindow : public SkinTestWindow {
public:
    void Notify(DuiLib::TNotifyUI& msg) override { clicks += msg.sType == L"click"; }
    int clicks = 0;
};

void WritePictures(const SkinFolder& folder) {
    std::vector<std::uint32_t> grid(81), stripes{0xFFFF0000, 0xFF0000FF}, sheet(48), magenta(16);
    for (int i = 0; i < 81; ++i)
        grid[i] = 0xFF000000 | kCells[i / 9 / 3][i % 9 / 3];
    for (int i = 0; i < 48; ++i)
        sheet[i] = 0xFF000000 | kSheet[i % 12 / 4];
    for (int i = 0; i < 16; ++i)
        magenta[i] = i % 4 < 2 ? 0xFFFF00FF : 0xFFFFFFFF;
    const std::wstring& at = folder.Path();
    ASSERT_HRESULT_SUCCEEDED(WritePng(at + L"grid.png", 9, 9, grid));
    ASSERT_HRESULT_SUCCEEDED(WritePng(at + L"stripes.png", 2, 1, stripes));
    ASSERT_HRESULT_SUCCEEDED(WritePng(at + L"sheet.png", 12, 4, sheet));
    ASSERT_HRESULT_SUCCEEDED(WritePng(at + L"magenta.png", 4, 4, magenta));
    ASSERT_HRESULT_SUCCEEDED(WriteSolidPng(at + L"white.png", 4, 4, 0xFFFFFFFF));
    ASSERT_HRESULT_SUCCEEDED(WriteSolidPng(at + L"half.png", 4, 4, 0x80FFFFFF));
}

// Alpha blending of premultiplied white at `alpha` over `under`, channel by channel.
bool Blended(DWORD painted, int alpha, DWORD under) {
    for (int shift : {0, 8, 16}) {
        const double expected = alpha + ((under >> shift) & 0xFF) * (255.0 - alpha) / 255.0;
        if (std::abs(static_cast<double>((painted >> shift) & 0xFF) - expected) > 1.0)
            return false;
    }
    return true;
}

class Images : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_NO_FATAL_FAILURE(WritePictures(folder));
        folder.Write(L"skin.xml", kSkin);
        ASSERT_NE(window.Create(nullptr, L"images", WS_POPUP, 0, 0, 0, 100, 100), nullptr);
        window.ShowWindow(true, false);
        PumpPending();
    }
    void TearDown() override {
        if (window.GetHWND())
            ::DestroyWindow(window);
        ::CoUninitialize();
    }
    void Attach(const wchar_t* name, const std::string& skin) {
        folder.Write(name, skin);
        DuiLib::CDialogBuilder builder;
        window.pm.AttachDialog(builder.Create(name, nullptr, nullptr, &window.pm, nullptr));
    }
    void Resize(int width, int height) {
        ::SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    void Send(UINT message, POINT at, WPARAM keys = 0) {
        ::SendMessageW(window, message, keys, MAKELPARAM(at.x, at.y));
    }

    SkinFolder folder;
    ImageWindow window;
};

} // namespace

TEST_F(Images, EveryFormOfTheImageValueDrawsWhereItSays) {
    // clang-format off
    const struct { const char* what; POINT at; DWORD colour; } drawn[] = {
        {"corner, unscaled", {2, 2}, kCells[0][0]}, {"corner", {28, 1}, kCells[0][2]},
        {"top edge from the corner's end", {3, 1}, kCells[0][1]},
        {"top edge, stretched", {15, 1}, kCells[0][1]}, {"right edge", {28, 15}, kCells[1][2]},
        {"left edge, stretched", {1, 15}, kCells[1][0]}, {"corner", {1, 28}, kCells[2][0]},
        {"centre, stretched", {15, 15}, kCells[1][1]},
        {"bottom edge", {15, 28}, kCells[2][1]}, {"corner", {29, 29}, kCells[2][2]},
        {"hole: the centre is left", {45, 15}, 0x0000FF},
        {"hole: the corners are drawn", {31, 1}, kCells[0][0]},
        {"tiled", {60, 15}, 0xFF0000}, {"tiled", {61, 15}, 0x0000FF}, {"tiled", {88, 15}, 0xFF0000},
        {"stretched", {91, 15}, 0xFF0000}, {"stretched", {115, 15}, 0x0000FF},
        {"a sheet's cell", {135, 15}, kSheet[1]}, {"mask", {155, 15}, 0x00FF00},
        {"mask keeps other colours", {175, 15}, 0xFFFFFF}, {"dest", {75, 45}, 0xFFFFFF},
        {"outside dest", {72, 38}, 0x0000FF}, {"beside both dests", {67, 45}, 0x0000FF},
    };
    // clang-format on
    const PaintedPixels pixels(window);
    for (const auto& [what, at, colour] : drawn)
        EXPECT_EQ(pixels.At(at.x, at.y), colour) << what << " at " << at.x << "," << at.y;
    EXPECT_TRUE(Blended(pixels.At(195, 15), 128, 0x000000)) << "fade, " << pixels.At(195, 15);
    EXPECT_TRUE(Blended(pixels.At(225, 15), 128, 0x204060)) << "alpha, " << pixels.At(225, 15);
    EXPECT_TRUE(Blended(pixels.At(62, 45), 128, 0x0000FF)) << "fore image over the background";
    EXPECT_EQ(window.pm.GetImageDecodeCount(), 6) << "one decode per file, mask apart";
    (void)PaintedPixels(window);
    EXPECT_EQ(window.pm.GetImageDecodeCount(), 6);
}

TEST_F(Images, AButtonShowsTheImageOfItsState) {
    const POINT on{15, 45};
    EXPECT_EQ(PaintedPixels(window).At(on.x, on.y), kSheet[0]);
    Send(WM_MOUSEMOVE, on);
    EXPECT_EQ(PaintedPixels(window).At(on.x, on.y), kSheet[1]) << "hot";
    Send(WM_LBUTTONDOWN, on, MK_LBUTTON);
    EXPECT_EQ(PaintedPixels(window).At(on.x, on.y), kSheet[2]) << "pushed";
    Send(WM_LBUTTONUP, on);
    EXPECT_EQ(window.clicks, 1);
    Send(WM_MOUSEMOVE, POINT{200, 50});
    EXPECT_EQ(PaintedPixels(window).At(on.x, on.y), kSheet[0]) << "left";
}

TEST_F(Images, ADisabledButtonTakesNoClick) {
    const POINT off{45, 45};
    EXPECT_EQ(PaintedPixels(window).At(off.x, off.y), kSheet[2]) << "disabled";
    Send(WM_MOUSEMOVE, off);
    Send(WM_LBUTTONDOWN, off, MK_LBUTTON);
    Send(WM_LBUTTONUP, off);
    EXPECT_EQ(window.clicks, 0);
    EXPECT_EQ(PaintedPixels(window).At(off.x, off.y), kSheet[2]);
}

// Five decodes of one large picture (a mask each): the skin's bound lets four of them in.
TEST_F(Images, PicturesPastTheSkinsMemoryBoundAreNotDrawn) {
    ASSERT_HRESULT_SUCCEEDED(WriteSolidPng(folder.Path() + L"large.png", 3800, 3800, 0xFFFFFFFF));
    std::string skin = "<Window size=\"50,10\" bkcolor=\"#FF000000\"><HorizontalLayout>";
    for (int i = 0; i < 5; ++i)
        skin += "<Control width=\"10\" bkimage=\"file='large.png' mask='#FF00000" +
                std::to_string(i) + "'\"/>";
    Attach(L"large.xml", skin + "</HorizontalLayout></Window>");
    const PaintedPixels pixels(window);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pixels.At(10 * i + 5, 5), 0xFFFFFFu) << i;
    EXPECT_EQ(pixels.At(45, 5), 0u) << "the fifth is past the bound";
}

// The 96-DPI control is 40 pixels square; its cell's corners are 4 pixels of the 1x file.
TEST_F(Images, CellsAreDrawnAtEveryDpiFromTheRightPicture) {
    const std::wstring& at = folder.Path();
    for (const wchar_t* name : {L"cells.png", L"lone.png", L"broken.png"})
        ASSERT_HRESULT_SUCCEEDED(WritePng(at + name, 24, 12, GridSheet(1, kCorner)));
    ASSERT_HRESULT_SUCCEEDED(WritePng(at + L"cells@2x.png", 48, 24, GridSheet(2, kTwinCorner)));
    folder.Write(L"broken@2x.png", "not a picture");
    Attach(L"scaled.xml", kScaledSkin);
    const struct {
        int dpi, side, corner;
        bool twin;
    } rows[] = {{96, 40, 4, false}, {120, 50, 5, false}, {144, 60, 6, true}, {192, 80, 8, true}};
    for (const auto& [dpi, side, corner, twin] : rows) {
        window.pm.SetDpi(dpi);
        Resize(3 * side, side);
        const PaintedPixels pixels(window);
        for (int control = 0; control < 3; ++control) {
            const DWORD ownCorner = twin && control == 0 ? kTwinCorner : kCorner;
            const std::pair<int, DWORD> steps[] = {{corner - 1, ownCorner},
                                                   {corner, kEdge},
                                                   {side - corner - 1, kEdge},
                                                   {side - corner, ownCorner}};
            for (const auto& [along, colour] : steps) {
                EXPECT_EQ(pixels.At(control * side + along, 0), colour)
                    << dpi << " DPI, control " << control << ", x " << along;
                EXPECT_EQ(pixels.At(control * side, along), colour)
                    << dpi << " DPI, control " << control << ", y " << along;
            }
        }
    }
}

// Four 16 MB pictures at 96 DPI are 64 MB each at 192: together they fit the skin's bound
// only once the 96-DPI ones have left it.
TEST_F(Images, ANewDpiReplacesThePicturesWithinTheBound) {
    ASSERT_HRESULT_SUCCEEDED(WriteSolidPng(folder.Path() + L"big.png", 2000, 2000, 0xFFFFFFFF));
    std::string skin = "<Window bkcolor=\"#FF000000\"><HorizontalLayout>";
    for (int i = 0; i < 4; ++i)
        skin += "<Control bkimage=\"file='big.png' mask='#FF00000" + std::to_string(i) + "'\"/>";
    Attach(L"big.xml", skin + "</HorizontalLayout></Window>");
    Resize(40, 10);
    const int before = window.pm.GetImageDecodeCount();
    for (int dpi : {96, 192}) {
        window.pm.SetDpi(dpi);
        const PaintedPixels pixels(window);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(pixels.At(10 * i + 5, 5), 0xFFFFFFu) << dpi << " DPI, picture " << i;
    }
    EXPECT_EQ(window.pm.GetImageDecodeCount() - before, 4 + 8)
        << "each again at 192, after its missing twin";
}
