#pragma once
// The player's own child window, where the movie is drawn: a title, a status line
// (why a movie could not be played), the movie's text lines, its buttons (real push
// buttons, so that tests can click them) and the list of the calls it has received.
// Its timers drive the movie's waits and the file-dialog answers, so that nothing
// blocks the UI thread and nothing rides on the host's own windows.
#include "platform/win/Handles.h"

#include <deque>
#include <string>
#include <vector>

namespace player {

class StageEvents {
public:
    virtual void OnStageTimer(UINT_PTR id) = 0;
    virtual void OnStageButton(size_t index) = 0;

protected:
    ~StageEvents() = default;
};

class Stage {
public:
    static constexpr wchar_t ClassName[] = L"GameShellTestPlayerStage";

    explicit Stage(StageEvents& events) : m_events(events) {}
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;
    ~Stage() { Destroy(); }

    HRESULT Create(HWND parent, const RECT& rect);
    void Destroy();
    HWND Window() const { return m_window.get(); }
    void Move(const RECT& rect);

    void Clear();
    void SetTitle(std::wstring title);
    void SetStatus(std::wstring status);
    void AddText(std::wstring line);
    void AddButton(std::wstring label);
    void AddReceived(std::wstring call);

    bool StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);

private:
    static HRESULT RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    // A 96-DPI length at the stage window's DPI.
    int Px(int length) const;
    int DrawLine(HDC dc, int y, const std::wstring& text, COLORREF color) const;
    int ButtonsTop() const;
    size_t ButtonsPerRow() const;
    POINT ButtonPosition(size_t index) const;
    int ButtonsBottom() const;
    void CreateButton(size_t index);
    void PlaceButtons();
    void Redraw() const;
    void UpdateCaption() const;

    StageEvents& m_events;
    gs::UniqueWindow m_window;
    std::vector<gs::UniqueWindow> m_buttonWindows;
    gs::UniqueFont m_titleFont;
    int m_dpi = 96;
    std::wstring m_title;
    std::wstring m_status;
    std::deque<std::wstring> m_lines;
    std::vector<std::wstring> m_buttons;
    std::deque<std::wstring> m_received;
};

} // namespace player
