// The banner picture: a JPEG decoded from memory into pixels ready for a 32-bit DIB.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace wavoro {

struct DecodedPicture {
    int width = 0;
    int height = 0;
    // Top-down rows of blue, green, red and one unused byte per pixel, no padding.
    std::vector<std::uint8_t> pixels;
};

// None when the bytes are no JPEG that libjpeg can decode (truncated, corrupt, unsupported);
// nothing is reported and the process is never ended.
[[nodiscard]] std::optional<DecodedPicture> decodeJpeg(std::span<const unsigned char> bytes);

} // namespace wavoro
