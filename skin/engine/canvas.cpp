#include "skin/engine/canvas.h"

#include <algorithm>

namespace wavoro::skin {

namespace {

std::uint32_t channel(std::uint32_t p, int shift) {
    return p >> shift & 0xFF;
}

} // namespace

std::uint32_t mix(std::uint32_t b, std::uint32_t a, int alpha) {
    const auto t = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t v = (channel(a, shift) * t + channel(b, shift) * (255 - t) + 127) / 255;
        out |= v << shift;
    }
    return out;
}

Box Canvas::clip(Box box) const {
    return {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, width_),
            std::min(box.bottom, height_)};
}

void Canvas::fill(Box box, std::uint32_t pixel) {
    const Box c = clip(box);
    for (int y = c.top; y < c.bottom; ++y) {
        std::fill(pixels_ + y * width_ + c.left, pixels_ + y * width_ + c.right, pixel);
    }
}

void Canvas::blend(Box box, std::uint32_t pixel, int alpha) {
    const Box c = clip(box);
    for (int y = c.top; y < c.bottom; ++y) {
        for (int x = c.left; x < c.right; ++x) {
            std::uint32_t& p = pixels_[y * width_ + x];
            p = mix(p, pixel, alpha);
        }
    }
}

void Canvas::stretch(const ImageView& image, Box box) {
    if (box.empty() || image.width == 0 || image.height == 0) {
        return;
    }
    const Box c = clip(box);
    const int w = box.width();
    const int h = box.height();
    for (int y = c.top; y < c.bottom; ++y) {
        const int sy = (y - box.top) * image.height / h;
        for (int x = c.left; x < c.right; ++x) {
            // Position in source columns, in 1/256ths: the first and last pixels of the box
            // take the first and last columns exactly.
            const int pos = w > 1 ? (x - box.left) * (image.width - 1) * 256 / (w - 1) : 0;
            const int sx = pos >> 8;
            const int frac = pos & 0xFF;
            const std::uint32_t left = image.pixel(sx, sy) & 0xFFFFFF;
            const std::uint32_t right =
                sx + 1 < image.width ? image.pixel(sx + 1, sy) & 0xFFFFFF : left;
            pixels_[y * width_ + x] = mix(left, right, frac);
        }
    }
}

void Canvas::mask(const ImageView& image, int x, int y, std::uint32_t pixel, int opacity) {
    const Box c = clip({x, y, x + image.width, y + image.height});
    for (int py = c.top; py < c.bottom; ++py) {
        for (int px = c.left; px < c.right; ++px) {
            const auto coverage = static_cast<int>(image.pixel(px - x, py - y) >> 24);
            std::uint32_t& p = pixels_[py * width_ + px];
            p = mix(p, pixel, coverage * opacity / 255);
        }
    }
}

} // namespace wavoro::skin
