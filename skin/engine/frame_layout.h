// Where the dressed frame puts its parts, and what a point of the window hits: plain
// arithmetic on the window's size, its frame style and the skin's metrics, so that it runs
// (and is tested) without windows.
#pragma once

namespace wavoro::skin {

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] int width() const { return right - left; }
    [[nodiscard]] int height() const { return bottom - top; }
    [[nodiscard]] bool empty() const { return right <= left || bottom <= top; }
    [[nodiscard]] bool contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

// What the window asks of its frame.
struct FrameStyle {
    bool systemMenu = false; // a close button (and the icon, when there is one)
    bool minimizeBox = false;
    bool maximizeBox = false;
    bool resizable = false; // a sizing frame: its edges size the window
    bool maximized = false;
    bool hasIcon = false;
    int maximizedInset = 0; // how far a maximised window reaches past the screen on each side
};

// The skin's frame metrics.
struct FrameMetrics {
    int titleHeight = 24;
    int border = 1;
    int buttonWidth = 40;
    int iconSize = 16;
    int padding = 6;
    int grip = 4; // reach of the sizing edges of a resizable window, from its outer edge
};

enum class CaptionButton { Close, Maximize, Minimize, Count };

enum class FramePart {
    Nowhere,
    Client,
    Caption,
    SystemMenu,
    Close,
    Maximize,
    Minimize,
    Border,
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

struct FrameLayout {
    Box window;     // (0, 0, width, height)
    Box client;     // the client area, in window coordinates
    Box title;      // the title bar row
    Box icon;       // empty without an icon
    Box text;       // where the title text goes
    Box buttons[3]; // by CaptionButton; empty when the window has no such button

    [[nodiscard]] const Box& button(CaptionButton b) const { return buttons[static_cast<int>(b)]; }
};

[[nodiscard]] FrameLayout layoutFrame(int width, int height, const FrameStyle& style,
                                      const FrameMetrics& metrics);

// The part under the point (x, y), in window coordinates.
[[nodiscard]] FramePart hitTest(const FrameLayout& layout, const FrameStyle& style,
                                const FrameMetrics& metrics, int x, int y);

[[nodiscard]] FramePart partOf(CaptionButton b);

} // namespace wavoro::skin
