#include "player/FlashPlayer.h"

#include "platform/win/ModulePath.h"
#include "platform/win/ResultMacros.h"
#include "player/Module.h"
#include "player/MovieFile.h"

#include <cstdio>
#include <new>

namespace player {

namespace {

constexpr UINT_PTR StartTimer = 1;
constexpr UINT_PTR DialogTimer = 2;
constexpr UINT DialogPollMilliseconds = 50;
constexpr int MaxCallDepth = 64;

std::wstring ResultText(HRESULT hr) {
    if (hr == S_OK)
        return L"S_OK";
    if (hr == E_FAIL)
        return L"E_FAIL";
    wchar_t text[16]{};
    std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

bool IsRelative(const std::wstring& path) {
    return !(path.size() > 1 && path[1] == L':') &&
           !(!path.empty() && (path[0] == L'\\' || path[0] == L'/'));
}

std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t buffer[MAX_PATH * 2]{};
    DWORD length = ::GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(buffer, length) : std::wstring();
}

} // namespace

HRESULT FlashPlayer::Create(REFIID iid, void** object) {
    auto* player = new (std::nothrow) FlashPlayer();
    if (!player)
        return E_OUTOFMEMORY;
    HRESULT hr = player->QueryInterface(iid, object);
    player->Release();
    return hr;
}

FlashPlayer::FlashPlayer()
    : m_dialogs([this](std::wstring_view kind, std::wstring_view text) { Record(kind, text); }) {
    LockModule();
    m_texts[gs::flash::DISPID_AllowScriptAccess] = L"sameDomain";
    std::wstring path = EnvironmentValue(L"GS_TRANSCRIPT");
    m_transcriptFromEnvironment = !path.empty();
    if (m_transcriptFromEnvironment)
        (void)m_transcript.Open(path); // a transcript that cannot open records nothing
    Record(L"create", L"FlashTestPlayer");
}

FlashPlayer::~FlashPlayer() {
    Record(L"destroy", L"FlashTestPlayer");
    UnlockModule();
}

// The identity is the IShockwaveFlash interface: hosts call the player's methods on the
// pointer they get for IID_IUnknown.
std::span<const gs::InterfaceEntry> FlashPlayer::InterfaceTable() {
    static const gs::InterfaceEntry table[] = {
        gs::InterfaceRow<FlashPlayer, IShockwaveFlash>(IID_IUnknown),
        gs::InterfaceRow<FlashPlayer, IShockwaveFlash>(IID_IDispatch),
        gs::InterfaceRow<FlashPlayer, IShockwaveFlash>(IID_IShockwaveFlash),
        gs::InterfaceRow<FlashPlayer, IOleObject>(IID_IOleObject),
        gs::InterfaceRow<FlashPlayer, IOleInPlaceObject>(IID_IOleWindow),
        gs::InterfaceRow<FlashPlayer, IOleInPlaceObject>(IID_IOleInPlaceObject),
        gs::InterfaceRow<FlashPlayer, IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject),
        gs::InterfaceRow<FlashPlayer, IOleControl>(IID_IOleControl),
        gs::InterfaceRow<FlashPlayer, IPersistStreamInit>(IID_IPersist),
        gs::InterfaceRow<FlashPlayer, IPersistStreamInit>(IID_IPersistStreamInit),
        gs::InterfaceRow<FlashPlayer, IConnectionPointContainer>(IID_IConnectionPointContainer),
    };
    return table;
}

HRESULT FlashPlayer::put_Movie(BSTR movie) {
    std::wstring path = movie ? movie : L"";
    return OpenMovie(path);
}

HRESULT FlashPlayer::OpenMovie(const std::wstring& path) {
    m_movie = path;
    m_runner.Unload();
    m_dialogs.Reset();
    m_stage.Clear();
    m_stage.StopTimer(StartTimer);
    m_startPending = false;
    m_readyState = 0;
    std::wstring text;
    std::wstring reason = L"no movie was named";
    HRESULT hr = path.empty() ? E_INVALIDARG : ReadMovieText(path, text, reason);
    ParseResult parsed;
    if (SUCCEEDED(hr)) {
        parsed = ParseMovie(text);
        if (!parsed.movie) {
            reason = L"line " + std::to_wstring(parsed.errorLine) + L": " + parsed.error;
            hr = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
        }
    }
    if (FAILED(hr)) {
        m_stage.SetStatus(L"Cannot play " + path + L": " + reason);
        Record(L"load", ResultText(hr) + L" " + path + L" (" + reason + L")");
        return hr;
    }
    OpenTranscript(path, parsed.movie->transcript);
    Record(L"load", L"S_OK " + path);
    m_runner.Load(parsed.movie);
    m_readyState = 4;
    size_t slash = path.find_last_of(L"\\/");
    m_stage.SetTitle(slash == std::wstring::npos ? path : path.substr(slash + 1));
    m_startPending = true;
    if (m_inPlaceSite)
        StartMovie();
    return S_OK;
}

// The environment's transcript wins, so that tests can reuse a movie that names its own.
void FlashPlayer::OpenTranscript(const std::wstring& moviePath, const std::wstring& fromMovie) {
    if (m_transcriptFromEnvironment || fromMovie.empty())
        return;
    std::wstring path = IsRelative(fromMovie) ? gs::FolderOf(moviePath) + fromMovie : fromMovie;
    HRESULT hr = m_transcript.Open(path);
    if (FAILED(hr))
        m_stage.SetStatus(L"Cannot write the transcript " + path + L" (" + ResultText(hr) + L")");
}

