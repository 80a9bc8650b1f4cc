// A small valid skin for the tests, built in memory.
#pragma once

#include "skin/tool/skin_source.h"

#include <cstdint>
#include <vector>

namespace wavoro::skin::testing {

inline Picture solidPicture(std::uint16_t width, std::uint16_t height, std::uint32_t argb) {
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(std::size_t{width} * height, argb);
    return p;
}

inline SkinSource smallSource() {
    SkinSource source;
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        source.settings[i] =
            kSettings[i].colour ? 0x00102030u + static_cast<std::uint32_t>(i) : kSettings[i].min;
    }
    source.settings[static_cast<std::size_t>(Setting::TitleHeight)] = 24;
    source.settings[static_cast<std::size_t>(Setting::CaptionButtonWidth)] = 40;
    source.images[static_cast<std::size_t>(Image::TitleActive)] = solidPicture(4, 2, 0xFF5A1FA6);
    source.images[static_cast<std::size_t>(Image::TitleInactive)] = solidPicture(4, 2, 0xFFE0E0F0);
    for (Image glyph :
         {Image::GlyphClose, Image::GlyphMaximize, Image::GlyphRestore, Image::GlyphMinimize}) {
        source.images[static_cast<std::size_t>(glyph)] = solidPicture(3, 3, 0x80FFFFFF);
    }
    return source;
}

inline std::vector<std::uint8_t> smallSkinFile() {
    return compressSkin(buildContent(smallSource()));
}

} // namespace wavoro::skin::testing
