// The base of our own COM objects: the interface table, the identity, the reference
// count and the live-object counter, on a small object with two interfaces.
#include "platform/win/ComObject.h"
#include "platform/win/ComPtr.h"

#include <gtest/gtest.h>
#include <oleidl.h>

namespace {

class TwoFaced final : public gs::ComObject<TwoFaced, IPersist, IOleWindow> {
public:
    static std::span<const gs::InterfaceEntry> InterfaceTable() {
        static const gs::InterfaceEntry table[] = {
            gs::InterfaceRow<TwoFaced, IOleWindow>(IID_IUnknown),
            gs::InterfaceRow<TwoFaced, IPersist>(IID_IPersist),
            gs::InterfaceRow<TwoFaced, IOleWindow>(IID_IOleWindow),
        };
        return table;
    }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
};

TEST(ComObject, AnswersEachInterfaceOfItsTableAtThatInterface) {
    TwoFaced* object = new TwoFaced;
    IUnknown* asPersist = static_cast<IPersist*>(object);
    IUnknown* asWindow = static_cast<IOleWindow*>(object);
    ASSERT_NE(asPersist, asWindow) << "the two interfaces must sit apart for this test";
    const struct {
        const IID& iid;
        IUnknown* from;
        IUnknown* expected;
    } cases[] = {
        {IID_IPersist, asWindow, asPersist}, {IID_IOleWindow, asPersist, asWindow},
        {IID_IUnknown, asPersist, asWindow}, {IID_IUnknown, asWindow, asWindow},
        {IID_IDispatch, asPersist, nullptr}, {IID_IOleInPlaceSite, asWindow, nullptr},
    };
    for (const auto& test : cases) {
        void* answer = reinterpret_cast<void*>(0x1);
        HRESULT hr = test.from->QueryInterface(test.iid, &answer);
        EXPECT_EQ(hr, test.expected ? S_OK : E_NOINTERFACE);
        EXPECT_EQ(answer, test.expected);
        if (answer)
            static_cast<IUnknown*>(answer)->Release();
    }
    EXPECT_EQ(asPersist->QueryInterface(IID_IPersist, nullptr), E_POINTER);
    EXPECT_EQ(object->Release(), 0u);
}

TEST(ComObject, LivesFromItsFirstReferenceToItsLastRelease) {
    const LONG before = TwoFaced::LiveCount();
    TwoFaced* object = new TwoFaced;
    EXPECT_EQ(TwoFaced::LiveCount(), before + 1);
    {
        gs::ComPtr<IOleWindow> window;
        ASSERT_EQ(object->QueryInterface(IID_IOleWindow, window.put_void()), S_OK);
        EXPECT_EQ(object->Release(), 1u) << "the creator's reference was the first";
        EXPECT_EQ(TwoFaced::LiveCount(), before + 1) << "still held through the query";
        EXPECT_EQ(window->AddRef(), 2u);
        EXPECT_EQ(window->Release(), 1u);
    }
    EXPECT_EQ(TwoFaced::LiveCount(), before);
}

} // namespace