// The movie starts from the stage's message loop, never inside put_Movie: the host
// finishes setting the player up before the movie's first call reaches it.
void FlashPlayer::StartMovie() {
    if (m_startPending && !m_stage.StartTimer(StartTimer, 0))
        Record(L"error", L"the stage window cannot start the movie");
}

void FlashPlayer::OnStageTimer(UINT_PTR id) {
    if (id == DialogTimer) {
        if (!m_dialogs.Poll())
            m_stage.StopTimer(DialogTimer);
        return;
    }
    if (id != StartTimer)
        return m_runner.OnTimer(id);
    m_stage.StopTimer(StartTimer);
    if (!m_startPending)
        return;
    m_startPending = false;
    gs::ComPtr<IShockwaveFlash> self(this);
    VARIANT argument{};
    argument.vt = VT_I4;
    argument.lVal = 100;
    (void)m_events.Fire(gs::flash::DISPID_OnProgress, {argument});
    argument.lVal = m_readyState;
    (void)m_events.Fire(gs::flash::DISPID_OnReadyStateChange, {argument});
    m_runner.Start();
}

void FlashPlayer::OnStageButton(size_t index) {
    gs::ComPtr<IShockwaveFlash> self(this);
    Record(L"button", std::to_wstring(index + 1));
    m_runner.OnButton(index);
}

void FlashPlayer::WatchDialogs() {
    if (!m_stage.StartTimer(DialogTimer, DialogPollMilliseconds))
        Record(L"error", L"the stage window cannot watch for dialogs");
}

void FlashPlayer::Record(std::wstring_view kind, std::wstring_view text) {
    m_transcript.Write(kind, text);
}

// A movie's external call: the FlashCall event, answered synchronously by the host,
// which may set a return value and call back into the movie before it returns.
HRESULT FlashPlayer::CallHost(gs::UniqueBstr request) {
    gs::ComPtr<IShockwaveFlash> self(this); // the host may release the player meanwhile
    if (!request) {
        Record(L"out-result", L"E_OUTOFMEMORY (the request could not be made)");
        return E_OUTOFMEMORY;
    }
    Record(L"out", {request.get(), ::SysStringLen(request.get())});
    if (::lstrcmpiW(m_texts[gs::flash::DISPID_AllowScriptAccess].c_str(), L"never") == 0) {
        Record(L"out-result", L"blocked (AllowScriptAccess is never)");
        return E_ACCESSDENIED;
    }
    if (!m_events.HasSinks()) {
        Record(L"out-result", L"no-sink");
        return S_FALSE;
    }
    VARIANT argument{};
    argument.vt = VT_BSTR;
    argument.bstrVal = request.get();
    m_returnValue.clear();
    HRESULT hr = m_events.Fire(gs::flash::DISPID_FlashCall, {argument});
    Record(L"out-result", ResultText(hr) + (m_returnValue.empty() ? L"" : L" " + m_returnValue));
    return hr;
}

HRESULT FlashPlayer::SendFsCommand(const std::wstring& command, const std::wstring& args) {
    gs::ComPtr<IShockwaveFlash> self(this);
    Record(L"fscommand", command + L" " + args);
    gs::UniqueBstr commandText(::SysAllocString(command.c_str()));
    gs::UniqueBstr argsText(::SysAllocString(args.c_str()));
    VARIANT arguments[2]{};
    arguments[0].vt = arguments[1].vt = VT_BSTR;
    arguments[0].bstrVal = commandText.get();
    arguments[1].bstrVal = argsText.get();
    return m_events.Fire(gs::flash::DISPID_FSCommand, {arguments[0], arguments[1]});
}

HRESULT FlashPlayer::CallFunction(BSTR request, BSTR* response) {
    if (response)
        *response = nullptr;
    gs::ComPtr<IShockwaveFlash> self(this);
    // Read where the host put it: the request may carry a whole file.
    const std::wstring_view text(request ? request : L"", request ? ::SysStringLen(request) : 0);
    Record(L"in", text);
    InvokeRequest invoke = ParseInvoke(text);
    m_stage.AddReceived(invoke.name.empty() ? L"(no name) " + std::wstring(text) : invoke.name);
    const Function* function = m_runner.Find(invoke.name);
    if (!function) {
        Record(L"in-result", L"E_FAIL " + invoke.name + L" (not registered)");
        return E_FAIL;
    }
    // A movie and a host that keep answering each other's calls would recurse without
    // end; past this depth the call fails instead of overflowing the stack.
    if (m_callDepth >= MaxCallDepth) {
        Record(L"in-result", L"E_FAIL " + invoke.name + L" (calls nested too deeply)");
        return E_FAIL;
    }
    ++m_callDepth;
    CallOutcome outcome = m_runner.Call(*function, invoke);
    --m_callDepth;
    Record(L"in-result", ResultText(outcome.result) + L" " + invoke.name + L" " + outcome.response);
    GS_RETURN_IF_FAILED(outcome.result);
    if (response) {
        *response = ::SysAllocString(outcome.response.c_str());
        if (!*response)
            return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT FlashPlayer::SetReturnValue(BSTR value) {
    m_returnValue = value ? value : L"";
    return S_OK;
}

HRESULT FlashPlayer::DisableLocalSecurity() {
    Record(L"method", L"DisableLocalSecurity");
    return S_OK;
}

HRESULT FlashPlayer::EnforceLocalSecurity() {
    Record(L"method", L"EnforceLocalSecurity");
    return S_OK;
}

} // namespace player
