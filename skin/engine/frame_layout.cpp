#include "skin/engine/frame_layout.h"

#include <algorithm>

namespace wavoro::skin {

FramePart partOf(CaptionButton b) {
    switch (b) {
    case CaptionButton::Close:
        return FramePart::Close;
    case CaptionButton::Maximize:
        return FramePart::Maximize;
    case CaptionButton::Minimize:
        return FramePart::Minimize;
    case CaptionButton::Count:
        break;
    }
    return FramePart::Nowhere;
}

FrameLayout layoutFrame(int width, int height, const FrameStyle& style,
                        const FrameMetrics& metrics) {
    FrameLayout layout;
    layout.window = {0, 0, width, height};
    // A maximised window hangs over the screen's edges by the system's frame; the part of it
    // that stays visible starts there.
    const int edge =
        style.maximized ? std::max(metrics.border, style.maximizedInset) : metrics.border;
    const int titleTop = edge;
    const int titleBottom = std::min(height, titleTop + metrics.titleHeight);
    layout.title = {edge, titleTop, std::max(edge, width - edge), titleBottom};
    layout.client = {edge, titleBottom, std::max(edge, width - edge),
                     std::max(titleBottom, height - edge)};

    // Caption buttons from the right: close, maximise, minimise.
    int right = layout.title.right;
    auto place = [&](CaptionButton b, bool present) {
        if (!present) {
            return;
        }
        const int left = std::max(layout.title.left, right - metrics.buttonWidth);
        layout.buttons[static_cast<int>(b)] = {left, layout.title.top, right, layout.title.bottom};
        right = left;
    };
    place(CaptionButton::Close, style.systemMenu);
    place(CaptionButton::Maximize, style.systemMenu && style.maximizeBox);
    place(CaptionButton::Minimize, style.systemMenu && style.minimizeBox);

    int left = layout.title.left + metrics.padding;
    if (style.systemMenu && style.hasIcon && metrics.iconSize > 0) {
        const int top = layout.title.top + (layout.title.height() - metrics.iconSize) / 2;
        layout.icon = {left, top, left + metrics.iconSize, top + metrics.iconSize};
        left = layout.icon.right + metrics.padding;
    }
    layout.text = {std::min(left, right), layout.title.top, right, layout.title.bottom};
    return layout;
}

FramePart hitTest(const FrameLayout& layout, const FrameStyle& style, const FrameMetrics& metrics,
                  int x, int y) {
    if (!layout.window.contains(x, y)) {
        return FramePart::Nowhere;
    }
    if (style.resizable && !style.maximized) {
        const int grip = std::max(metrics.grip, metrics.border);
        const int corner = grip * 2;
        const int w = layout.window.right;
        const int h = layout.window.bottom;
        const bool left = x < grip;
        const bool right = x >= w - grip;
        const bool top = y < grip;
        const bool bottom = y >= h - grip;
        if (top || bottom || left || right) {
            const bool nearLeft = x < corner;
            const bool nearRight = x >= w - corner;
            const bool nearTop = y < corner;
            const bool nearBottom = y >= h - corner;
            if ((top && nearLeft) || (left && nearTop)) {
                return FramePart::TopLeft;
            }
            if ((top && nearRight) || (right && nearTop)) {
                return FramePart::TopRight;
            }
            if ((bottom && nearLeft) || (left && nearBottom)) {
                return FramePart::BottomLeft;
            }
            if ((bottom && nearRight) || (right && nearBottom)) {
                return FramePart::BottomRight;
            }
            if (top) {
                return FramePart::Top;
            }
            if (bottom) {
                return FramePart::Bottom;
            }
            return left ? FramePart::Left : FramePart::Right;
        }
    }
    for (int b = 0; b < static_cast<int>(CaptionButton::Count); ++b) {
        if (layout.buttons[b].contains(x, y)) {
            return partOf(static_cast<CaptionButton>(b));
        }
    }
    if (layout.icon.contains(x, y)) {
        return FramePart::SystemMenu;
    }
    if (layout.title.contains(x, y)) {
        return FramePart::Caption;
    }
    if (layout.client.contains(x, y)) {
        return FramePart::Client;
    }
    // The thin edge above a fixed window's title bar moves it like the title bar does.
    if (!style.resizable && y < layout.title.top && x >= layout.title.left &&
        x < layout.title.right) {
        return FramePart::Caption;
    }
    return FramePart::Border;
}

} // namespace wavoro::skin
