#pragma once
// Owning wrappers for plain Win32 handles.
#include <windows.h>

#include <utility>

template <class Traits>
class UniqueWinHandle {
public:
    using value_type = typename Traits::value_type;
    UniqueWinHandle() = default;
    explicit UniqueWinHandle(value_type h) : m_h(h) {}
    ~UniqueWinHandle() { reset(); }
    UniqueWinHandle(UniqueWinHandle&& o) noexcept : m_h(o.release()) {}
    UniqueWinHandle& operator=(UniqueWinHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    UniqueWinHandle(const UniqueWinHandle&) = delete;
    UniqueWinHandle& operator=(const UniqueWinHandle&) = delete;

    value_type get() const { return m_h; }
    explicit operator bool() const { return Traits::IsValid(m_h); }
    value_type release() { return std::exchange(m_h, Traits::Invalid()); }
    void reset(value_type h = Traits::Invalid()) {
        if (Traits::IsValid(m_h)) Traits::Close(m_h);
        m_h = h;
    }

private:
    value_type m_h = Traits::Invalid();
};

struct KernelHandleTraits {
    using value_type = HANDLE;
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using value_type = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
struct ModuleTraits {
    using value_type = HMODULE;
    static HMODULE Invalid() { return nullptr; }
    static bool IsValid(HMODULE h) { return h != nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};
struct GdiObjectTraits {
    using value_type = HGDIOBJ;
    static HGDIOBJ Invalid() { return nullptr; }
    static bool IsValid(HGDIOBJ h) { return h != nullptr; }
    static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};
struct MemDcTraits {
    using value_type = HDC;
    static HDC Invalid() { return nullptr; }
    static bool IsValid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { ::DeleteDC(h); }
};

using UniqueHandle = UniqueWinHandle<KernelHandleTraits>;
using UniqueFindHandle = UniqueWinHandle<FindHandleTraits>;
using UniqueModule = UniqueWinHandle<ModuleTraits>;
using UniqueGdiObject = UniqueWinHandle<GdiObjectTraits>;
using UniqueMemDC = UniqueWinHandle<MemDcTraits>;
