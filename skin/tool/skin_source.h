// The readable source of a skin: a text of settings and image file names, and the images as
// ASCII Netpbm files (P2 grey maps for glyph masks, P3 pixel maps for opaque pictures). The
// host tool turns it into a skin file.
//
//   # a comment
//   titleHeight      24          a metric, decimal
//   frameActive      #5B3FA8     a colour, #RRGGBB
//   glyphClose       close.pgm   an image, relative to the source's directory
//
// Every setting and image of skin/skin_file.h appears exactly once.
#pragma once

#include "skin/skin_file.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavoro::skin {

struct Picture {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, row by row
};

struct SkinSource {
    std::uint32_t settings[kSettingCount] = {};
    Picture images[kImageCount];
};

// A P2 grey map becomes a white picture whose alpha is the grey value; a P3 pixel map an
// opaque one. Values are scaled from the file's maximum to 0..255. Throws std::runtime_error.
Picture parseNetpbm(std::string_view text);

// Reads a file by the name written in the source; throws std::runtime_error when it cannot.
using FileReader = std::function<std::string(const std::string& name)>;

// Parses the source text; errors name the line ("line 7: ..."). Throws std::runtime_error.
SkinSource parseSkinSource(std::string_view text, const FileReader& readFile);

// The content bytes as laid out, unchecked; and checked the way the engine checks them
// (throws std::runtime_error when the engine would refuse them).
std::vector<std::uint8_t> serializeContent(const SkinSource& source);
std::vector<std::uint8_t> buildContent(const SkinSource& source);
// The complete skin file around the content.
std::vector<std::uint8_t> compressSkin(const std::vector<std::uint8_t>& content);

} // namespace wavoro::skin
