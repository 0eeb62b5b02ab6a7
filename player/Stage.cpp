#include "player/Stage.h"

#include "platform/ui/DpiScale.h"
#include "platform/win/DpiAwareness.h"
#include "platform/win/ResultMacros.h"
#include "player/Module.h"

namespace player {

namespace {

// Lengths at 96 DPI: the stage draws them at its window's DPI, as the player's own
// font (the system's dialog font) grows with it.
constexpr int Margin = 8;
constexpr int LineHeight = 18;
constexpr int ButtonWidth = 160;
constexpr int ButtonHeight = 26;
constexpr size_t MaxLines = 12;
constexpr size_t MaxReceived = 16;
constexpr UINT FirstButtonId = 1000;
constexpr COLORREF Background = RGB(236, 240, 248);

int g_liveStages = 0;

template <typename List> void Push(List& list, std::wstring item, size_t limit) {
    list.push_back(std::move(item));
    while (list.size() > limit)
        list.pop_front();
}

// The dialog font, bold: it keeps the system's fallback for Chinese text.
HFONT TitleFont() {
    LOGFONTW font{};
    if (!::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font))
        return nullptr;
    font.lfWeight = FW_BOLD;
    return ::CreateFontIndirectW(&font);
}

} // namespace

// The class belongs to this DLL, which COM may unload and load again at another
// address: a class left behind by an earlier load is replaced, and the class is
// unregistered with the last stage window.
HRESULT Stage::RegisterWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (::GetClassInfoExW(ModuleInstance(), ClassName, &windowClass)) {
        if (windowClass.lpfnWndProc == &Stage::WindowProc)
            return S_OK;
        (void)::UnregisterClassW(ClassName, ModuleInstance());
    }
    windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Stage::WindowProc;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = ClassName;
    return ::RegisterClassExW(&windowClass) ? S_OK : HRESULT_FROM_WIN32(::GetLastError());
}

HRESULT Stage::Create(HWND parent, const RECT& rect) {
    Destroy();
    GS_RETURN_IF_FAILED(RegisterWindowClass());
    m_dpi = gs::DpiOfWindow(parent);
    // WM_NCCREATE adopts the window into m_window.
    if (!::CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, rect.left,
                           rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                           nullptr, ModuleInstance(), this))
        return HRESULT_FROM_WIN32(::GetLastError());
    for (size_t index = 0; index < m_buttons.size(); ++index)
        CreateButton(index);
    UpdateCaption();
    m_titleFont.reset(TitleFont());
    return S_OK;
}

void Stage::Destroy() {
    if (!m_window)
        return;
    m_buttonWindows.clear();
    m_window.reset();
    if (g_liveStages == 0)
        (void)::UnregisterClassW(ClassName, ModuleInstance());
}

void Stage::Move(const RECT& rect) {
    if (m_window)
        (void)::MoveWindow(m_window.get(), rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, TRUE);
}

void Stage::Clear() {
    m_buttonWindows.clear();
    m_title.clear();
    m_status.clear();
    m_lines.clear();
    m_buttons.clear();
    m_received.clear();
    UpdateCaption();
    Redraw();
}

void Stage::SetTitle(std::wstring title) {
    m_title = std::move(title);
    UpdateCaption();
    Redraw();
}

void Stage::SetStatus(std::wstring status) {
    m_status = std::move(status);
    UpdateCaption();
    PlaceButtons();
    Redraw();
}

// The window text says what the stage shows first: why the movie cannot play, else its
// title. Tests and accessibility tools read it there.
void Stage::UpdateCaption() const {
    if (m_window)
        (void)::SetWindowTextW(m_window.get(),
                               m_status.empty() ? m_title.c_str() : m_status.c_str());
}

void Stage::AddText(std::wstring line) {
    Push(m_lines, std::move(line), MaxLines);
    PlaceButtons();
    Redraw();
}

void Stage::AddButton(std::wstring label) {
    m_buttons.push_back(std::move(label));
    CreateButton(m_buttons.size() - 1);
    Redraw();
}

void Stage::AddReceived(std::wstring call) {
    Push(m_received, std::move(call), MaxReceived);
    Redraw();
}

bool Stage::StartTimer(UINT_PTR id, UINT milliseconds) {
    return m_window && ::SetTimer(m_window.get(), id, milliseconds, nullptr) != 0;
}

void Stage::StopTimer(UINT_PTR id) {
    if (m_window)
        (void)::KillTimer(m_window.get(), id);
}

