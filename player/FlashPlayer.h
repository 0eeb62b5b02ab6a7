#pragma once
// The test player control: the Flash Player's COM surface over a scripted movie.
// Its identity IUnknown is its IShockwaveFlash interface (hosts call the player's
// methods on the pointer they get for IID_IUnknown). It embeds in a host through
// IOleObject and in-place activates as a window of its own (the stage), fires
// _IShockwaveFlashEvents through its one connection point, and writes every call in
// and out to its transcript.
//
// The implementation is spread by interface: FlashPlayer.cpp (lifetime, movie, calls),
// FlashPlayerSlots.cpp (the IShockwaveFlash properties and methods),
// FlashPlayerDispatch.cpp (IDispatch), FlashPlayerOle.cpp (embedding and activation).
#include "platform/host/ShockwaveFlash.h"
#include "platform/win/ComObject.h"
#include "platform/win/ComPtr.h"
#include "player/DialogAnswerer.h"
#include "player/EventConnection.h"
#include "player/MovieRunner.h"
#include "player/Stage.h"
#include "player/Transcript.h"

#include <map>
#include <ocidl.h>
#include <oleidl.h>
#include <string>

namespace player {

class FlashPlayer final
    : public gs::ComObject<FlashPlayer, IShockwaveFlash, IOleObject, IOleInPlaceObject,
                           IOleInPlaceActiveObject, IOleControl, IPersistStreamInit,
                           IConnectionPointContainer>,
      private MovieHost,
      private StageEvents {
public:
    static HRESULT Create(REFIID iid, void** object);
    static std::span<const gs::InterfaceEntry> InterfaceTable();

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    // IShockwaveFlash
    HRESULT STDMETHODCALLTYPE get_ReadyState(long* state) override;
    HRESULT STDMETHODCALLTYPE get_TotalFrames(long* frames) override;
    HRESULT STDMETHODCALLTYPE get_Playing(VARIANT_BOOL* playing) override;
    HRESULT STDMETHODCALLTYPE put_Playing(VARIANT_BOOL playing) override;
    HRESULT STDMETHODCALLTYPE get_Quality(int* quality) override;
    HRESULT STDMETHODCALLTYPE put_Quality(int quality) override;
    HRESULT STDMETHODCALLTYPE get_ScaleMode(int* mode) override;
    HRESULT STDMETHODCALLTYPE put_ScaleMode(int mode) override;
    HRESULT STDMETHODCALLTYPE get_AlignMode(int* mode) override;
    HRESULT STDMETHODCALLTYPE put_AlignMode(int mode) override;
    HRESULT STDMETHODCALLTYPE get_BackgroundColor(long* color) override;
    HRESULT STDMETHODCALLTYPE put_BackgroundColor(long color) override;
    HRESULT STDMETHODCALLTYPE get_Loop(VARIANT_BOOL* loop) override;
    HRESULT STDMETHODCALLTYPE put_Loop(VARIANT_BOOL loop) override;
    HRESULT STDMETHODCALLTYPE get_Movie(BSTR* movie) override;
    HRESULT STDMETHODCALLTYPE put_Movie(BSTR movie) override;
    HRESULT STDMETHODCALLTYPE get_FrameNum(long* frame) override;
    HRESULT STDMETHODCALLTYPE put_FrameNum(long frame) override;
    HRESULT STDMETHODCALLTYPE SetZoomRect(long left, long top, long right, long bottom) override;
    HRESULT STDMETHODCALLTYPE Zoom(int factor) override;
    HRESULT STDMETHODCALLTYPE Pan(long x, long y, int mode) override;
    HRESULT STDMETHODCALLTYPE Play() override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Back() override;
    HRESULT STDMETHODCALLTYPE Forward() override;
    HRESULT STDMETHODCALLTYPE Rewind() override;
    HRESULT STDMETHODCALLTYPE StopPlay() override;
    HRESULT STDMETHODCALLTYPE GotoFrame(long frame) override;
    HRESULT STDMETHODCALLTYPE CurrentFrame(long* frame) override;
    HRESULT STDMETHODCALLTYPE IsPlaying(VARIANT_BOOL* playing) override;
    HRESULT STDMETHODCALLTYPE PercentLoaded(long* percent) override;
    HRESULT STDMETHODCALLTYPE FrameLoaded(long frame, VARIANT_BOOL* loaded) override;
    HRESULT STDMETHODCALLTYPE FlashVersion(long* version) override;
    HRESULT STDMETHODCALLTYPE get_WMode(BSTR* mode) override;
    HRESULT STDMETHODCALLTYPE put_WMode(BSTR mode) override;
    HRESULT STDMETHODCALLTYPE get_SAlign(BSTR* align) override;
    HRESULT STDMETHODCALLTYPE put_SAlign(BSTR align) override;
    HRESULT STDMETHODCALLTYPE get_Menu(VARIANT_BOOL* menu) override;
    HRESULT STDMETHODCALLTYPE put_Menu(VARIANT_BOOL menu) override;
    HRESULT STDMETHODCALLTYPE get_Base(BSTR* base) override;
    HRESULT STDMETHODCALLTYPE put_Base(BSTR base) override;
    HRESULT STDMETHODCALLTYPE get_Scale(BSTR* scale) override;
    HRESULT STDMETHODCALLTYPE put_Scale(BSTR scale) override;
    HRESULT STDMETHODCALLTYPE get_DeviceFont(VARIANT_BOOL* deviceFont) override;
    HRESULT STDMETHODCALLTYPE put_DeviceFont(VARIANT_BOOL deviceFont) override;
    HRESULT STDMETHODCALLTYPE get_EmbedMovie(VARIANT_BOOL* embed) override;
    HRESULT STDMETHODCALLTYPE put_EmbedMovie(VARIANT_BOOL embed) override;
    HRESULT STDMETHODCALLTYPE get_BGColor(BSTR* color) override;
    HRESULT STDMETHODCALLTYPE put_BGColor(BSTR color) override;
    HRESULT STDMETHODCALLTYPE get_Quality2(BSTR* quality) override;
    HRESULT STDMETHODCALLTYPE put_Quality2(BSTR quality) override;
    HRESULT STDMETHODCALLTYPE LoadMovie(int layer, BSTR url) override;
    HRESULT STDMETHODCALLTYPE TGotoFrame(BSTR target, long frame) override;
    HRESULT STDMETHODCALLTYPE TGotoLabel(BSTR target, BSTR label) override;
    HRESULT STDMETHODCALLTYPE TCurrentFrame(BSTR target, long* frame) override;
    HRESULT STDMETHODCALLTYPE TCurrentLabel(BSTR target, BSTR* label) override;
    HRESULT STDMETHODCALLTYPE TPlay(BSTR target) override;
    HRESULT STDMETHODCALLTYPE TStopPlay(BSTR target) override;
    HRESULT STDMETHODCALLTYPE SetVariable(BSTR name, BSTR value) override;
    HRESULT STDMETHODCALLTYPE GetVariable(BSTR name, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE TSetProperty(BSTR target, int property, BSTR value) override;
    HRESULT STDMETHODCALLTYPE TGetProperty(BSTR target, int property, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE TCallFrame(BSTR target, int frame) override;
    HRESULT STDMETHODCALLTYPE TCallLabel(BSTR target, BSTR label) override;
    HRESULT STDMETHODCALLTYPE TSetPropertyNum(BSTR target, int property, double value) override;
    HRESULT STDMETHODCALLTYPE TGetPropertyNum(BSTR target, int property, double* value) override;
    HRESULT STDMETHODCALLTYPE TGetPropertyAsNumber(BSTR target, int property,
                                                   double* value) override;
    HRESULT STDMETHODCALLTYPE get_SWRemote(BSTR* remote) override;
    HRESULT STDMETHODCALLTYPE put_SWRemote(BSTR remote) override;
    HRESULT STDMETHODCALLTYPE get_FlashVars(BSTR* vars) override;
    HRESULT STDMETHODCALLTYPE put_FlashVars(BSTR vars) override;
    HRESULT STDMETHODCALLTYPE get_AllowScriptAccess(BSTR* access) override;
    HRESULT STDMETHODCALLTYPE put_AllowScriptAccess(BSTR access) override;
    HRESULT STDMETHODCALLTYPE get_MovieData(BSTR* data) override;
    HRESULT STDMETHODCALLTYPE put_MovieData(BSTR data) override;
    HRESULT STDMETHODCALLTYPE get_InlineData(IUnknown** data) override;
    HRESULT STDMETHODCALLTYPE put_InlineData(IUnknown* data) override;
    HRESULT STDMETHODCALLTYPE get_SeamlessTabbing(VARIANT_BOOL* seamless) override;
    HRESULT STDMETHODCALLTYPE put_SeamlessTabbing(VARIANT_BOOL seamless) override;
    HRESULT STDMETHODCALLTYPE EnforceLocalSecurity() override;
    HRESULT STDMETHODCALLTYPE get_Profile(VARIANT_BOOL* profile) override;
    HRESULT STDMETHODCALLTYPE put_Profile(VARIANT_BOOL profile) override;
    HRESULT STDMETHODCALLTYPE get_ProfileAddress(BSTR* address) override;
    HRESULT STDMETHODCALLTYPE put_ProfileAddress(BSTR address) override;
    HRESULT STDMETHODCALLTYPE get_ProfilePort(long* port) override;
    HRESULT STDMETHODCALLTYPE put_ProfilePort(long port) override;
    HRESULT STDMETHODCALLTYPE CallFunction(BSTR request, BSTR* response) override;
    HRESULT STDMETHODCALLTYPE SetReturnValue(BSTR value) override;
    HRESULT STDMETHODCALLTYPE DisableLocalSecurity() override;
    HRESULT STDMETHODCALLTYPE get_AllowNetworking(BSTR* networking) override;
    HRESULT STDMETHODCALLTYPE put_AllowNetworking(BSTR networking) override;
    HRESULT STDMETHODCALLTYPE get_AllowFullScreen(BSTR* fullScreen) override;
    HRESULT STDMETHODCALLTYPE put_AllowFullScreen(BSTR fullScreen) override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR application, LPCOLESTR document) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation,
                                           DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index,
                                     HWND parent, LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                           BOOL frame) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    FlashPlayer();
    ~FlashPlayer() override;

    // MovieHost
    HRESULT CallHost(gs::UniqueBstr request) override;
    HRESULT SendFsCommand(const std::wstring& command, const std::wstring& args) override;
    void Record(std::wstring_view kind, std::wstring_view text) override;
    Stage& GetStage() override { return m_stage; }
    DialogAnswerer& Dialogs() override { return m_dialogs; }
    void WatchDialogs() override;

    // StageEvents
    void OnStageTimer(UINT_PTR id) override;
    void OnStageButton(size_t index) override;

    HRESULT OpenMovie(const std::wstring& path);
    void OpenTranscript(const std::wstring& moviePath, const std::wstring& fromMovie);
    void StartMovie();
    HRESULT Activate(IOleClientSite* site, LPCRECT rect, bool uiActivate);
    HRESULT OpenStage(IOleInPlaceSite& site, LPCRECT rect);
    HRESULT GetText(DISPID id, BSTR* value) const;
    HRESULT PutText(DISPID id, const wchar_t* name, BSTR value);
    HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result);
    HRESULT PutTextMember(DISPID id, DISPPARAMS& params);

    Stage m_stage{*this};
    Transcript m_transcript;
    DialogAnswerer m_dialogs;
    MovieRunner m_runner{*this};
    EventConnection m_events{*this};
    bool m_transcriptFromEnvironment = false;

    std::wstring m_movie;
    std::map<DISPID, std::wstring> m_texts; // text properties by their dispatch id
    std::map<std::wstring, std::wstring> m_variables;
    std::wstring m_returnValue;
    long m_readyState = 0;
    long m_backgroundColor = -1;
    int m_quality = 1;
    int m_scaleMode = 0;
    int m_alignMode = 0;
    bool m_playing = true;
    bool m_loop = true;
    bool m_menu = true;
    bool m_deviceFont = false;
    bool m_embedMovie = false;
    bool m_seamlessTabbing = true;
    bool m_startPending = false;
    int m_callDepth = 0; // CallFunction calls running, nested inside each other

    gs::ComPtr<IOleClientSite> m_clientSite;
    gs::ComPtr<IOleInPlaceSite> m_inPlaceSite; // set while in-place active
    bool m_uiActive = false;
    SIZEL m_extent{26458, 16536}; // 1000 x 625 pixels in HIMETRIC at 96 dpi
};

} // namespace player
