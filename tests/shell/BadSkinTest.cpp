// Broken pictures in the skin never stop the shell: the picture is not drawn, the rest
// of the skin is, and the movie is hosted at its rectangle.
#include "tests/platform/ui/PaintedPixels.h"
#include "tests/support/FrameHarness.h"
#include "tests/support/PngFile.h"

#include <gtest/gtest.h>

#include <string>

using gs::test::FrameHarness;

namespace {

// The test frame's skin with a picture behind the title, over a colour of its own.
std::string SkinWithTitleImage(const std::string& image) {
    std::string skin = gs::test::FrameSkin();
    const std::string title = "<Label name=\"title\" text=\"t\"";
    return skin.replace(skin.find(title), title.size(),
                        title + " bkcolor=\"#FF123456\" bkimage=\"" + image + "\"");
}

} // namespace

TEST(BadSkin, ABrokenPictureSpoilsOnlyItself) {
    // clang-format off
    const struct { const char* what; const char* image; } cases[] = {
        {"missing", "missing.png"}, {"empty", "empty.png"}, {"truncated", "cut.png"},
        {"text named as a picture", "text.png"}, {"unknown format", "noise.png"},
        {"wider than 16384", "wide.png"}, {"over 64 MB decoded", "huge.png"},
        {"source outside the picture", "file='ok.png' source='0,0,5,4'"},
        {"corner outside the source", "file='ok.png' corner='2,0,3,0'"},
        {"malformed", "file='ok.png' source='1,2'"}, {"unknown key", "file='ok.png' colour='red'"},
        {"unterminated quote", "file='ok.png"}, {"leaves the skin folder", "..\\ok.png"},
        {"a drive", "C:\\windows\\win.ini"}, {"a server", "\\\\server\\share\\ok.png"},
    };
    // clang-format on
    for (const auto& [what, image] : cases) {
        SCOPED_TRACE(what);
        FrameHarness harness;
        const std::wstring& folder = harness.skin().Path();
        ASSERT_HRESULT_SUCCEEDED(gs::test::WriteSolidPng(folder + L"ok.png", 4, 4, 0xFFFFFFFF));
        const std::string picture = gs::test::ReadFileBytes(folder + L"ok.png");
        harness.skin().Write(L"empty.png", "");
        harness.skin().Write(L"cut.png", picture.substr(0, picture.size() / 2));
        harness.skin().Write(L"text.png", "<html>not a picture</html>");
        harness.skin().Write(L"noise.png", "RIFF\x13\x37WEBPVP8 garbage");
        ASSERT_HRESULT_SUCCEEDED(gs::test::WriteSolidPng(folder + L"wide.png", 16385, 1, ~0u));
        if (std::string(what).starts_with("over 64")) {
            ASSERT_HRESULT_SUCCEEDED(
                gs::test::WriteSolidPng(folder + L"huge.png", 4100, 4100, ~0u));
        }
        ASSERT_TRUE(harness.Start(SkinWithTitleImage(image), gs::test::QuietMovie()));
        auto& skin = harness.frame().GetPaintManager();
        const RECT& title = skin.FindControl(L"title")->GetPos(); // its text stands centred
        EXPECT_EQ(gs::test::PaintedPixels(harness.window()).At(title.left + 2, title.top + 2),
                  0x123456u);
        const RECT movie = skin.FindControl(L"flash")->GetPos(), expected{8, 30, 1008, 655};
        EXPECT_TRUE(::EqualRect(&movie, &expected));
    }
}
