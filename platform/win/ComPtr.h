#pragma once
// A COM interface pointer that owns one reference.
#include <unknwn.h>
#include <utility>

namespace gs {

template <typename T> class ComPtr {
public:
    ComPtr() noexcept = default;
    // Takes a reference of its own: the caller keeps theirs.
    explicit ComPtr(T* raw) noexcept : m_ptr(raw) {
        if (m_ptr)
            m_ptr->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.m_ptr) {}
    ComPtr(ComPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Adopts a reference that the caller already owns.
    void attach(T* raw) noexcept {
        reset();
        m_ptr = raw;
    }
    [[nodiscard]] T* detach() noexcept { return std::exchange(m_ptr, nullptr); }
    void reset() noexcept {
        if (T* old = std::exchange(m_ptr, nullptr))
            old->Release();
    }
    T** put() noexcept {
        reset();
        return &m_ptr;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    T* get() const noexcept { return m_ptr; }
    T* operator->() const noexcept { return m_ptr; }
    explicit operator bool() const noexcept { return m_ptr != nullptr; }

    // Asks for the interface of `out`'s type, by the IID that type declares.
    template <typename U> HRESULT query(ComPtr<U>& out) const noexcept {
        if (!m_ptr)
            return E_POINTER;
        return m_ptr->QueryInterface(__uuidof(U), out.put_void());
    }

private:
    T* m_ptr = nullptr;
};

} // namespace gs
