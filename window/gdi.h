// Scoped owners for the GDI and USER objects the window runtime draws with.
#pragma once

#include <windows.h>

#include <utility>

namespace wavoro::gdi {

// A GDI object (brush, font, bitmap) deleted with DeleteObject.
template <typename H>
class Object {
public:
    Object() = default;
    explicit Object(H handle) : handle_(handle) {}
    ~Object() { reset(); }
    Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Object& operator=(Object&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void reset(H handle = nullptr) {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
        handle_ = handle;
    }
    [[nodiscard]] H get() const { return handle_; }

private:
    H handle_ = nullptr;
};

using Brush = Object<HBRUSH>;

// An icon destroyed with DestroyIcon.
class Icon {
public:
    Icon() = default;
    explicit Icon(HICON handle) : handle_(handle) {}
    ~Icon() { reset(); }
    Icon(Icon&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Icon& operator=(Icon&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    void reset(HICON handle = nullptr) {
        if (handle_ != nullptr) {
            DestroyIcon(handle_);
        }
        handle_ = handle;
    }
    [[nodiscard]] HICON get() const { return handle_; }

private:
    HICON handle_ = nullptr;
};

// An object selected into a device context for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint ... EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &paint_); }
    ~PaintScope() { EndPaint(hwnd_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    [[nodiscard]] HDC dc() const { return dc_; }
    [[nodiscard]] const RECT& area() const { return paint_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// GetDC / GetWindowDC ... ReleaseDC.
class WindowDc {
public:
    enum class Area { client, window };
    explicit WindowDc(HWND hwnd, Area area = Area::client)
        : hwnd_(hwnd), dc_(area == Area::client ? GetDC(hwnd) : GetWindowDC(hwnd)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(hwnd_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    [[nodiscard]] HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

} // namespace wavoro::gdi
