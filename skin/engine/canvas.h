// Drawing into 32-bit pixels (0x00RRGGBB, rows top-down) such as a DIB section's: the few
// operations the frame needs, portable and tested natively.
#pragma once

#include "skin/engine/frame_layout.h"
#include "skin/skin_file.h"

#include <cstdint>

namespace wavoro::skin {

// A skin colour (0x00BBGGRR) as a pixel (0x00RRGGBB), and back.
[[nodiscard]] constexpr std::uint32_t pixelOf(std::uint32_t colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}
[[nodiscard]] constexpr std::uint32_t colourOf(std::uint32_t pixel) {
    return pixelOf(pixel);
}

class Canvas {
public:
    Canvas(std::uint32_t* pixels, int width, int height)
        : pixels_(pixels), width_(width), height_(height) {}

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] std::uint32_t at(int x, int y) const { return pixels_[y * width_ + x]; }

    void fill(Box box, std::uint32_t pixel);
    // Lays `pixel` over the box with an opacity of alpha/255.
    void blend(Box box, std::uint32_t pixel, int alpha);
    // The image's colours over the box, its columns spread across the box's width with linear
    // interpolation and its rows picked to fit the box's height.
    void stretch(const ImageView& image, Box box);
    // The image as a coverage mask (its alpha) in one colour, at (x, y), faded by opacity/255.
    void mask(const ImageView& image, int x, int y, std::uint32_t pixel, int opacity = 255);

private:
    [[nodiscard]] Box clip(Box box) const;

    std::uint32_t* pixels_;
    int width_;
    int height_;
};

// a over b with an opacity of alpha/255, per channel.
[[nodiscard]] std::uint32_t mix(std::uint32_t b, std::uint32_t a, int alpha);

} // namespace wavoro::skin
