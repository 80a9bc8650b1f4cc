// Helpers of the Windows tests: reading the screen, synthetic input, waiting, fixture files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace wavoro::test {

// The directory of the running test program, without a trailing separator.
inline std::string programDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    return p.substr(0, p.find_last_of("\\/"));
}

inline std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Polls until the condition holds or the time is up, running `step` between polls (for
// in-process tests: dispatching the window's messages).
inline bool waitUntil(const std::function<bool()>& condition, int milliseconds = 5000,
                      const std::function<void()>& step = {}) {
    // (<chrono> cannot be compiled for code page 936 literals: its micro sign has no GBK byte.)
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    for (;;) {
        if (step) {
            step();
        }
        if (condition()) {
            return true;
        }
        if (GetTickCount64() > end) {
            return false;
        }
        Sleep(20);
    }
}

// The pixels of a screen area, top row first, as the 32-bit DIB holds them (0xXXRRGGBB). Only
// the part on the screen is copied (a copy reaching past it would give nothing at all); the
// rest stays 0.
inline std::vector<std::uint32_t> capturePixels(RECT area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                      static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT visible{};
    const RECT desktop = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (IntersectRect(&visible, &area, &desktop)) {
        BitBlt(memory, visible.left - area.left, visible.top - area.top,
               visible.right - visible.left, visible.bottom - visible.top, screen, visible.left,
               visible.top, SRCCOPY);
    }
    GdiFlush();
    if (bits != nullptr) {
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels.assign(p, p + pixels.size());
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A copy of a screen area, with pixels as COLORREF.
class ScreenShot {
public:
    explicit ScreenShot(RECT area)
        : area_(area), width_(area.right - area.left), height_(area.bottom - area.top),
          pixels_(capturePixels(area)) {}

    // The colour at screen coordinates inside the area.
    [[nodiscard]] COLORREF at(int x, int y) const {
        const std::uint32_t bgr =
            pixels_[static_cast<std::size_t>(y - area_.top) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(x - area_.left)];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }

    // How many pixels of the rectangle (screen coordinates) satisfy the test.
    [[nodiscard]] int count(RECT r, const std::function<bool(COLORREF)>& test) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (test(at(x, y))) {
                    ++n;
                }
            }
        }
        return n;
    }

    // Writes the area as a 24-bit BMP file.
    bool saveBmp(const std::string& path) const {
        const int rowBytes = (width_ * 3 + 3) & ~3;
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER header{};
        header.biSize = sizeof header;
        header.biWidth = width_;
        header.biHeight = height_;
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(rowBytes * height_);
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + header.biSizeImage;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        std::vector<char> row(static_cast<std::size_t>(rowBytes), 0);
        for (int y = height_ - 1; y >= 0; --y) {
            for (int x = 0; x < width_; ++x) {
                const std::uint32_t p =
                    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)];
                row[static_cast<std::size_t>(x) * 3] = static_cast<char>(p & 0xFF);
                row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
                row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
            }
            out.write(row.data(), rowBytes);
        }
        return static_cast<bool>(out);
    }

private:
    RECT area_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

inline bool closeTo(COLORREF a, COLORREF b, int tolerance) {
    auto d = [](int x, int y) { return x > y ? x - y : y - x; };
    return d(GetRValue(a), GetRValue(b)) <= tolerance &&
           d(GetGValue(a), GetGValue(b)) <= tolerance && d(GetBValue(a), GetBValue(b)) <= tolerance;
}

// Text pixels: dark ones of black text, reddish ones of the dark red status text (red 128,
// green 0, blue 0), allowing for the smoothed edges blended with the background.
inline bool isDark(COLORREF c) {
    return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}
inline bool isDarkRed(COLORREF c) {
    const int r = GetRValue(c);
    const int g = GetGValue(c);
    const int b = GetBValue(c);
    return r < 220 && r > g + 40 && r > b + 40;
}

// The rectangle of a window in screen coordinates.
inline RECT screenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// A rectangle of a window's client area in screen coordinates.
inline RECT clientToScreen(HWND hwnd, RECT r) {
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Synthetic input, as a user's keyboard and mouse would give it.
inline void pressKey(WORD key, bool shift = false) {
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (shift) {
        add(VK_SHIFT, false);
    }
    add(key, false);
    add(key, true);
    if (shift) {
        add(VK_SHIFT, true);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline void mouseButton(POINT screen, DWORD down, DWORD up, int clicks = 1) {
    SetCursorPos(screen.x, screen.y);
    for (int i = 0; i < clicks; ++i) {
        INPUT in[2]{};
        in[0].type = INPUT_MOUSE;
        in[0].mi.dwFlags = down;
        in[1].type = INPUT_MOUSE;
        in[1].mi.dwFlags = up;
        SendInput(2, in, sizeof(INPUT));
    }
}

inline void leftClick(POINT screen, int clicks = 1) {
    mouseButton(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, clicks);
}

inline void rightClick(POINT screen) {
    mouseButton(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

} // namespace wavoro::test
