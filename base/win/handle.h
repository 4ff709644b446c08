#pragma once
// One owner for every Win32 handle, device context, global block, mapped
// view, COM reference and thread-owned window: released exactly once, never
// copied.
#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <utility>

template <class H, class Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {}
    ~Owned() { reset(); }
    Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Traits::invalid());
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    H release() { return std::exchange(h_, Traits::invalid()); }
    void reset(H h = Traits::invalid()) {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }

private:
    H h_ = Traits::invalid();
};

struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct FindHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { FindClose(h); }
};
struct ChangeHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { FindCloseChangeNotification(h); }
};
struct FileHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct GdiTraits {
    static HGDIOBJ invalid() { return nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};

using UniqueHandle = Owned<HANDLE, KernelHandleTraits>;   // mutex, event, thread, mapping
using FindHandle = Owned<HANDLE, FindHandleTraits>;
using ChangeHandle = Owned<HANDLE, ChangeHandleTraits>;
using FileHandle = Owned<HANDLE, FileHandleTraits>;
using GdiObject = Owned<HGDIOBJ, GdiTraits>;

struct GlobalTraits {
    static HGLOBAL invalid() { return nullptr; }
    static void close(HGLOBAL h) { GlobalFree(h); }
};
struct WindowTraits {
    static HWND invalid() { return nullptr; }
    // Only the window's own thread can destroy it; from another thread this
    // fails harmlessly and the window ends with its thread.
    static void close(HWND h) {
        if (IsWindow(h)) DestroyWindow(h);
    }
};

using GlobalMemory = Owned<HGLOBAL, GlobalTraits>;  // until handed to the clipboard or a medium
using OwnedWindow = Owned<HWND, WindowTraits>;

// Global memory locked for as long as the guard lives.
template <class T = void>
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory)
        : memory_(memory), bytes_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
    ~GlobalLockGuard() {
        if (bytes_) GlobalUnlock(memory_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    T* get() const { return bytes_; }
    std::size_t size() const { return bytes_ ? GlobalSize(memory_) : 0; }
    explicit operator bool() const { return bytes_ != nullptr; }

private:
    HGLOBAL memory_;
    T* bytes_;
};

// A window's device context from GetDC, released to the same window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a device context until the guard goes, when the
// earlier one is selected back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A view of a file mapping, unmapped when it goes.
class MappedView {
public:
    MappedView() = default;
    explicit MappedView(void* view) : view_(view) {}
    ~MappedView() { reset(); }
    MappedView(MappedView&& o) noexcept : view_(std::exchange(o.view_, nullptr)) {}
    MappedView& operator=(MappedView&& o) noexcept {
        if (this != &o) {
            reset();
            view_ = std::exchange(o.view_, nullptr);
        }
        return *this;
    }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;
    void* get() const { return view_; }
    explicit operator bool() const { return view_ != nullptr; }
    void reset(void* view = nullptr) {
        if (view_) UnmapViewOfFile(view_);
        view_ = view;
    }

private:
    void* view_ = nullptr;
};

// OLE on the calling thread for as long as the guard lives; undone only when
// this guard is the one that brought it up.
class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    explicit operator bool() const { return ok_; }

private:
    bool ok_;
};

// Holds one reference to a COM interface.
template <class I>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(I* adopted) : p_(adopted) {}
    ~ComPtr() { reset(); }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    I* release() { return std::exchange(p_, nullptr); }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // For the out parameter of a creating call; drops what was held.
    void** out() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }

private:
    I* p_ = nullptr;
};
