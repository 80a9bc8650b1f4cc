// The dressed frame's layout and hit-testing, and the pixel operations that draw it.
#include "skin/engine/canvas.h"
#include "skin/engine/frame_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace wavoro::skin {
namespace {

const FrameMetrics kMetrics{24, 1, 40, 16, 6, 4};

// The main window: 450 x 262, fixed frame, system menu and icon, no minimise or maximise.
FrameStyle mainWindow() {
    FrameStyle style;
    style.systemMenu = true;
    style.hasIcon = true;
    return style;
}

TEST(FrameLayout, MainWindowKeepsItsOuterSize) {
    const FrameLayout l = layoutFrame(450, 262, mainWindow(), kMetrics);
    EXPECT_EQ(l.window.width(), 450);
    EXPECT_EQ(l.window.height(), 262);
    // 1-pixel border and a 24-pixel title: the client area is 448 x 236, enough for the
    // controls that reach down to 232.
    EXPECT_EQ(l.client.left, 1);
    EXPECT_EQ(l.client.top, 25);
    EXPECT_EQ(l.client.width(), 448);
    EXPECT_EQ(l.client.height(), 236);
    EXPECT_EQ(l.button(CaptionButton::Close).right, 449);
    EXPECT_EQ(l.button(CaptionButton::Close).width(), 40);
    EXPECT_TRUE(l.button(CaptionButton::Maximize).empty());
    EXPECT_TRUE(l.button(CaptionButton::Minimize).empty());
    EXPECT_EQ(l.icon.left, 7);
    EXPECT_EQ(l.icon.top, 5);
    EXPECT_EQ(l.text.left, l.icon.right + 6);
    EXPECT_EQ(l.text.right, l.button(CaptionButton::Close).left);
}

TEST(FrameLayout, HitTestsTheMainWindow) {
    const FrameStyle style = mainWindow();
    const FrameLayout l = layoutFrame(450, 262, style, kMetrics);
    struct Case {
        int x, y;
        FramePart part;
    };
    const std::vector<Case> cases = {
        {200, 12, FramePart::Caption},   {200, 0, FramePart::Caption},
        {420, 12, FramePart::Close},     {448, 1, FramePart::Close},
        {409, 12, FramePart::Close},     {408, 12, FramePart::Caption},
        {10, 10, FramePart::SystemMenu}, {3, 12, FramePart::Caption},
        {200, 25, FramePart::Client},    {200, 260, FramePart::Client},
        {0, 100, FramePart::Border},     {449, 100, FramePart::Border},
        {200, 261, FramePart::Border},   {449, 0, FramePart::Border},
        {450, 10, FramePart::Nowhere},   {-1, 10, FramePart::Nowhere},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hitTest(l, style, kMetrics, c.x, c.y), c.part) << c.x << "," << c.y;
    }
}

TEST(FrameLayout, ResizableWindowSizesByItsEdges) {
    FrameStyle style = mainWindow();
    style.resizable = true;
    style.minimizeBox = true;
    style.maximizeBox = true;
    const FrameLayout l = layoutFrame(300, 200, style, kMetrics);
    EXPECT_EQ(l.button(CaptionButton::Maximize).right, l.button(CaptionButton::Close).left);
    EXPECT_EQ(l.button(CaptionButton::Minimize).right, l.button(CaptionButton::Maximize).left);
    struct Case {
        int x, y;
        FramePart part;
    };
    const std::vector<Case> cases = {
        {0, 0, FramePart::TopLeft},         {7, 0, FramePart::TopLeft},
        {0, 7, FramePart::TopLeft},         {150, 0, FramePart::Top},
        {299, 0, FramePart::TopRight},      {299, 100, FramePart::Right},
        {299, 199, FramePart::BottomRight}, {150, 199, FramePart::Bottom},
        {0, 199, FramePart::BottomLeft},    {0, 100, FramePart::Left},
        {3, 100, FramePart::Left},          {4, 100, FramePart::Client},
        {150, 4, FramePart::Caption},       {240, 12, FramePart::Maximize},
        {200, 12, FramePart::Minimize},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hitTest(l, style, kMetrics, c.x, c.y), c.part) << c.x << "," << c.y;
    }
    // Maximised, the frame does not size, and the title starts where the screen does.
    style.maximized = true;
    style.maximizedInset = 8;
    const FrameLayout m = layoutFrame(1040, 784, style, kMetrics);
    EXPECT_EQ(m.title.top, 8);
    EXPECT_EQ(m.client.top, 32);
    EXPECT_EQ(m.client.left, 8);
    EXPECT_EQ(hitTest(m, style, kMetrics, 8, 8), FramePart::Caption);
    EXPECT_EQ(hitTest(m, style, kMetrics, 1030, 12), FramePart::Close);
}

