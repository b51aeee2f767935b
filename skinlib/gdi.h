#pragma once
// Owners of the GDI resources the painters borrow or make.
#include <windows.h>

#include <utility>

#include "core/colour.h"

namespace skin {

inline COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() {
        if (handle_) DeleteObject(handle_);
    }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }

    Handle Get() const { return handle_; }

private:
    Handle handle_ = nullptr;
};
using Brush = GdiObject<HBRUSH>;

// Puts an object into a DC for the life of this value.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Clipping and colour changes undone at the end of the scope.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(dc_, state_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int state_;
};

class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

inline void FillSolid(HDC dc, const RECT& area, Rgb colour) {
    SetBkColor(dc, ToColorRef(colour));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

// A one-pixel outline inside `area`.
inline void Outline(HDC dc, const RECT& area, Rgb colour) {
    const LONG w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    FillSolid(dc, {area.left, area.top, area.right, area.top + 1}, colour);
    FillSolid(dc, {area.left, area.bottom - 1, area.right, area.bottom}, colour);
    FillSolid(dc, {area.left, area.top, area.left + 1, area.bottom}, colour);
    FillSolid(dc, {area.right - 1, area.top, area.right, area.bottom}, colour);
}

}  // namespace skin
