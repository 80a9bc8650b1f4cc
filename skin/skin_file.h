// The skin file win8.she and what it holds, without any Windows dependency: the host tool
// writes it, the engine in jedata.dll reads it, the tests and the fuzzer check the reader.
//
// File layout (numbers little-endian):
//   0  4  ".SHE"                 signature
//   4  2  00 03                  format version
//   6  4  content length         bytes after decompression, at most kMaxContentLength
//  10  1  5D                     LZMA properties (lc 3, lp 0, pb 2)
//  11  4  dictionary size        as the encoder used it
//  15  .. raw LZMA stream        no further length; it ends with the file
//
// Content layout (little-endian):
//   u32 kContentMagic, u16 setting count, u16 image count,
//   one u32 per setting in the order of kSettings,
//   per image in the order of kImages: u16 width, u16 height, width*height pixels, each a u32
//   0xAARRGGBB (stored as the bytes B G R A), alpha not premultiplied.
// Nothing may follow the last image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace wavoro::skin {

inline constexpr std::size_t kHeaderLength = 15;
inline constexpr std::uint8_t kSignature[4] = {'.', 'S', 'H', 'E'};
inline constexpr std::uint8_t kVersion[2] = {0x00, 0x03};
inline constexpr std::uint8_t kLzmaProperties = 0x5D;
inline constexpr std::uint32_t kDictionarySize = 8u << 20;
// Neither the content nor the file may be larger; the reader allocates no more than about
// twice this much (the content and the decoder's window, which never exceeds the content).
inline constexpr std::uint32_t kMaxContentLength = 16u << 20;
inline constexpr std::size_t kMaxFileLength = kMaxContentLength + (1u << 16);

inline constexpr std::uint32_t kContentMagic = 0x4B535657; // "WVSK"

// Why a skin file was refused. The engine returns these numbers from SkinH_AttachEx.
enum class SkinError : int {
    None = 0,
    Unreadable = 1,    // the file cannot be opened or read
    TooShort = 2,      // shorter than the header
    BadSignature = 3,  // not ".SHE"
    BadVersion = 4,    // not 00 03
    TooLarge = 5,      // content or file longer than the caps
    BadProperties = 6, // LZMA properties other than 5D
    BrokenStream = 7,  // the LZMA stream is damaged, short, or followed by other bytes
    BadContent = 8,    // the decompressed content is not laid out as above
    BadSetting = 9,    // a setting out of its range
    BadImage = 10,     // an image of a size the engine cannot use
    OutOfMemory = 11,
    WrongThread = 12, // the engine is already attached on another thread
    NoHook = 13,      // the window hook could not be installed
};

[[nodiscard]] std::string_view describe(SkinError error);

// Every setting, in file order. Metrics are pixels or font weights; colours 0x00BBGGRR.
enum class Setting : std::uint16_t {
    TitleHeight,
    BorderWidth,
    CaptionButtonWidth,
    TitleIconSize,
    TitlePadding,
    TitleFontHeight,
    TitleFontWeight,
    FocusBorderWidth,
    FrameActive,
    FrameInactive,
    TitleTextActive,
    TitleTextInactive,
    GlyphActive,
    GlyphInactive,
    CaptionHoverBack,
    CaptionPressedBack,
    CloseHoverBack,
    ClosePressedBack,
    CloseHoverGlyph,
    ButtonFace,
    ButtonFaceHover,
    ButtonFacePressed,
    ButtonFaceDisabled,
    ButtonBorder,
    ButtonBorderHover,
    ButtonBorderPressed,
    ButtonBorderFocus,
    ButtonBorderDisabled,
    ButtonText,
    ButtonTextDisabled,
    EditBorder,
    EditBorderHover,
    EditBorderFocus,
    EditBorderDisabled,
    GroupFrame,
    Count
};

enum class Image : std::uint16_t {
    TitleActive,
    TitleInactive,
    GlyphClose,
    GlyphMaximize,
    GlyphRestore,
    GlyphMinimize,
    Count
};

inline constexpr std::size_t kSettingCount = static_cast<std::size_t>(Setting::Count);
inline constexpr std::size_t kImageCount = static_cast<std::size_t>(Image::Count);

struct SettingRule {
    std::string_view name; // the key in the readable source
    bool colour;           // a 0x00BBGGRR colour; otherwise a number in [min, max]
    std::uint32_t min;
    std::uint32_t max;
};

struct ImageRule {
    std::string_view name;
    std::uint16_t maxWidth;
    std::uint16_t maxHeight;
};

// Indexed by Setting and Image.
extern const SettingRule kSettings[kSettingCount];
extern const ImageRule kImages[kImageCount];

// A view of one image inside the content.
struct ImageView {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    const std::uint8_t* pixels = nullptr; // width*height*4 bytes, B G R A

    [[nodiscard]] std::uint32_t pixel(int x, int y) const;
};

// The checked content: settings by value, images as views into the content bytes.
struct Skin {
    std::uint32_t settings[kSettingCount] = {};
    ImageView images[kImageCount] = {};

    [[nodiscard]] std::uint32_t operator[](Setting s) const {
        return settings[static_cast<std::size_t>(s)];
    }
    [[nodiscard]] int metric(Setting s) const { return static_cast<int>((*this)[s]); }
    [[nodiscard]] const ImageView& image(Image i) const {
        return images[static_cast<std::size_t>(i)];
    }
};

struct SkinHeader {
    std::uint32_t contentLength = 0;
    std::uint32_t dictionarySize = 0;
};

// Checks the fixed header and the caps.
[[nodiscard]] SkinError readHeader(std::span<const std::uint8_t> file, SkinHeader& header);

// Decompresses the stream of a file whose header was read into `content`, which must be
// exactly header.contentLength bytes. The stream must fill it and end with the file.
[[nodiscard]] SkinError decompress(std::span<const std::uint8_t> file, const SkinHeader& header,
                                   std::span<std::uint8_t> content);

// Checks the layout, the settings and the images of decompressed content. `skin` points into
// `content` afterwards and is only changed on success.
[[nodiscard]] SkinError parseContent(std::span<const std::uint8_t> content, Skin& skin);

// The content bytes of a loaded skin, owned (malloc'ed, so the engine needs no C++ runtime
// allocation), with the checked Skin pointing into them.
class LoadedSkin {
public:
    LoadedSkin() = default;
    LoadedSkin(const LoadedSkin&) = delete;
    LoadedSkin& operator=(const LoadedSkin&) = delete;
    LoadedSkin(LoadedSkin&& other) noexcept;
    LoadedSkin& operator=(LoadedSkin&& other) noexcept;
    ~LoadedSkin();

    [[nodiscard]] const Skin& skin() const { return skin_; }
    [[nodiscard]] std::span<const std::uint8_t> content() const { return {content_, length_}; }

    // Header, decompression and content in one: on failure `out` is left as it was.
    friend SkinError loadSkin(std::span<const std::uint8_t> file, LoadedSkin& out);

private:
    void release();

    std::uint8_t* content_ = nullptr;
    std::size_t length_ = 0;
    Skin skin_{};
};

[[nodiscard]] SkinError loadSkin(std::span<const std::uint8_t> file, LoadedSkin& out);

// Little-endian helpers shared by the reader and the writer.
[[nodiscard]] inline std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
[[nodiscard]] inline std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

} // namespace wavoro::skin
