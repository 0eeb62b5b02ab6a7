#pragma once
// One owning type per kind of Windows handle. Each releases what it holds on every
// way out of its scope; copies are deleted, moves hand the handle over.
#include <windows.h>

#include <oleauto.h>
#include <utility>

namespace gs {

template <typename Traits> class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer value) noexcept : m_value(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_value(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    pointer get() const noexcept { return m_value; }
    explicit operator bool() const noexcept { return m_value != Traits::invalid(); }

    void reset(pointer value = Traits::invalid()) noexcept {
        if (m_value != Traits::invalid())
            Traits::close(m_value);
        m_value = value;
    }
    [[nodiscard]] pointer release() noexcept { return std::exchange(m_value, Traits::invalid()); }
    // Releases what is held and hands out the address for a function that fills it.
    pointer* put() noexcept {
        reset();
        return &m_value;
    }

private:
    pointer m_value = Traits::invalid();
};

// Handles whose invalid value is null.
template <typename T, auto Close> struct HandleTraits {
    using pointer = T;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { (void)Close(value); }
};

struct FileTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(pointer value) noexcept { (void)::CloseHandle(value); }
};

inline void UnmapView(const void* view) noexcept {
    (void)::UnmapViewOfFile(view);
}
inline void DeleteGdiObject(HGDIOBJ object) noexcept {
    (void)::DeleteObject(object);
}

using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelHandle = UniqueHandle<HandleTraits<HANDLE, ::CloseHandle>>;
using UniqueMapping = UniqueKernelHandle;
using UniqueView = UniqueHandle<HandleTraits<const void*, UnmapView>>;
using UniqueModule = UniqueHandle<HandleTraits<HMODULE, ::FreeLibrary>>;
using UniqueLocal = UniqueHandle<HandleTraits<HLOCAL, ::LocalFree>>;
using UniqueBrush = UniqueHandle<HandleTraits<HBRUSH, DeleteGdiObject>>;
using UniqueFont = UniqueHandle<HandleTraits<HFONT, DeleteGdiObject>>;
using UniqueBitmap = UniqueHandle<HandleTraits<HBITMAP, DeleteGdiObject>>;
using UniqueRegion = UniqueHandle<HandleTraits<HRGN, DeleteGdiObject>>;
using UniquePen = UniqueHandle<HandleTraits<HPEN, DeleteGdiObject>>;
using UniqueMemoryDC = UniqueHandle<HandleTraits<HDC, ::DeleteDC>>;
using UniqueBstr = UniqueHandle<HandleTraits<BSTR, ::SysFreeString>>;
using UniqueWindow = UniqueHandle<HandleTraits<HWND, ::DestroyWindow>>;

// A DC from GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : m_window(window), m_dc(::GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (m_dc)
            (void)::ReleaseDC(m_window, m_dc);
    }
    HDC get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// BeginPaint and EndPaint as one scope.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept : m_window(window) { ::BeginPaint(window, &m_paint); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { (void)::EndPaint(m_window, &m_paint); }
    HDC get() const noexcept { return m_paint.hdc; }
    const RECT& area() const noexcept { return m_paint.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
};

// Selects an object into a DC and puts the previous one back at the end of the scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A VARIANT cleared at the end of its scope.
class UniqueVariant {
public:
    UniqueVariant() noexcept { ::VariantInit(&m_value); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { (void)::VariantClear(&m_value); }
    VARIANT* get() noexcept { return &m_value; }
    VARIANT* put() noexcept {
        (void)::VariantClear(&m_value);
        return &m_value;
    }

private:
    VARIANT m_value;
};

} // namespace gs
