#pragma once
// The base of our own COM objects. It holds the one reference count (starting at one:
// the creator owns the first reference), answers QueryInterface from the interface
// table the object declares, and counts the objects of each class still alive so that
// tests can see a leak. The destructor is protected: only the last Release deletes.
//
// A class gives its table as data, one row per interface it answers:
//     std::span<const gs::InterfaceEntry> CMine::InterfaceTable() {
//         static const gs::InterfaceEntry table[] = {
//             gs::InterfaceRow<CMine, IFoo>(IID_IUnknown), gs::InterfaceRow<CMine,
//             IFoo>(IID_IFoo)};
//         return table;
//     }
// The IID_IUnknown row decides the object's identity.
#include <cstddef>
#include <cstdint>
#include <span>
#include <unknwn.h>

namespace gs {

struct InterfaceEntry {
    const IID* iid;
    std::ptrdiff_t offset; // from the start of the object to the interface's vtable pointer
};

// The distance the compiler puts between an object of Class and its Interface base: a
// probe address stands in for an object, as no object is needed to know the layout.
template <typename Class, typename Interface> InterfaceEntry InterfaceRow(const IID& iid) {
    constexpr std::uintptr_t probe = 0x1000;
    auto* object = reinterpret_cast<Class*>(probe);
    auto* face = static_cast<Interface*>(object);
    return {&iid, static_cast<std::ptrdiff_t>(reinterpret_cast<std::uintptr_t>(face) - probe)};
}

// Finds `iid` in `table`; on a match hands out that interface of `object`, with a
// reference taken on it. Otherwise clears `*out`.
inline HRESULT QueryTable(void* object, std::span<const InterfaceEntry> table, REFIID iid,
                          void** out) {
    if (!out)
        return E_POINTER;
    for (const InterfaceEntry& entry : table) {
        if (*entry.iid == iid) {
            auto* face =
                reinterpret_cast<IUnknown*>(static_cast<std::byte*>(object) + entry.offset);
            face->AddRef();
            *out = face;
            return S_OK;
        }
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

template <typename Derived, typename... Interfaces> class ComObject : public Interfaces... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return QueryTable(static_cast<Derived*>(this), Derived::InterfaceTable(), iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&m_references));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = ::InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // Objects of this class created and not yet destroyed, in the whole process.
    static LONG LiveCount() { return s_live; }

protected:
    ComObject() noexcept { ::InterlockedIncrement(&s_live); }
    virtual ~ComObject() { ::InterlockedDecrement(&s_live); }

private:
    LONG m_references = 1;
    static inline LONG s_live = 0;
};

} // namespace gs
