// Scoped wrappers for the device contexts and GDI objects the engine uses, so that every
// one of them is released on every path.
#pragma once

#include "skin/engine/canvas.h"
#include "skin/engine/win32.h"

#include <cstdint>

namespace wavoro::skin {

// GetDC or GetWindowDC, released at the end of the scope.
class WindowDC {
public:
    enum Area { Client, Whole };
    WindowDC(HWND hwnd, Area area)
        : hwnd_(hwnd), dc_(area == Whole ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(hwnd_, dc_);
        }
    }
    [[nodiscard]] HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { BeginPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    [[nodiscard]] HDC get() const { return ps_.hdc; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// SelectObject, undone at the end of the scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A GDI object owned by the scope (brushes, fonts, bitmaps, regions).
template <class Handle>
class GdiObject {
public:
    explicit GdiObject(Handle h = nullptr) : h_(h) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }
    void reset(Handle h = nullptr) {
        if (h_ != nullptr) {
            DeleteObject(h_);
        }
        h_ = h;
    }
    [[nodiscard]] Handle get() const { return h_; }
    [[nodiscard]] Handle release() {
        Handle h = h_;
        h_ = nullptr;
        return h;
    }

private:
    Handle h_;
};

// A 32-bit top-down DIB section selected into a memory DC: drawn into both through the
// Canvas (pixels) and through GDI (text, icons), then copied to the screen in one go.
class Bitmap {
public:
    Bitmap(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        if (dc_ != nullptr && width > 0 && height > 0) {
            bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        }
        if (bitmap_ != nullptr) {
            old_ = SelectObject(dc_, bitmap_);
            bits_ = static_cast<std::uint32_t*>(bits);
        }
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap() {
        if (old_ != nullptr) {
            SelectObject(dc_, old_);
        }
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }

    [[nodiscard]] bool ok() const { return bits_ != nullptr; }
    [[nodiscard]] HDC dc() const { return dc_; }
    // Direct pixel access; GDI drawing queued before must be flushed first.
    [[nodiscard]] Canvas canvas() const {
        GdiFlush();
        return Canvas(bits_, width_, height_);
    }
    void copyTo(HDC target, int x, int y) const {
        BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

[[nodiscard]] inline RECT toRect(const Box& b) {
    return {b.left, b.top, b.right, b.bottom};
}

// Fills a rectangle with a skin colour (0x00BBGGRR) without keeping a brush around.
inline void fillColour(HDC dc, const RECT& r, std::uint32_t colour) {
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// A one-pixel outline of r in a skin colour.
inline void frameColour(HDC dc, const RECT& r, std::uint32_t colour) {
    fillColour(dc, {r.left, r.top, r.right, r.top + 1}, colour);
    fillColour(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
    fillColour(dc, {r.left, r.top, r.left + 1, r.bottom}, colour);
    fillColour(dc, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

} // namespace wavoro::skin
