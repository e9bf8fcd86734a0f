#pragma once
// Move-only owners for Win32 handles: every handle the program takes is released exactly once.
#include <windows.h>
#include <commctrl.h>

#include <string_view>
#include <utility>

namespace zarv {

// Owns a handle of type H, released by Traits::Close. Copies are deleted.
template <typename H, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }

    H get() const { return h_; }
    explicit operator bool() const { return Traits::Valid(h_); }
    H release() { return std::exchange(h_, Traits::Invalid()); }
    void reset(H h = Traits::Invalid()) {
        H old = std::exchange(h_, h);
        if (Traits::Valid(old)) Traits::Close(old);
    }

private:
    H h_ = Traits::Invalid();
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
// CreateFile's failure value is INVALID_HANDLE_VALUE, others' is NULL: both count as empty.
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
// A search of FindFirstFile, ended by FindClose.
struct FindHandleTraits : KernelHandleTraits {
    static void Close(HANDLE h) { FindClose(h); }
};
using UniqueFindHandle = UniqueHandle<HANDLE, FindHandleTraits>;

template <typename H, BOOL(WINAPI* F)(H)>
struct NullTraits {
    static H Invalid() { return nullptr; }
    static bool Valid(H h) { return h != nullptr; }
    static void Close(H h) { F(h); }
};

inline BOOL WINAPI DeleteGdiObject(HGDIOBJ h) { return DeleteObject(h); }
inline BOOL WINAPI DeleteMemoryDc(HDC h) { return DeleteDC(h); }
inline BOOL WINAPI DestroyImageList(HIMAGELIST h) { return ImageList_Destroy(h); }

using UniqueIcon = UniqueHandle<HICON, NullTraits<HICON, DestroyIcon>>;
using UniqueMenu = UniqueHandle<HMENU, NullTraits<HMENU, DestroyMenu>>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, NullTraits<HGDIOBJ, DeleteGdiObject>>;
using UniqueFont = UniqueHandle<HGDIOBJ, NullTraits<HGDIOBJ, DeleteGdiObject>>;
using UniqueDc = UniqueHandle<HDC, NullTraits<HDC, DeleteMemoryDc>>;  // CreateCompatibleDC
using UniqueImageList = UniqueHandle<HIMAGELIST, NullTraits<HIMAGELIST, DestroyImageList>>;

// Selects a GDI object into a DC for the guard's lifetime.
class SelectObjectGuard {
public:
    SelectObjectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectObjectGuard() { SelectObject(dc_, old_); }
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// GetDC / ReleaseDC: the device context of a window (nullptr: the screen) for a moment.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The size of a line of text in the font selected into dc.
inline SIZE TextSize(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd_, &ps_); }
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC dc() const { return dc_; }
    const RECT& rect() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    HDC dc_;
    PAINTSTRUCT ps_{};
};

}  // namespace zarv