LRESULT CALLBACK Stage::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* stage = static_cast<Stage*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(stage));
        stage->m_window.reset(window);
        ++g_liveStages;
    }
    auto* stage = reinterpret_cast<Stage*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!stage)
        return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed by us or with the host's window: either way the handles are gone.
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        for (gs::UniqueWindow& button : stage->m_buttonWindows)
            (void)button.release();
        (void)stage->m_window.release();
        --g_liveStages;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return stage->HandleMessage(message, wParam, lParam);
}

LRESULT Stage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE: // a wider or narrower stage fits more or fewer buttons in a row
        PlaceButtons();
        Redraw();
        return 0;
    case WM_TIMER:
        m_events.OnStageTimer(wParam);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= FirstButtonId)
            m_events.OnStageButton(LOWORD(wParam) - FirstButtonId);
        return 0;
    default:
        return ::DefWindowProcW(m_window.get(), message, wParam, lParam);
    }
}

void Stage::Paint() {
    gs::PaintDC paint(m_window.get());
    RECT client{};
    (void)::GetClientRect(m_window.get(), &client);
    gs::UniqueBrush background(::CreateSolidBrush(Background));
    (void)::FillRect(paint.get(), &client, background.get());
    gs::SelectedObject font(paint.get(), ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(paint.get(), TRANSPARENT);
    int y = Px(Margin);
    {
        HGDIOBJ titleFont = m_titleFont ? m_titleFont.get() : ::GetStockObject(DEFAULT_GUI_FONT);
        gs::SelectedObject bold(paint.get(), titleFont);
        y = DrawLine(paint.get(), y, m_title.empty() ? L"(test player)" : m_title, RGB(0, 0, 96));
    }
    if (!m_status.empty())
        y = DrawLine(paint.get(), y, m_status, RGB(176, 0, 0));
    for (const std::wstring& line : m_lines)
        y = DrawLine(paint.get(), y, line, RGB(0, 0, 0));
    y = ButtonsBottom();
    y = DrawLine(paint.get(), y, L"Calls received:", RGB(64, 64, 64));
    for (const std::wstring& call : m_received)
        y = DrawLine(paint.get(), y, L"  " + call, RGB(0, 96, 0));
}

int Stage::Px(int length) const {
    return DuiLib::ScaleToDpi(length, m_dpi);
}

int Stage::DrawLine(HDC dc, int y, const std::wstring& text, COLORREF color) const {
    RECT client{};
    (void)::GetClientRect(m_window.get(), &client);
    RECT line{Px(Margin), y, client.right - Px(Margin), y + Px(LineHeight)};
    ::SetTextColor(dc, color);
    (void)::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &line,
                      DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    return y + Px(LineHeight);
}

int Stage::ButtonsTop() const {
    size_t lines = 1 + (m_status.empty() ? 0 : 1) + m_lines.size();
    return Px(Margin) + static_cast<int>(lines) * Px(LineHeight) + Px(Margin);
}

// Buttons fill rows as wide as the stage, below the text lines.
size_t Stage::ButtonsPerRow() const {
    RECT client{};
    (void)::GetClientRect(m_window.get(), &client);
    int perRow = (client.right - Px(Margin)) / (Px(ButtonWidth) + Px(Margin));
    return static_cast<size_t>(perRow > 1 ? perRow : 1);
}

POINT Stage::ButtonPosition(size_t index) const {
    size_t perRow = ButtonsPerRow();
    return {Px(Margin) + static_cast<int>(index % perRow) * (Px(ButtonWidth) + Px(Margin)),
            ButtonsTop() + static_cast<int>(index / perRow) * (Px(ButtonHeight) + Px(Margin))};
}

int Stage::ButtonsBottom() const {
    if (m_buttons.empty())
        return ButtonsTop();
    size_t rows = (m_buttons.size() + ButtonsPerRow() - 1) / ButtonsPerRow();
    return ButtonsTop() + static_cast<int>(rows) * (Px(ButtonHeight) + Px(Margin));
}

void Stage::CreateButton(size_t index) {
    if (!m_window)
        return;
    POINT at = ButtonPosition(index);
    HWND button = ::CreateWindowExW(
        0, L"BUTTON", m_buttons[index].c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, at.x, at.y,
        Px(ButtonWidth), Px(ButtonHeight), m_window.get(),
        reinterpret_cast<HMENU>(FirstButtonId + index), ModuleInstance(), nullptr);
    m_buttonWindows.emplace_back(button);
    ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
}

void Stage::PlaceButtons() {
    for (size_t index = 0; index < m_buttonWindows.size(); ++index) {
        POINT at = ButtonPosition(index);
        (void)::SetWindowPos(m_buttonWindows[index].get(), nullptr, at.x, at.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Stage::Redraw() const {
    // The buttons too: a button moved down by a new text line must not leave its old
    // picture behind.
    if (m_window)
        (void)::RedrawWindow(m_window.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

} // namespace player
