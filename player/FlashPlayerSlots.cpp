// The IShockwaveFlash properties and methods other than the movie and the calls
// (FlashPlayer.cpp). Settings a movie script has no use for are kept and given back;
// frame navigation, zooming, targets and profiling answer E_NOTIMPL.
#include "player/FlashPlayer.h"

namespace player {

namespace flash = gs::flash;

namespace {

// The Flash Player 11.0 version number, as the control reports it (major in the high word).
constexpr long PlayerVersion = 0x000B0000;

HRESULT Give(long value, long* out) {
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

HRESULT Give(int value, int* out) {
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

HRESULT Give(bool value, VARIANT_BOOL* out) {
    if (!out)
        return E_POINTER;
    *out = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

template <typename T> HRESULT Keep(T value, T& field) {
    field = value;
    return S_OK;
}

HRESULT Keep(VARIANT_BOOL value, bool& field) {
    field = value != VARIANT_FALSE;
    return S_OK;
}

} // namespace

HRESULT FlashPlayer::GetText(DISPID id, BSTR* value) const {
    if (!value)
        return E_POINTER;
    auto text = m_texts.find(id);
    *value = ::SysAllocString(text == m_texts.end() ? L"" : text->second.c_str());
    return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT FlashPlayer::PutText(DISPID id, const wchar_t* name, BSTR value) {
    m_texts[id] = value ? value : L"";
    Record(L"set", std::wstring(name) + L" " + m_texts[id]);
    return S_OK;
}

HRESULT FlashPlayer::get_ReadyState(long* state) {
    return Give(m_readyState, state);
}
HRESULT FlashPlayer::get_TotalFrames(long* frames) {
    return Give(m_runner.Loaded() ? 1L : 0L, frames);
}
HRESULT FlashPlayer::get_Playing(VARIANT_BOOL* playing) {
    return Give(m_playing, playing);
}
HRESULT FlashPlayer::put_Playing(VARIANT_BOOL playing) {
    return Keep(playing, m_playing);
}
HRESULT FlashPlayer::get_Quality(int* quality) {
    return Give(m_quality, quality);
}
HRESULT FlashPlayer::put_Quality(int quality) {
    return Keep(quality, m_quality);
}
HRESULT FlashPlayer::get_ScaleMode(int* mode) {
    return Give(m_scaleMode, mode);
}
HRESULT FlashPlayer::put_ScaleMode(int mode) {
    return Keep(mode, m_scaleMode);
}
HRESULT FlashPlayer::get_AlignMode(int* mode) {
    return Give(m_alignMode, mode);
}
HRESULT FlashPlayer::put_AlignMode(int mode) {
    return Keep(mode, m_alignMode);
}
HRESULT FlashPlayer::get_BackgroundColor(long* color) {
    return Give(m_backgroundColor, color);
}
HRESULT FlashPlayer::put_BackgroundColor(long color) {
    return Keep(color, m_backgroundColor);
}
HRESULT FlashPlayer::get_Loop(VARIANT_BOOL* loop) {
    return Give(m_loop, loop);
}
HRESULT FlashPlayer::put_Loop(VARIANT_BOOL loop) {
    return Keep(loop, m_loop);
}

HRESULT FlashPlayer::get_Movie(BSTR* movie) {
    if (!movie)
        return E_POINTER;
    *movie = ::SysAllocString(m_movie.c_str());
    return *movie ? S_OK : E_OUTOFMEMORY;
}

HRESULT FlashPlayer::get_FrameNum(long* frame) {
    return Give(0L, frame);
}
HRESULT FlashPlayer::put_FrameNum(long) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::SetZoomRect(long, long, long, long) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::Zoom(int) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::Pan(long, long, int) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::Play() {
    return Keep(true, m_playing);
}
HRESULT FlashPlayer::Stop() {
    return Keep(false, m_playing);
}
HRESULT FlashPlayer::Back() {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::Forward() {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::Rewind() {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::StopPlay() {
    return Keep(false, m_playing);
}
HRESULT FlashPlayer::GotoFrame(long) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::CurrentFrame(long* frame) {
    return Give(0L, frame);
}
HRESULT FlashPlayer::IsPlaying(VARIANT_BOOL* playing) {
    return Give(m_playing, playing);
}
HRESULT FlashPlayer::PercentLoaded(long* percent) {
    return Give(m_runner.Loaded() ? 100L : 0L, percent);
}
HRESULT FlashPlayer::FrameLoaded(long, VARIANT_BOOL*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::FlashVersion(long* version) {
    return Give(PlayerVersion, version);
}
HRESULT FlashPlayer::get_WMode(BSTR* mode) {
    return GetText(flash::DISPID_WMode, mode);
}
HRESULT FlashPlayer::put_WMode(BSTR mode) {
    return PutText(flash::DISPID_WMode, L"WMode", mode);
}
HRESULT FlashPlayer::get_SAlign(BSTR* align) {
    return GetText(flash::DISPID_SAlign, align);
}
HRESULT FlashPlayer::put_SAlign(BSTR align) {
    return PutText(flash::DISPID_SAlign, L"SAlign", align);
}
HRESULT FlashPlayer::get_Menu(VARIANT_BOOL* menu) {
    return Give(m_menu, menu);
}
HRESULT FlashPlayer::put_Menu(VARIANT_BOOL menu) {
    return Keep(menu, m_menu);
}
HRESULT FlashPlayer::get_Base(BSTR* base) {
    return GetText(flash::DISPID_Base, base);
}
HRESULT FlashPlayer::put_Base(BSTR base) {
    return PutText(flash::DISPID_Base, L"Base", base);
}
HRESULT FlashPlayer::get_Scale(BSTR* scale) {
    return GetText(flash::DISPID_Scale, scale);
}
HRESULT FlashPlayer::put_Scale(BSTR scale) {
    return PutText(flash::DISPID_Scale, L"Scale", scale);
}
HRESULT FlashPlayer::get_DeviceFont(VARIANT_BOOL* deviceFont) {
    return Give(m_deviceFont, deviceFont);
}
HRESULT FlashPlayer::put_DeviceFont(VARIANT_BOOL deviceFont) {
    return Keep(deviceFont, m_deviceFont);
}
HRESULT FlashPlayer::get_EmbedMovie(VARIANT_BOOL* embed) {
    return Give(m_embedMovie, embed);
}
HRESULT FlashPlayer::put_EmbedMovie(VARIANT_BOOL embed) {
    return Keep(embed, m_embedMovie);
}
HRESULT FlashPlayer::get_BGColor(BSTR* color) {
    return GetText(flash::DISPID_BGColor, color);
}
HRESULT FlashPlayer::put_BGColor(BSTR color) {
    return PutText(flash::DISPID_BGColor, L"BGColor", color);
}
HRESULT FlashPlayer::get_Quality2(BSTR* quality) {
    return GetText(flash::DISPID_Quality2, quality);
}
HRESULT FlashPlayer::put_Quality2(BSTR quality) {
    return PutText(flash::DISPID_Quality2, L"Quality2", quality);
}
HRESULT FlashPlayer::LoadMovie(int, BSTR) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TGotoFrame(BSTR, long) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TGotoLabel(BSTR, BSTR) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TCurrentFrame(BSTR, long*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TCurrentLabel(BSTR, BSTR*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TPlay(BSTR) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TStopPlay(BSTR) {
    return E_NOTIMPL;
}

HRESULT FlashPlayer::SetVariable(BSTR name, BSTR value) {
    std::wstring key = name ? name : L"";
    m_variables[key] = value ? value : L"";
    Record(L"set", L"variable " + key + L" " + m_variables[key]);
    return S_OK;
}

HRESULT FlashPlayer::GetVariable(BSTR name, BSTR* value) {
    if (!value)
        return E_POINTER;
    *value = nullptr;
    auto variable = m_variables.find(name ? name : L"");
    if (variable == m_variables.end())
        return E_FAIL;
    *value = ::SysAllocString(variable->second.c_str());
    return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT FlashPlayer::TSetProperty(BSTR, int, BSTR) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TGetProperty(BSTR, int, BSTR*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TCallFrame(BSTR, int) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TCallLabel(BSTR, BSTR) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TSetPropertyNum(BSTR, int, double) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TGetPropertyNum(BSTR, int, double*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::TGetPropertyAsNumber(BSTR, int, double*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::get_SWRemote(BSTR*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::put_SWRemote(BSTR) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::get_FlashVars(BSTR* vars) {
    return GetText(flash::DISPID_FlashVars, vars);
}
HRESULT FlashPlayer::put_FlashVars(BSTR vars) {
    return PutText(flash::DISPID_FlashVars, L"FlashVars", vars);
}

HRESULT FlashPlayer::get_AllowScriptAccess(BSTR* access) {
    return GetText(flash::DISPID_AllowScriptAccess, access);
}

HRESULT FlashPlayer::put_AllowScriptAccess(BSTR access) {
    return PutText(flash::DISPID_AllowScriptAccess, L"AllowScriptAccess", access);
}

HRESULT FlashPlayer::get_MovieData(BSTR*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::put_MovieData(BSTR) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::get_InlineData(IUnknown**) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::put_InlineData(IUnknown*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::get_SeamlessTabbing(VARIANT_BOOL* seamless) {
    return Give(m_seamlessTabbing, seamless);
}
HRESULT FlashPlayer::put_SeamlessTabbing(VARIANT_BOOL seamless) {
    return Keep(seamless, m_seamlessTabbing);
}
HRESULT FlashPlayer::get_Profile(VARIANT_BOOL*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::put_Profile(VARIANT_BOOL) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::get_ProfileAddress(BSTR*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::put_ProfileAddress(BSTR) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::get_ProfilePort(long*) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::put_ProfilePort(long) {
    return E_NOTIMPL;
}
HRESULT FlashPlayer::get_AllowNetworking(BSTR* networking) {
    return GetText(flash::DISPID_AllowNetworking, networking);
}
HRESULT FlashPlayer::put_AllowNetworking(BSTR networking) {
    return PutText(flash::DISPID_AllowNetworking, L"AllowNetworking", networking);
}
HRESULT FlashPlayer::get_AllowFullScreen(BSTR* fullScreen) {
    return GetText(flash::DISPID_AllowFullScreen, fullScreen);
}
HRESULT FlashPlayer::put_AllowFullScreen(BSTR fullScreen) {
    return PutText(flash::DISPID_AllowFullScreen, L"AllowFullScreen", fullScreen);
}

} // namespace player
