// The skin file reader: good files load, every kind of broken file is refused with its
// reason and leaves what was loaded before untouched.
#include "skin/skin_file.h"
#include "tests/skin/skin_fixture.h"

#include <gtest/gtest.h>
#include <lzma.h>

#include <functional>
#include <string>
#include <vector>

namespace wavoro::skin {
namespace {

using Bytes = std::vector<std::uint8_t>;

void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

SkinError load(const Bytes& file) {
    LoadedSkin skin;
    return loadSkin(file, skin);
}

TEST(SkinFile, SmallSkinRoundTrips) {
    const SkinSource source = testing::smallSource();
    const Bytes file = testing::smallSkinFile();
    ASSERT_GE(file.size(), kHeaderLength);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), Bytes({0x2E, 0x53, 0x48, 0x45}));
    EXPECT_EQ(file[4], 0x00);
    EXPECT_EQ(file[5], 0x03);
    EXPECT_EQ(file[10], 0x5D);
    EXPECT_EQ(readU32(file.data() + 11), 8u << 20);

    LoadedSkin loaded;
    ASSERT_EQ(loadSkin(file, loaded), SkinError::None);
    EXPECT_EQ(readU32(file.data() + 6), loaded.content().size());
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        EXPECT_EQ(loaded.skin().settings[i], source.settings[i]) << kSettings[i].name;
    }
    const ImageView& title = loaded.skin().image(Image::TitleActive);
    ASSERT_EQ(title.width, 4);
    ASSERT_EQ(title.height, 2);
    EXPECT_EQ(title.pixel(3, 1), 0xFF5A1FA6u);
    EXPECT_EQ(loaded.skin().image(Image::GlyphClose).pixel(0, 0), 0x80FFFFFFu);
}

// Streams with an end marker (as LZMA1 encoders write by default) are read as well, and the
// dictionary size field cannot make the reader reserve more than the content needs.
TEST(SkinFile, AcceptsEndMarkerAndHugeDictionaryField) {
    const Bytes content = buildContent(testing::smallSource());
    lzma_options_lzma options;
    ASSERT_FALSE(lzma_lzma_preset(&options, 6));
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    Bytes file = testing::smallSkinFile();
    file.resize(kHeaderLength + content.size() * 2 + 1024);
    std::size_t produced = kHeaderLength;
    ASSERT_EQ(lzma_raw_buffer_encode(filters, nullptr, content.data(), content.size(), file.data(),
                                     &produced, file.size()),
              LZMA_OK);
    file.resize(produced);
    putU32(file, 11, 0xFFFFFFFF);
    EXPECT_EQ(load(file), SkinError::None);
}

struct BrokenFile {
    const char* name;
    std::function<void(Bytes&)> damage;
    SkinError expected;
};

TEST(SkinFile, RefusesBrokenFiles) {
    const Bytes good = testing::smallSkinFile();
    const std::uint32_t length = readU32(good.data() + 6);
    const std::vector<BrokenFile> cases = {
        {"empty", [](Bytes& f) { f.clear(); }, SkinError::TooShort},
        {"one byte short of a header", [](Bytes& f) { f.resize(kHeaderLength - 1); },
         SkinError::TooShort},
        {"other signature", [](Bytes& f) { f[3] = 'F'; }, SkinError::BadSignature},
        {"signature in lower case", [](Bytes& f) { f[1] = 's'; }, SkinError::BadSignature},
        {"other version", [](Bytes& f) { f[5] = 0x04; }, SkinError::BadVersion},
        {"content length over the cap", [](Bytes& f) { putU32(f, 6, kMaxContentLength + 1); },
         SkinError::TooLarge},
        {"content length 4 GiB - 1", [](Bytes& f) { putU32(f, 6, 0xFFFFFFFF); },
         SkinError::TooLarge},
        {"file over the cap", [](Bytes& f) { f.resize(kMaxFileLength + 1); }, SkinError::TooLarge},
        {"other LZMA properties", [](Bytes& f) { f[10] = 0x5E; }, SkinError::BadProperties},
        {"header without a stream", [](Bytes& f) { f.resize(kHeaderLength); },
         SkinError::BrokenStream},
        {"stream cut short", [](Bytes& f) { f.resize(f.size() - 3); }, SkinError::BrokenStream},
        {"a byte after the stream", [](Bytes& f) { f.push_back(0); }, SkinError::BrokenStream},
        {"content length one too large", [=](Bytes& f) { putU32(f, 6, length + 1); },
         SkinError::BrokenStream},
        {"content length one too small", [=](Bytes& f) { putU32(f, 6, length - 1); },
         SkinError::BrokenStream},
        {"content length at the cap, tiny stream",
         [](Bytes& f) { putU32(f, 6, kMaxContentLength); }, SkinError::BrokenStream},
        {"stream of noise",
         [](Bytes& f) { std::fill(f.begin() + kHeaderLength, f.end(), std::uint8_t{0xA5}); },
         SkinError::BrokenStream},
        {"content length zero", [](Bytes& f) { putU32(f, 6, 0); }, SkinError::BadContent},
    };
    for (const BrokenFile& c : cases) {
        Bytes file = good;
        c.damage(file);
        EXPECT_EQ(load(file), c.expected) << c.name;
    }
}

