// What the engine tests need of the screen: pumping messages, capturing what is shown,
// saving it as PNG, and moving and pressing the mouse like a user.
#pragma once

#include "skin/engine/win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wavoro::skin::testing {

// Dispatches this thread's messages for about `ms` milliseconds.
void pump(int ms);
// Pumps until `done` holds or `ms` milliseconds have passed; returns whether it held.
bool pumpUntil(const std::function<bool()>& done, int ms);

// A capture of part of the screen, pixels 0x00RRGGBB.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    [[nodiscard]] std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y * width + x)];
    }
    // As a skin colour, 0x00BBGGRR.
    [[nodiscard]] std::uint32_t colourAt(int x, int y) const;
    bool operator==(const Shot&) const = default;
};

Shot captureScreen(const RECT& area);
// The window as it is on the screen, frame included.
Shot captureWindow(HWND hwnd);
// Pumps, then captures the window once its pixel at (x, y) shows `colour`, or after `ms`.
Shot captureWhen(HWND hwnd, int x, int y, std::uint32_t colour, int ms = 2000);

// Writes the shot as a PNG file (stored, uncompressed: small code, exact pixels).
bool savePng(const Shot& shot, const std::string& path);

// Real mouse input, in screen coordinates.
void mouseMove(int x, int y);
void mouseDown();
void mouseUp();
// Presses at `from`, moves by (dx, dy) in three steps and releases, all queued at once: a
// press on a title bar enters the system's move loop, which runs until the release.
void drag(POINT from, int dx, int dy);

// A point of a window, relative to its outer top-left corner, on the screen.
POINT windowPoint(HWND hwnd, int x, int y);

} // namespace wavoro::skin::testing
