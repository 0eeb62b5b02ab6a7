// The test player as a host sees it: created through COM by the Flash Player's CLSID,
// called through the IShockwaveFlash vtable slots of the fact sheet and through
// IDispatch, with its events on the connection point and its transcript on disk.
#include "platform/host/ShockwaveFlash.h"
#include "platform/win/ComPtr.h"
#include "platform/win/Handles.h"

#include "PlayerTestSupport.h"

#include <ocidl.h>
#include <olectl.h>

using namespace playertest;

namespace {

// A sink that records every event the player fires.
class RecordingSink final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID__IShockwaveFlashEvents) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        ids.push_back(id);
        if (id == gs::flash::DISPID_FlashCall && params->cArgs == 1 &&
            params->rgvarg[0].vt == VT_BSTR) {
            requests.push_back(params->rgvarg[0].bstrVal);
            if (onFlashCall)
                onFlashCall();
        }
        return S_OK;
    }

    ULONG references = 0;
    std::vector<DISPID> ids;
    std::vector<std::wstring> requests;
    std::function<void()> onFlashCall;
};

// Calls vtable slot `slot` directly, as a client compiled against the fact sheet would.
template <typename... Args> HRESULT CallSlot(IShockwaveFlash* flash, int slot, Args... args) {
    using Method = HRESULT(STDMETHODCALLTYPE*)(IShockwaveFlash*, Args...);
    return (*reinterpret_cast<Method**>(flash))[slot](flash, args...);
}

class PlayerComTest : public testing::Test {
protected:
    void SetUp() override {
        transcript = TempPath(L"transcript-" + std::to_wstring(++counter) + L".txt");
        movie = TempPath(L"movie-" + std::to_wstring(counter) + L".swf");
        ::DeleteFileW(transcript.c_str());
        ::SetEnvironmentVariableW(L"GS_TRANSCRIPT", transcript.c_str());
        ASSERT_EQ(::CoCreateInstance(CLSID_ShockwaveFlash, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IUnknown, unknown.put_void()),
                  S_OK);
        flash = reinterpret_cast<IShockwaveFlash*>(unknown.get());
    }
    void TearDown() override {
        point.reset();
        unknown.reset();
        ::SetEnvironmentVariableW(L"GS_TRANSCRIPT", nullptr);
        ::DeleteFileW(transcript.c_str());
        ::DeleteFileW(movie.c_str());
    }

    HRESULT Load(const std::string& script) {
        WriteFile(movie, script);
        gs::UniqueBstr path(::SysAllocString(movie.c_str()));
        return flash->put_Movie(path.get());
    }
    HRESULT Call(const wchar_t* request, std::wstring* response = nullptr) {
        gs::UniqueBstr text(::SysAllocString(request));
        gs::UniqueBstr reply;
        HRESULT hr = flash->CallFunction(text.get(), reply.put());
        if (response)
            *response = reply ? reply.get() : L"(null)";
        return hr;
    }
    std::vector<std::string> Lines() const { return ReadLines(transcript); }
    // Connects `sink` to the player's events; the point stays for Unadvise.
    DWORD Advise(RecordingSink& sink) {
        gs::ComPtr<IConnectionPointContainer> container;
        DWORD cookie = 0;
        if (unknown->QueryInterface(IID_IConnectionPointContainer, container.put_void()) == S_OK &&
            container->FindConnectionPoint(DIID__IShockwaveFlashEvents, point.put()) == S_OK) {
            EXPECT_EQ(point->Advise(&sink, &cookie), S_OK);
        }
        return cookie;
    }

    static inline int counter = 0;
    ComScope com;
    gs::ComPtr<IUnknown> unknown;
    IShockwaveFlash* flash = nullptr; // not owned: the identity pointer held above
    gs::ComPtr<IConnectionPoint> point;
    std::wstring transcript;
    std::wstring movie;
};

TEST_F(PlayerComTest, VtableSlotsFollowTheFactSheet) {
    ASSERT_EQ(Load("on Known\nend\n"), S_OK);
    gs::UniqueBstr always(::SysAllocString(L"always"));
    EXPECT_EQ(CallSlot(flash, 79, always.get()), S_OK); // put_AllowScriptAccess
    gs::UniqueBstr access;
    ASSERT_EQ(CallSlot(flash, 78, access.put()), S_OK);
    EXPECT_STREQ(access.get(), L"always");
    gs::UniqueBstr movieOut;
    ASSERT_EQ(CallSlot(flash, 21, movieOut.put()), S_OK);
    EXPECT_EQ(std::wstring(movieOut.get()), movie);
    gs::UniqueBstr unknownCall(::SysAllocString(L"<invoke name=\"Nobody\"><arguments/></invoke>"));
    gs::UniqueBstr reply;
    EXPECT_EQ(CallSlot(flash, 93, unknownCall.get(), reply.put()), E_FAIL); // CallFunction
    EXPECT_EQ(CallSlot(flash, 95), S_OK);                                   // DisableLocalSecurity
    EXPECT_EQ(CallSlot(flash, 32), E_NOTIMPL);                              // Rewind
    long version = 0;
    EXPECT_EQ(CallSlot(flash, 39, &version), S_OK); // FlashVersion
    EXPECT_EQ(version >> 16, 11);
    gs::UniqueBstr missing(::SysAllocString(L"C:\\no\\such.swf"));
    EXPECT_LT(CallSlot(flash, 22, missing.get()), 0); // put_Movie
    auto lines = Lines();
    EXPECT_NE(FindLine(lines, "set AllowScriptAccess always"), -1);
    EXPECT_NE(FindLine(lines, "method DisableLocalSecurity"), -1);
}

