#pragma once
// The one main window and the owner of all per-process state: the skin's paint
// manager, the launch record with the codec binding, the settings and the values taken
// from them, the text waiting to be saved, the recorded sizes and the caption buttons.
// The system draws no frame: the whole window is client area, drawn by the skin.
#include "files/FileRequestQueue.h"
#include "launch/EnterGameInfo.h"
#include "platform/host/FlashEventHandler.h"
#include "platform/ui/Markup.h"
#include "platform/ui/PaintManagerUI.h"
#include "platform/ui/WindowWnd.h"
#include "shell/FileFilter.h"

class CShellFrameWnd : public DuiLib::CWindowWnd,
                       public DuiLib::INotifyUI,
                       public DuiLib::CFlashEventHandler {
public:
    static constexpr UINT_PTR IDT_LOADFILE = 1000;
    static constexpr UINT_PTR IDT_SAVEFILE = 1001;

    CShellFrameWnd();
    ~CShellFrameWnd() override;

    LPCTSTR GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hWnd) override;

    void Notify(DuiLib::TNotifyUI& msg) override;
    HRESULT FlashCall(LPCTSTR request) override;

    HRESULT CallFlash(LPCTSTR request);
    // The same for a request built as the player's string: it is handed over as it is.
    HRESULT CallFlash(gs::UniqueBstr request);
    bool GetControlSize(LPCTSTR name, int& width, int& height);
    void FindCaptionButtons();
    // The Flash control's laid-out size; false when there is none, or it has no area yet.
    bool MovieAreaSize(int& width, int& height);

    // The window title: the settings' "TaskBarName" text, empty when there is none.
    LPCTSTR GetTaskBarName() const;
    // False when the settings' "DpiAware" says "false": the shell then draws at 96 DPI and
    // leaves any scaling to Windows, for a movie that cannot cope with larger sizes.
    bool IsDpiAware() const { return m_dpiAware; }

    // What the settings and the movie's activation left behind, for inspection.
    const DuiLib::CDuiString& GetMoviePath() const { return m_moviePath; }
    const DuiLib::CDuiString& GetFileExt() const { return m_fileExt; }
    const wchar_t* GetFileFilter() const { return m_fileFilter; }
    SIZE GetChromeSize() const { return m_szChrome; }
    SIZE GetMovieSize() const { return m_szMovie; }
    const EnterGameInfo& GetEnterGameInfo() const { return m_enterGame; }
    DuiLib::CPaintManagerUI& GetPaintManager() { return m_pm; }

private:
    class Commands;

    void LoadSettings();

    // The message table. A handler that may let its message go on to the paint manager
    // takes the handled flag; the others answer their message alone.
    LRESULT RouteMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& handled);
    LRESULT OnCreate();
    static LRESULT DestroyWithoutQuitting();
    LRESULT OnSize(BOOL& handled);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    static LRESULT LeaveClosingToMovie();
    LRESULT OnGetMinMaxInfo(LPARAM lParam, BOOL& handled);
    static LRESULT KeepWholeWindowAsClientArea();
    LRESULT OnNcHitTest(LPARAM lParam);
    static LRESULT PaintNoSystemFrame();
    LRESULT OnNcActivate(WPARAM wParam, BOOL& handled);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM timerId);
    LRESULT OnLButtonDown(LPARAM lParam, BOOL& handled);
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnSetFocus(BOOL& handled);

    HRESULT SendOnSize(int width, int height);
    void RepeatUnheardOnSize();
    void SendOnClose();
    void ApplyRoundCorner();
    int DrawingDpi() const;
    void FitIntoWorkArea();
    void MeasureMovieAt(SIZE window, SIZE& movie, SIZE& chrome);
    void SwapMaximiseButtons(bool maximised);
    bool IsCaptionButton(const DuiLib::CControlUI* control) const;
    void GiveKeyboardToMovie();
    void OnShowActiveX(DuiLib::TNotifyUI& msg);
    void OfferFlashDownload();
    void ActivateMovie(DuiLib::CControlUI* control);
    void RecordSizes(int movieWidth, int movieHeight);
    void RequestFileFlow(gs::FileFlow flow);
    gs::FileRequest TakeFileRequest(gs::FileFlow flow);
    void StartFileFlows(gs::FileFlow fired);
    void RunFileFlows();
    void RunLoadFlow();
    void RunSaveFlow(gs::FileRequest request);
    LPCTSTR SettingText(LPCTSTR name) const;

    DuiLib::CPaintManagerUI m_pm;
    EnterGameInfo m_enterGame;
    DuiLib::CDuiString m_saveData; // the text of the save that waits for its timer
    bool m_saveRefused = false;    // the last "SaveFile" text could not be held
    gs::FileRequestQueue m_fileRequests;
    wchar_t m_fileFilter[gs::kFileFilterUnits];
    DuiLib::CDuiString m_fileExt;
    DuiLib::CDuiString m_moviePath;
    DuiLib::CMarkup m_settings;
    bool m_dpiAware = true;
    // The window takes its size for a new DPI: the movie is told once, afterwards.
    bool m_rescaling = false;
    DuiLib::CSize m_szChrome;
    DuiLib::CSize m_szMovie;
    // The activation's "OnSize" found no callback: the movie's script had not started.
    bool m_onSizeUnheard = false;
    // not owned: these belong to the paint manager's control tree
    DuiLib::CControlUI* m_pCloseBtn = nullptr;
    DuiLib::CControlUI* m_pMaxBtn = nullptr;
    DuiLib::CControlUI* m_pRestoreBtn = nullptr;
    DuiLib::CControlUI* m_pMinBtn = nullptr;
};
