// The image skin's cost: a program's start to its window's first painted frame with the
// shipped image skin against the same with the colour skin it replaced (each start a
// process of its own, as the shell's is: the imaging component loads in it), and a full
// repaint of a maximised window (1920 x 1080) against one BitBlt of that area. Rounds
// interleave; each result is a ratio of medians, measured in one run.
//   cd <build>/stage && wine ../bench/skin_bench.exe [rounds]
#include "bench/support/Clock.h"
#include "bench/support/Median.h"
#include "platform/win/Handles.h"
#include "platform/win/ModulePath.h"
#include "tests/lobby/ChildProcess.h"
#include "tests/platform/ui/SkinTestWindow.h"
#include "tests/support/FileBytes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using gs::bench::Median;
using gs::bench::Now;

// The colour skin the shipped skin had before it was drawn from images.
const char kColourSkin[] =
    R"(<Window size="1016,663" caption="0,0,0,30" roundcorner="10,10" bkcolor="#FF1E2A3A">
  <VerticalLayout bkcolor="#FF1E2A3A">
    <HorizontalLayout name="captionband" height="30" bkcolor="#FF27384F">
      <Label name="title" text="GameShell 游戏大厅" textcolor="#FFE8EEF5" fontsize="14" bold="true"
             textpadding="12,0,0,0" valign="center"/>
      <Button name="minbtn" width="40" text="—" textcolor="#FFE8EEF5" hotbkcolor="#FF3A5272"/>
      <Button name="maxbtn" width="40" text="□" textcolor="#FFE8EEF5" hotbkcolor="#FF3A5272"/>
      <Button name="restorebtn" width="40" text="▣" textcolor="#FFE8EEF5" visible="false"/>
      <Button name="closebtn" width="40" text="✕" textcolor="#FFE8EEF5" hotbkcolor="#FFC42B1C"/>
    </HorizontalLayout>
    <HorizontalLayout inset="8,0,8,8"><Control name="flash"/></HorizontalLayout>
  </VerticalLayout>
</Window>)";

class BenchWindow : public gs::test::SkinTestWindow {
public:
    void Notify(DuiLib::TNotifyUI&) override {}
};

// A 32-bit memory bitmap the size of the window's client area, to paint into.
class Canvas {
public:
    Canvas(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_selected = ::SelectObject(m_dc.get(), m_bitmap.get());
    }
    ~Canvas() { ::SelectObject(m_dc.get(), m_selected); }
    HDC dc() const { return m_dc.get(); }

private:
    gs::UniqueMemoryDC m_dc{::CreateCompatibleDC(nullptr)};
    gs::UniqueBitmap m_bitmap;
    HGDIOBJ m_selected = nullptr;
};

void Paint(HWND window, const Canvas& canvas) {
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    ::GdiFlush();
}

// One start: COM as the shell's start-up has it, the window with its skin built, its
// first frame painted; the exit code is the number of pictures decoded.
int PaintFirstFrame(const std::wstring& skinFolder) {
    (void)::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DuiLib::CPaintManagerUI::SetResourcePath(skinFolder.c_str());
    BenchWindow window;
    if (!window.Create(nullptr, L"bench", WS_POPUP, 0, 0, 0, 100, 100))
        return -1;
    Canvas canvas(1016, 663);
    Paint(window, canvas);
    return window.pm.GetImageDecodeCount();
}

// Milliseconds from starting the program to its exit after the first frame.
double TimeFirstFrame(const std::wstring& skinFolder, DWORD* decodes = nullptr) {
    const double start = Now();
    lobbytest::Child child(gs::ModuleFolder(nullptr) + L"skin_bench.exe",
                           {L"--first-frame", skinFolder});
    const lobbytest::ChildResult result = child.Finish();
    const double elapsed = Now() - start;
    if (decodes)
        *decodes = result.exitCode;
    return result.exited ? elapsed : -1;
}

struct Repaint {
    double full = 0;
    double blit = 0;
};

// The maximised window painted whole, against one copy of the same area.
Repaint TimeRepaint(const std::wstring& skinFolder, int rounds) {
    DuiLib::CPaintManagerUI::SetResourcePath(skinFolder.c_str());
    BenchWindow window;
    if (!window.Create(nullptr, L"bench", WS_POPUP, 0, 0, 0, 100, 100))
        return {};
    ::SetWindowPos(window, nullptr, 0, 0, 1920, 1080, SWP_NOZORDER | SWP_NOACTIVATE);
    Canvas target(1920, 1080), source(1920, 1080);
    Paint(window, target); // the pictures are decoded once, before the rounds
    std::vector<double> full, blit;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        Paint(window, target);
        full.push_back(Now() - start);
        start = Now();
        ::BitBlt(target.dc(), 0, 0, 1920, 1080, source.dc(), 0, 0, SRCCOPY);
        ::GdiFlush();
        blit.push_back(Now() - start);
    }
    ::DestroyWindow(window);
    return {Median(full), Median(blit)};
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"--first-frame")
        return PaintFirstFrame(argv[2]);
    const int rounds = argc > 1 ? std::max(3, _wtoi(argv[1])) : 21;
    wchar_t here[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, here);
    const std::wstring imageSkin = std::wstring(here) + L"\\skin\\";
    const std::wstring colourSkin = gs::test::TempPath(L"colour-skin", L"\\");
    ::CreateDirectoryW(colourSkin.c_str(), nullptr);
    gs::test::WriteFileBytes(colourSkin + L"skin.xml", kColourSkin);
    DWORD decodes = 0;
    (void)TimeFirstFrame(imageSkin);
    (void)TimeFirstFrame(colourSkin);
    std::vector<double> image, colour;
    for (int round = 0; round < rounds; ++round) {
        image.push_back(TimeFirstFrame(imageSkin, &decodes));
        colour.push_back(TimeFirstFrame(colourSkin));
    }
    const Repaint repaint = TimeRepaint(imageSkin, rounds);
    const Repaint plain = TimeRepaint(colourSkin, rounds);
    std::printf("first frame: image skin %.2f ms, colour skin %.2f ms, ratio %.2f (goal 1.2)\n",
                Median(image), Median(colour), Median(image) / Median(colour));
    std::printf("image decodes in one window: %lu\n", decodes);
    std::printf("maximised repaint: %.2f ms, one BitBlt %.2f ms, ratio %.2f (goal 4)\n",
                repaint.full, repaint.blit, repaint.full / repaint.blit);
    std::printf("maximised repaint of the colour skin: %.2f ms\n", plain.full);
    ::DeleteFileW((colourSkin + L"skin.xml").c_str());
    ::RemoveDirectoryW(colourSkin.c_str());
    return 0;
}
