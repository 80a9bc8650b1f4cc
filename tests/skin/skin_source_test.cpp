// The readable skin source and its Netpbm images, as the host tool reads them.
#include "skin/tool/skin_source.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace wavoro::skin {
namespace {

std::string row(int samples) {
    std::string text;
    for (int i = 0; i < samples; ++i) {
        text += "1 ";
    }
    return text;
}

const std::map<std::string, std::string> kFiles = {
    {"title.ppm", "P3\n# a 2x1 strip\n2 1\n255\n255 0 0   0 0 255\n"},
    {"glyph.pgm", "P2 2 2 15\n0 15\n7 8\n"},
    {"big.pgm", "P2 33 1 1\n" + row(33) + "\n"},
};

std::string readFixture(const std::string& name) {
    const auto it = kFiles.find(name);
    if (it == kFiles.end()) {
        throw std::runtime_error("no such file");
    }
    return it->second;
}

// A complete source with every key; `replace` swaps one line's value, `extra` is appended.
std::string sourceText(const std::string& key = "", const std::string& value = "",
                       const std::string& extra = "") {
    std::string text = "# test skin\n\n";
    for (const SettingRule& rule : kSettings) {
        std::string v = rule.colour ? "#102030" : std::to_string(rule.min);
        if (rule.name == "titleHeight") {
            v = "24";
        } else if (rule.name == "captionButtonWidth") {
            v = "40";
        }
        if (rule.name == key) {
            if (value.empty()) {
                continue;
            }
            v = value;
        }
        text += std::string(rule.name) + "   " + v + "\n";
    }
    for (const ImageRule& rule : kImages) {
        std::string v = rule.name.starts_with("title") ? "title.ppm" : "glyph.pgm";
        if (rule.name == key) {
            if (value.empty()) {
                continue;
            }
            v = value;
        }
        text += std::string(rule.name) + "\t" + v + "\n";
    }
    return text + extra;
}

TEST(SkinSource, ReadsSettingsColoursAndImages) {
    std::string text = sourceText("frameActive", "#5A1FA6   # the banner's violet");
    // Windows line ends are fine as well.
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) {
        text.insert(at, "\r");
    }
    const SkinSource source = parseSkinSource(text, readFixture);
    EXPECT_EQ(source.settings[static_cast<std::size_t>(Setting::FrameActive)], 0x00A61F5Au);
    EXPECT_EQ(source.settings[static_cast<std::size_t>(Setting::TitleHeight)], 24u);

    const Picture& title = source.images[static_cast<std::size_t>(Image::TitleActive)];
    ASSERT_EQ(title.width, 2);
    EXPECT_EQ(title.pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF0000FF}));
    // A grey map is a white coverage mask; 15 is full, 7 of 15 rounds to 119.
    const Picture& glyph = source.images[static_cast<std::size_t>(Image::GlyphClose)];
    EXPECT_EQ(glyph.pixels,
              (std::vector<std::uint32_t>{0x00FFFFFF, 0xFFFFFFFF, 0x77FFFFFF, 0x88FFFFFF}));

    // And the whole way to a file that loads.
    LoadedSkin loaded;
    EXPECT_EQ(loadSkin(compressSkin(buildContent(source)), loaded), SkinError::None);
}

TEST(SkinSource, RefusesMistakesWithTheirLine) {
    const int first = 3; // line of the first setting in sourceText
    struct Case {
        const char* name;
        std::string text;
        std::string message; // a part of the error text
    };
    const std::vector<Case> cases = {
        {"unknown key", sourceText("", "", "titleHieght 24\n"), "unknown key 'titleHieght'"},
        {"key twice", sourceText("", "", "borderWidth 1\n"), "'borderWidth' is given twice"},
        {"missing setting", sourceText("groupFrame"), "missing setting 'groupFrame'"},
        {"missing image", sourceText("glyphRestore"), "missing image 'glyphRestore'"},
        {"no value", sourceText("", "", "borderWidth\n"), "'borderWidth' has no value"},
        {"short colour", sourceText("groupFrame", "#12345"), "#RRGGBB"},
        {"colour without #", sourceText("groupFrame", "123456"), "#RRGGBB"},
        {"colour not hex", sourceText("groupFrame", "#12G456"), "bad colour"},
        {"metric out of range", sourceText("titleHeight", "60"), "must lie in 16..48"},
        {"negative metric", sourceText("borderWidth", "-1"), "bad number"},
        {"text after the value", sourceText("titlePadding", "6 px"), "unexpected 'px'"},
        {"missing image file", sourceText("glyphClose", "none.pgm"), "none.pgm: no such file"},
        {"image too large", sourceText("glyphClose", "big.pgm"), "larger than 32x32"},
        {"first line is named", sourceText("titleHeight", "99"),
         "line " + std::to_string(first) + ":"},
    };
    for (const Case& c : cases) {
        try {
            (void)parseSkinSource(c.text, readFixture);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.name << ": " << e.what();
        }
    }
}

TEST(SkinSource, RefusesBrokenNetpbm) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"binary grey map", "P5 1 1 255\n\x01"},
        {"too few samples", "P2 2 2 255\n1 2 3\n"},
        {"too many samples", "P3 1 1 255\n1 2 3 4\n"},
        {"sample above the maximum", "P2 1 1 15\n16\n"},
        {"zero width", "P2 0 1 255\n"},
        {"zero maximum", "P2 1 1 0\n0\n"},
        {"not a number", "P2 1 1 255\nx\n"},
        {"empty", ""},
    };
    for (const auto& [name, text] : cases) {
        EXPECT_THROW((void)parseNetpbm(text), std::runtime_error) << name;
    }
}

// The tool checks what the engine would check, so a bad skin never leaves the build.
TEST(SkinSource, BuildRefusesWhatTheEngineWouldRefuse) {
    SkinSource source = parseSkinSource(sourceText(), readFixture);
    source.settings[static_cast<std::size_t>(Setting::TitleIconSize)] = 30;
    EXPECT_THROW((void)buildContent(source), std::runtime_error);
}

} // namespace
} // namespace wavoro::skin
