// A window shaped like Wavoro's main window, for the engine tests: 450 x 262, fixed frame with
// caption and system menu, no minimise or maximise box, a self-drawn banner and labels, a
// group box, two edits with WS_BORDER, two push buttons and a disabled one.
#pragma once

#include "skin/engine/win32.h"

namespace wavoro::skin::testing {

// The banner paints violet on its left and blue on its right, solid, so that a test can tell
// its pixels apart from anything the engine would draw.
inline constexpr COLORREF kBannerViolet = RGB(0x5A, 0x1F, 0xA6);
inline constexpr COLORREF kBannerBlue = RGB(0x15, 0x57, 0xD6);
inline constexpr LONG_PTR kUserDataMark = 0x5EED;

struct TestWindow {
    HWND window = nullptr;
    HWND banner = nullptr;
    HWND nameLabel = nullptr;
    HWND passwordLabel = nullptr;
    HWND nameEdit = nullptr;
    HWND passwordEdit = nullptr;
    HWND createButton = nullptr;
    HWND wifiButton = nullptr;
    HWND disabledButton = nullptr;
    HWND group = nullptr;

    // Every child, for checks that go over all of them.
    [[nodiscard]] HWND child(int i) const;
    static constexpr int kChildren = 9;
};

// Counts of what the window has been through (one test window at a time).
struct TestWindowEvents {
    int createClicks = 0;
    int wifiClicks = 0;
    bool destroyed = false;
};
extern TestWindowEvents events;

// Builds the window hidden, its controls shown inside it, centred on the screen, as the
// window runtime does before the skin is attached.
TestWindow createTestWindow(const char* title = "Wavoro - Tesmin http://www.tesmin.com");
void showTestWindow(const TestWindow& w);

// Client rectangles of the children relative to the window's client area.
RECT childPlace(HWND child);

} // namespace wavoro::skin::testing