TEST_F(PlayerComTest, PutMovieRefusesWhatItCannotPlayAndLogsTheCode) {
    gs::UniqueBstr missing(::SysAllocString(L"C:\\no\\such\\movie.swf"));
    EXPECT_EQ(flash->put_Movie(missing.get()), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(flash->put_Movie(nullptr), E_INVALIDARG);
    EXPECT_EQ(Load(std::string("CWS\x0A\x00\x01", 6)), HRESULT_FROM_WIN32(ERROR_BAD_FORMAT));
    EXPECT_EQ(Load("title fine\non A\n  note a\n"), HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
    long state = -1;
    ASSERT_EQ(flash->get_ReadyState(&state), S_OK);
    EXPECT_EQ(state, 0) << "nothing is loaded after a refused movie";
    EXPECT_EQ(Call(L"<invoke name=\"A\"><arguments/></invoke>"), E_FAIL)
        << "a refused movie registers no functions";
    // The shell's tests read the refusal's code from the transcript.
    const auto lines = Lines();
    for (const char* line :
         {"load 0x80070003", "load 0x80070057", "load 0x8007000B", "load 0x8007000D"})
        EXPECT_NE(FindLine(lines, line), -1) << line;
}

TEST_F(PlayerComTest, CallFunctionRunsTheRegisteredFunctionWithItsArguments) {
    ASSERT_EQ(Load("on Echo\n  return <string>$1 back</string>\nend\n"
                   "on Refuse\n  fail\nend\n"
                   "on Quiet\nend\n"),
              S_OK);
    std::wstring response;
    EXPECT_EQ(Call(L"<invoke name=\"Echo\" returntype=\"xml\"><arguments><string>a&amp;b</string>"
                   L"</arguments></invoke>",
                   &response),
              S_OK);
    EXPECT_EQ(response, L"<string>a&amp;b back</string>");
    EXPECT_EQ(Call(L"<invoke name=\"Quiet\"><arguments/></invoke>", &response), S_OK);
    EXPECT_EQ(response, L"<undefined/>");
    EXPECT_EQ(Call(L"<invoke name=\"Refuse\"><arguments/></invoke>", &response), E_FAIL);
    EXPECT_EQ(Call(L"<invoke name=\"echo\"><arguments/></invoke>", &response), E_FAIL);
    EXPECT_EQ(response, L"(null)");
    EXPECT_EQ(Call(L"garbage <<<"), E_FAIL);
    EXPECT_EQ(flash->CallFunction(nullptr, nullptr), E_FAIL);
    auto lines = Lines();
    int in = FindLine(lines, "in <invoke name=\"Echo\"");
    ASSERT_NE(in, -1);
    EXPECT_EQ(lines[in + 1], "in-result S_OK Echo <string>a&amp;b back</string>");
}

TEST_F(PlayerComTest, MovieCallsReachEverySinkSynchronouslyInsideTheCall) {
    ASSERT_EQ(Load("on Ping\n"
                   "  invoke Pong \"x<y\" 7 $1\n"
                   "  call <invoke name=\"Broken\"\n"
                   "  note after\n"
                   "end\n"),
              S_OK);
    RecordingSink sink;
    const DWORD cookie = Advise(sink);
    ASSERT_TRUE(point);
    bool transcriptHadOut = false;
    sink.onFlashCall = [&] {
        if (sink.requests.size() == 1)
            transcriptHadOut = FindLine(Lines(), "out <invoke name=\"Pong\"") != -1;
    };
    EXPECT_EQ(Call(L"<invoke name=\"Ping\"><arguments><true/></arguments></invoke>"), S_OK);
    ASSERT_EQ(sink.requests.size(), 2u);
    EXPECT_EQ(sink.requests[0], L"<invoke name=\"Pong\" returntype=\"xml\"><arguments>"
                                L"<string>x&lt;y</string><number>7</number><true/></arguments>"
                                L"</invoke>");
    EXPECT_EQ(sink.requests[1], L"<invoke name=\"Broken\"");
    EXPECT_TRUE(transcriptHadOut) << "each line is on disk before the next call goes out";
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(sink.references, 0u) << "the player let go of the sink";
    EXPECT_EQ(Call(L"<invoke name=\"Ping\"><arguments/></invoke>"), S_OK);
    EXPECT_EQ(sink.requests.size(), 2u);
    auto lines = Lines();
    int out = FindLine(lines, "out <invoke name=\"Pong\"");
    ASSERT_NE(out, -1);
    EXPECT_EQ(lines[out + 1], "out-result S_OK");
    EXPECT_NE(FindLine(lines, "note after", out), -1);
    EXPECT_NE(FindLine(lines, "out-result no-sink"), -1);
}

TEST_F(PlayerComTest, EndlessPingPongBetweenMovieAndHostStopsAtALimit) {
    ASSERT_EQ(Load("on Ping\n  invoke Pong\nend\n"), S_OK);
    RecordingSink sink;
    int refused = 0;
    sink.onFlashCall = [&] {
        if (Call(L"<invoke name=\"Ping\"><arguments/></invoke>") == E_FAIL)
            ++refused;
    };
    const DWORD cookie = Advise(sink);
    EXPECT_EQ(Call(L"<invoke name=\"Ping\"><arguments/></invoke>"), S_OK);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(sink.requests.size(), 64u);
    EXPECT_NE(FindLine(Lines(), "in-result E_FAIL Ping (calls nested too deeply)"), -1);
    point->Unadvise(cookie);
}

} // namespace
