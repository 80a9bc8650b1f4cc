#include "skin/skin_file.h"

#include <lzma.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace wavoro::skin {

namespace {

constexpr std::uint32_t kAnyColour = 0x00FFFFFF;

constexpr SettingRule metric(std::string_view name, std::uint32_t min, std::uint32_t max) {
    return {name, false, min, max};
}
constexpr SettingRule colour(std::string_view name) {
    return {name, true, 0, kAnyColour};
}

// Fixed part of the content before the settings: magic, setting count, image count.
constexpr std::size_t kContentPrefix = 8;

} // namespace

const SettingRule kSettings[kSettingCount] = {
    metric("titleHeight", 16, 48),
    metric("borderWidth", 0, 8),
    metric("captionButtonWidth", 16, 64),
    metric("titleIconSize", 0, 32),
    metric("titlePadding", 0, 32),
    metric("titleFontHeight", 8, 32),
    metric("titleFontWeight", 100, 900),
    metric("focusBorderWidth", 1, 3),
    colour("frameActive"),
    colour("frameInactive"),
    colour("titleTextActive"),
    colour("titleTextInactive"),
    colour("glyphActive"),
    colour("glyphInactive"),
    colour("captionHoverBack"),
    colour("captionPressedBack"),
    colour("closeHoverBack"),
    colour("closePressedBack"),
    colour("closeHoverGlyph"),
    colour("buttonFace"),
    colour("buttonFaceHover"),
    colour("buttonFacePressed"),
    colour("buttonFaceDisabled"),
    colour("buttonBorder"),
    colour("buttonBorderHover"),
    colour("buttonBorderPressed"),
    colour("buttonBorderFocus"),
    colour("buttonBorderDisabled"),
    colour("buttonText"),
    colour("buttonTextDisabled"),
    colour("editBorder"),
    colour("editBorderHover"),
    colour("editBorderFocus"),
    colour("editBorderDisabled"),
    colour("groupFrame"),
};

const ImageRule kImages[kImageCount] = {
    {"titleActive", 1024, 64}, {"titleInactive", 1024, 64}, {"glyphClose", 32, 32},
    {"glyphMaximize", 32, 32}, {"glyphRestore", 32, 32},    {"glyphMinimize", 32, 32},
};

std::string_view describe(SkinError error) {
    switch (error) {
    case SkinError::None:
        return "no error";
    case SkinError::Unreadable:
        return "the file cannot be read";
    case SkinError::TooShort:
        return "the file is shorter than its header";
    case SkinError::BadSignature:
        return "the file does not start with .SHE";
    case SkinError::BadVersion:
        return "unknown format version";
    case SkinError::TooLarge:
        return "the content is too large";
    case SkinError::BadProperties:
        return "unsupported LZMA properties";
    case SkinError::BrokenStream:
        return "the compressed stream is damaged";
    case SkinError::BadContent:
        return "the content is malformed";
    case SkinError::BadSetting:
        return "a setting is out of range";
    case SkinError::BadImage:
        return "an image has an unusable size";
    case SkinError::OutOfMemory:
        return "out of memory";
    case SkinError::WrongThread:
        return "already attached on another thread";
    case SkinError::NoHook:
        return "the window hook cannot be installed";
    }
    return "unknown error";
}

std::uint32_t ImageView::pixel(int x, int y) const {
    return readU32(pixels +
                   (static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)) * 4);
}

SkinError readHeader(std::span<const std::uint8_t> file, SkinHeader& header) {
    if (file.size() < kHeaderLength) {
        return SkinError::TooShort;
    }
    if (std::memcmp(file.data(), kSignature, sizeof kSignature) != 0) {
        return SkinError::BadSignature;
    }
    if (std::memcmp(file.data() + 4, kVersion, sizeof kVersion) != 0) {
        return SkinError::BadVersion;
    }
    const std::uint32_t length = readU32(file.data() + 6);
    if (length > kMaxContentLength || file.size() > kMaxFileLength) {
        return SkinError::TooLarge;
    }
    if (file[10] != kLzmaProperties) {
        return SkinError::BadProperties;
    }
    header.contentLength = length;
    header.dictionarySize = readU32(file.data() + 11);
    return SkinError::None;
}