TEST(FrameLayout, WindowWithoutSystemMenuHasOnlyItsTitle) {
    FrameStyle style;
    style.hasIcon = true; // no system menu: no icon drawn either
    const FrameLayout l = layoutFrame(200, 100, style, kMetrics);
    EXPECT_TRUE(l.icon.empty());
    EXPECT_TRUE(l.button(CaptionButton::Close).empty());
    EXPECT_EQ(l.text.left, 7);
    EXPECT_EQ(l.text.right, 199);
    EXPECT_EQ(hitTest(l, style, kMetrics, 190, 10), FramePart::Caption);
}

// A window narrower than its caption buttons still lays out inside itself.
TEST(FrameLayout, TinyWindowStaysInside) {
    FrameStyle style = mainWindow();
    style.minimizeBox = style.maximizeBox = true;
    const FrameLayout l = layoutFrame(50, 10, style, kMetrics);
    for (const Box& b : l.buttons) {
        EXPECT_GE(b.left, 1);
        EXPECT_LE(b.right, 49);
    }
    EXPECT_LE(l.title.bottom, 10);
    EXPECT_LE(l.client.top, l.client.bottom);
    EXPECT_LE(l.text.left, l.text.right);
}

std::vector<std::uint8_t> pixels(std::initializer_list<std::uint32_t> argb) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t p : argb) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(p >> (8 * i)));
        }
    }
    return bytes;
}

TEST(Canvas, StretchSpreadsColumnsEndToEnd) {
    const auto bytes = pixels({0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000});
    const ImageView image{2, 2, bytes.data()}; // top row black..blue, bottom green..red
    std::vector<std::uint32_t> px(5 * 4, 0x123456);
    Canvas canvas(px.data(), 5, 4);
    canvas.stretch(image, {0, 0, 5, 4});
    EXPECT_EQ(canvas.at(0, 0), 0x000000u);
    EXPECT_EQ(canvas.at(4, 0), 0x0000FFu);
    EXPECT_EQ(canvas.at(2, 1), 0x000080u); // halfway, rounded
    EXPECT_EQ(canvas.at(0, 2), 0x00FF00u);
    EXPECT_EQ(canvas.at(4, 3), 0xFF0000u);
    // Partly outside: clipped, nothing written past the pixels (checked by the sanitizers).
    canvas.stretch(image, {-3, -3, 8, 8});
    canvas.stretch(image, {3, 3, 3, 3});
}

TEST(Canvas, MaskBlendsByCoverageAndOpacity) {
    const auto bytes = pixels({0x00FFFFFF, 0xFFFFFFFF, 0x80FFFFFF});
    const ImageView glyph{3, 1, bytes.data()};
    std::vector<std::uint32_t> px(4, 0x000000);
    Canvas canvas(px.data(), 4, 1);
    canvas.mask(glyph, 1, 0, 0xFF8000);
    EXPECT_EQ(canvas.at(0, 0), 0x000000u);
    EXPECT_EQ(canvas.at(1, 0), 0x000000u);
    EXPECT_EQ(canvas.at(2, 0), 0xFF8000u);
    EXPECT_EQ(canvas.at(3, 0), 0x804000u);
    canvas.fill({0, 0, 4, 1}, 0x000000);
    canvas.mask(glyph, 0, 0, 0xFFFFFF, 51);
    EXPECT_EQ(canvas.at(1, 0), 0x333333u);
    canvas.mask(glyph, 2, -1, 0xFFFFFF); // off the canvas
}

TEST(Canvas, ColoursAndPixelsSwapRedAndBlue) {
    EXPECT_EQ(pixelOf(0x00A61F5A), 0x5A1FA6u);
    EXPECT_EQ(colourOf(0x5A1FA6), 0x00A61F5Au);
    EXPECT_EQ(mix(0x000000, 0xFFFFFF, 128), 0x808080u);
    EXPECT_EQ(mix(0x102030, 0xFFFFFF, 0), 0x102030u);
    EXPECT_EQ(mix(0x102030, 0xFFFFFF, 300), 0xFFFFFFu);
}

} // namespace
} // namespace wavoro::skin
