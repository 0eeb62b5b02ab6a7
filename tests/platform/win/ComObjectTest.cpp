// The base of our own COM objects: the interface table and the identity, on a small
// object with two interfaces (the count and the live objects are the host suite's, whose
// sites must all be gone when their controls are).
#include "platform/win/ComObject.h"

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
    // clang-format off
    const struct { const IID& iid; IUnknown* from; IUnknown* expected; } cases[] = {
        {IID_IPersist, asWindow, asPersist}, {IID_IOleWindow, asPersist, asWindow},
        {IID_IUnknown, asPersist, asWindow}, {IID_IUnknown, asWindow, asWindow},
        {IID_IDispatch, asPersist, nullptr}, {IID_IOleInPlaceSite, asWindow, nullptr},
    };
    // clang-format on
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

} // namespace