SkinError decompress(std::span<const std::uint8_t> file, const SkinHeader& header,
                     std::span<std::uint8_t> content) {
    if (content.size() != header.contentLength || file.size() < kHeaderLength) {
        return SkinError::BadContent;
    }
    // The .lzma decoder of liblzma takes the stream after a 13-byte header of properties,
    // dictionary size and the 64-bit uncompressed size; we give it one made from ours. A
    // window larger than the whole content is never used, so the dictionary is clamped to
    // the content length: a file cannot make the decoder allocate more than the cap.
    std::uint32_t dictionary = header.dictionarySize;
    if (dictionary > header.contentLength) {
        dictionary = header.contentLength;
    }
    if (dictionary < 4096) {
        dictionary = 4096;
    }
    std::uint8_t alone[13] = {kLzmaProperties};
    for (int i = 0; i < 4; ++i) {
        alone[1 + i] = static_cast<std::uint8_t>(dictionary >> (8 * i));
    }
    for (int i = 0; i < 8; ++i) {
        const std::uint64_t size = header.contentLength;
        alone[5 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    }

    lzma_stream stream = LZMA_STREAM_INIT;
    const std::uint64_t memoryLimit = std::uint64_t{kMaxContentLength} + (1u << 20);
    if (lzma_alone_decoder(&stream, memoryLimit) != LZMA_OK) {
        return SkinError::OutOfMemory;
    }
    SkinError result = SkinError::None;
    stream.next_in = alone;
    stream.avail_in = sizeof alone;
    stream.next_out = content.data();
    stream.avail_out = content.size();
    lzma_ret ret = lzma_code(&stream, LZMA_RUN);
    if (ret == LZMA_OK && stream.avail_in == 0) {
        stream.next_in = file.data() + kHeaderLength;
        stream.avail_in = file.size() - kHeaderLength;
        ret = lzma_code(&stream, LZMA_FINISH);
    }
    switch (ret) {
    case LZMA_STREAM_END:
        // The whole content, and nothing after the stream.
        if (stream.avail_out != 0 || stream.avail_in != 0) {
            result = SkinError::BrokenStream;
        }
        break;
    case LZMA_MEM_ERROR:
        result = SkinError::OutOfMemory;
        break;
    case LZMA_MEMLIMIT_ERROR:
        result = SkinError::TooLarge;
        break;
    default:
        result = SkinError::BrokenStream;
        break;
    }
    lzma_end(&stream);
    return result;
}

SkinError parseContent(std::span<const std::uint8_t> content, Skin& skin) {
    const std::uint8_t* p = content.data();
    std::size_t left = content.size();
    if (left < kContentPrefix || readU32(p) != kContentMagic) {
        return SkinError::BadContent;
    }
    if (readU16(p + 4) != kSettingCount || readU16(p + 6) != kImageCount) {
        return SkinError::BadContent;
    }
    p += kContentPrefix;
    left -= kContentPrefix;

    Skin parsed;
    if (left < kSettingCount * 4) {
        return SkinError::BadContent;
    }
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        const std::uint32_t value = readU32(p + 4 * i);
        if (value < kSettings[i].min || value > kSettings[i].max) {
            return SkinError::BadSetting;
        }
        parsed.settings[i] = value;
    }
    p += kSettingCount * 4;
    left -= kSettingCount * 4;

    for (std::size_t i = 0; i < kImageCount; ++i) {
        if (left < 4) {
            return SkinError::BadContent;
        }
        const std::uint16_t width = readU16(p);
        const std::uint16_t height = readU16(p + 2);
        if (width == 0 || height == 0 || width > kImages[i].maxWidth ||
            height > kImages[i].maxHeight) {
            return SkinError::BadImage;
        }
        const std::size_t bytes = std::size_t{width} * height * 4;
        if (left - 4 < bytes) {
            return SkinError::BadContent;
        }
        parsed.images[i] = {width, height, p + 4};
        p += 4 + bytes;
        left -= 4 + bytes;
    }
    if (left != 0) {
        return SkinError::BadContent;
    }

    // What the engine draws must fit where it draws it.
    const std::uint32_t title = parsed[Setting::TitleHeight];
    if (parsed[Setting::TitleIconSize] > title || parsed[Setting::TitleFontHeight] > title) {
        return SkinError::BadSetting;
    }
    for (Image glyph :
         {Image::GlyphClose, Image::GlyphMaximize, Image::GlyphRestore, Image::GlyphMinimize}) {
        const ImageView& view = parsed.image(glyph);
        if (view.width > parsed[Setting::CaptionButtonWidth] || view.height > title) {
            return SkinError::BadImage;
        }
    }
    skin = parsed;
    return SkinError::None;
}

LoadedSkin::LoadedSkin(LoadedSkin&& other) noexcept
    : content_(std::exchange(other.content_, nullptr)), length_(std::exchange(other.length_, 0)),
      skin_(other.skin_) {}

LoadedSkin& LoadedSkin::operator=(LoadedSkin&& other) noexcept {
    if (this != &other) {
        release();
        content_ = std::exchange(other.content_, nullptr);
        length_ = std::exchange(other.length_, 0);
        skin_ = other.skin_;
    }
    return *this;
}

LoadedSkin::~LoadedSkin() {
    release();
}

void LoadedSkin::release() {
    std::free(content_);
    content_ = nullptr;
    length_ = 0;
    skin_ = Skin{};
}

SkinError loadSkin(std::span<const std::uint8_t> file, LoadedSkin& out) {
    SkinHeader header;
    SkinError error = readHeader(file, header);
    if (error != SkinError::None) {
        return error;
    }
    if (header.contentLength < 8) {
        return SkinError::BadContent;
    }
    auto* bytes = static_cast<std::uint8_t*>(std::malloc(header.contentLength));
    if (bytes == nullptr) {
        return SkinError::OutOfMemory;
    }
    std::span<std::uint8_t> content{bytes, header.contentLength};
    Skin skin;
    error = decompress(file, header, content);
    if (error == SkinError::None) {
        error = parseContent(content, skin);
    }
    if (error != SkinError::None) {
        std::free(bytes);
        return error;
    }
    out.release();
    out.content_ = bytes;
    out.length_ = content.size();
    out.skin_ = skin;
    return SkinError::None;
}

} // namespace wavoro::skin