// A well-compressed file whose content is wrong is refused after decompression.
TEST(SkinFile, RefusesValidStreamOfBadContent) {
    SkinSource source = testing::smallSource();
    source.settings[static_cast<std::size_t>(Setting::BorderWidth)] = 9;
    EXPECT_EQ(load(compressSkin(serializeContent(source))), SkinError::BadSetting);
}

TEST(SkinFile, FailedLoadKeepsThePreviousSkin) {
    LoadedSkin loaded;
    ASSERT_EQ(loadSkin(testing::smallSkinFile(), loaded), SkinError::None);
    const Bytes before(loaded.content().begin(), loaded.content().end());
    Bytes broken = testing::smallSkinFile();
    broken.pop_back();
    EXPECT_EQ(loadSkin(broken, loaded), SkinError::BrokenStream);
    EXPECT_EQ(Bytes(loaded.content().begin(), loaded.content().end()), before);
    EXPECT_EQ(loaded.skin().metric(Setting::TitleHeight), 24);
}

struct BrokenContent {
    const char* name;
    std::function<void(SkinSource&)> change; // applied to the source before serialising
    std::function<void(Bytes&)> damage;      // applied to the bytes afterwards
    SkinError expected;
};

constexpr std::size_t settingOffset(Setting s) {
    return 8 + 4 * static_cast<std::size_t>(s);
}

TEST(SkinContent, RefusesMalformedContent) {
    auto none = [](auto&) {};
    auto setting = [](Setting s, std::uint32_t v) {
        return [=](SkinSource& src) { src.settings[static_cast<std::size_t>(s)] = v; };
    };
    auto image = [](Image i, std::uint16_t w, std::uint16_t h) {
        return [=](SkinSource& src) {
            src.images[static_cast<std::size_t>(i)] = testing::solidPicture(w, h, 0xFF000000);
        };
    };
    const std::vector<BrokenContent> cases = {
        {"other magic", none, [](Bytes& b) { b[0] ^= 1; }, SkinError::BadContent},
        {"one setting fewer", none, [](Bytes& b) { b[4] = kSettingCount - 1; },
         SkinError::BadContent},
        {"one image more", none, [](Bytes& b) { b[6] = kImageCount + 1; }, SkinError::BadContent},
        {"only the prefix", none, [](Bytes& b) { b.resize(8); }, SkinError::BadContent},
        {"cut inside the settings", none,
         [](Bytes& b) { b.resize(settingOffset(Setting::GroupFrame)); }, SkinError::BadContent},
        {"cut inside the last image", none, [](Bytes& b) { b.pop_back(); }, SkinError::BadContent},
        {"a byte after the last image", none, [](Bytes& b) { b.push_back(0); },
         SkinError::BadContent},
        {"title height above its range", setting(Setting::TitleHeight, 49), none,
         SkinError::BadSetting},
        {"title height below its range", setting(Setting::TitleHeight, 15), none,
         SkinError::BadSetting},
        {"font weight zero", setting(Setting::TitleFontWeight, 0), none, SkinError::BadSetting},
        {"colour with a high byte", setting(Setting::ButtonFace, 0x01FFFFFF), none,
         SkinError::BadSetting},
        {"icon taller than the title", setting(Setting::TitleIconSize, 25), none,
         SkinError::BadSetting},
        {"font taller than the title",
         [](SkinSource& s) {
             s.settings[static_cast<std::size_t>(Setting::TitleHeight)] = 16;
             s.settings[static_cast<std::size_t>(Setting::TitleFontHeight)] = 20;
         },
         none, SkinError::BadSetting},
        {"title image without width", image(Image::TitleActive, 0, 4), none, SkinError::BadImage},
        {"title image too wide", image(Image::TitleInactive, 1025, 1), none, SkinError::BadImage},
        {"glyph too large", image(Image::GlyphMinimize, 33, 10), none, SkinError::BadImage},
        {"glyph wider than its button",
         [](SkinSource& s) {
             s.settings[static_cast<std::size_t>(Setting::CaptionButtonWidth)] = 16;
             s.images[static_cast<std::size_t>(Image::GlyphClose)] =
                 testing::solidPicture(17, 10, 0xFF000000);
         },
         none, SkinError::BadImage},
    };
    for (const BrokenContent& c : cases) {
        SkinSource source = testing::smallSource();
        c.change(source);
        Bytes content = serializeContent(source);
        c.damage(content);
        Skin skin;
        skin.settings[0] = 12345;
        EXPECT_EQ(parseContent(content, skin), c.expected) << c.name;
        EXPECT_EQ(skin.settings[0], 12345u) << c.name << ": the skin changed";
    }
}

#ifdef WAVORO_WIN8_SHE
// The skin file the build makes is one the engine accepts.
TEST(SkinFile, BuiltWin8SkinLoads) {
    FILE* f = std::fopen(WAVORO_WIN8_SHE, "rb");
    ASSERT_NE(f, nullptr) << WAVORO_WIN8_SHE;
    Bytes file;
    std::uint8_t buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) {
        file.insert(file.end(), buffer, buffer + n);
    }
    std::fclose(f);
    LoadedSkin loaded;
    ASSERT_EQ(loadSkin(file, loaded), SkinError::None);
    EXPECT_EQ(loaded.skin().metric(Setting::TitleHeight), 24);
}
#endif

} // namespace
} // namespace wavoro::skin
