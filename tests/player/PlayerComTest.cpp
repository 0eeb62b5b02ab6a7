// The test player as a host sees it: created through COM by the Flash Player's CLSID and
// called through the IShockwaveFlash vtable slots of the fact sheet, its transcript on
// disk. Its calls and events through a real host are the host suite's.
#include "platform/host/ShockwaveFlash.h"
#include "platform/win/ComPtr.h"
#include "platform/win/Handles.h"

#include "PlayerTestSupport.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

using namespace gs::test;
using namespace playertest;

namespace {

// Calls vtable slot `slot` directly, as a client compiled against the fact sheet would.
template <typename... Args> HRESULT CallSlot(IShockwaveFlash* flash, int slot, Args... args) {
    using Method = HRESULT(STDMETHODCALLTYPE*)(IShockwaveFlash*, Args...);
    return (*reinterpret_cast<Method**>(flash))[slot](flash, args...);
}

class PlayerComTest : public testing::Test {
protected:
    void SetUp() override {
        transcript = TempPath(L"transcript");
        movie = TempPath(L"movie", L".swf");
        ::SetEnvironmentVariableW(L"GS_TRANSCRIPT", transcript.c_str());
        ASSERT_EQ(::CoCreateInstance(CLSID_ShockwaveFlash, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IUnknown, unknown.put_void()),
                  S_OK);
        flash = reinterpret_cast<IShockwaveFlash*>(unknown.get());
    }
    void TearDown() override {
        unknown.reset();
        ::SetEnvironmentVariableW(L"GS_TRANSCRIPT", nullptr);
        ::DeleteFileW(transcript.c_str());
        ::DeleteFileW(movie.c_str());
    }

    HRESULT Load(const std::string& script) {
        EXPECT_TRUE(WriteFileBytes(movie, script));
        gs::UniqueBstr path(::SysAllocString(movie.c_str()));
        return flash->put_Movie(path.get());
    }
    HRESULT Call(const wchar_t* request) {
        gs::UniqueBstr text(::SysAllocString(request));
        gs::UniqueBstr reply;
        return flash->CallFunction(text.get(), reply.put());
    }
    std::vector<std::string> Lines() const { return ReadLines(transcript); }

    ComScope com;
    gs::ComPtr<IUnknown> unknown;
    IShockwaveFlash* flash = nullptr; // not owned: the identity pointer held above
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
    EXPECT_EQ(CallSlot(flash, 22, missing.get()),
              HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)); // put_Movie
    auto lines = Lines();
    EXPECT_NE(FindLine(lines, "set AllowScriptAccess always"), -1);
    EXPECT_NE(FindLine(lines, "method DisableLocalSecurity"), -1);
}

TEST_F(PlayerComTest, PutMovieRefusesWhatItCannotPlay) {
    EXPECT_EQ(flash->put_Movie(nullptr), E_INVALIDARG);
    EXPECT_EQ(Load(std::string("CWS\x0A\x00\x01", 6)), HRESULT_FROM_WIN32(ERROR_BAD_FORMAT));
    EXPECT_EQ(Load("title fine\non A\n  note a\n"), HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
    long state = -1;
    ASSERT_EQ(flash->get_ReadyState(&state), S_OK);
    EXPECT_EQ(state, 0) << "nothing is loaded after a refused movie";
    EXPECT_EQ(Call(L"<invoke name=\"A\"><arguments/></invoke>"), E_FAIL)
        << "a refused movie registers no functions";
}

} // namespace
