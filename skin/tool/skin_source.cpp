#include "skin/tool/skin_source.h"

#include <lzma.h>

#include <charconv>
#include <stdexcept>

namespace wavoro::skin {

namespace {

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Splits Netpbm text into tokens, dropping comments.
std::vector<std::string_view> netpbmTokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSpace(text[i])) {
            ++i;
        } else if (text[i] == '#') {
            while (i < text.size() && text[i] != '\n') {
                ++i;
            }
        } else {
            const std::size_t start = i;
            while (i < text.size() && !isSpace(text[i]) && text[i] != '#') {
                ++i;
            }
            tokens.push_back(text.substr(start, i - start));
        }
    }
    return tokens;
}

std::uint32_t number(std::string_view token, std::uint32_t max, const char* what) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc{} || end != token.data() + token.size() || value > max) {
        fail(std::string("bad ") + what + " '" + std::string(token) + "'");
    }
    return value;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view firstWord(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && !isSpace(s[n])) {
        ++n;
    }
    return s.substr(0, n);
}

std::uint32_t parseColour(std::string_view value) {
    if (value.size() != 7 || value[0] != '#') {
        fail("a colour is written #RRGGBB, not '" + std::string(value) + "'");
    }
    std::uint32_t rgb = 0;
    const auto [end, ec] = std::from_chars(value.data() + 1, value.data() + 7, rgb, 16);
    if (ec != std::errc{} || end != value.data() + 7) {
        fail("bad colour '" + std::string(value) + "'");
    }
    // 0xRRGGBB as written, 0x00BBGGRR as stored.
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

Picture parseNetpbm(std::string_view text) {
    const std::vector<std::string_view> tokens = netpbmTokens(text);
    if (tokens.size() < 4 || (tokens[0] != "P2" && tokens[0] != "P3")) {
        fail("not an ASCII Netpbm grey map (P2) or pixel map (P3)");
    }
    const bool grey = tokens[0] == "P2";
    Picture picture;
    picture.width = static_cast<std::uint16_t>(number(tokens[1], 4096, "width"));
    picture.height = static_cast<std::uint16_t>(number(tokens[2], 4096, "height"));
    const std::uint32_t maxValue = number(tokens[3], 65535, "maximum value");
    if (picture.width == 0 || picture.height == 0 || maxValue == 0) {
        fail("empty picture or zero maximum value");
    }
    const std::size_t count = std::size_t{picture.width} * picture.height;
    const std::size_t samples = grey ? count : count * 3;
    if (tokens.size() != 4 + samples) {
        fail("expected " + std::to_string(samples) + " samples, found " +
             std::to_string(tokens.size() - 4));
    }
    auto sample = [&](std::size_t i) {
        const std::uint32_t v = number(tokens[4 + i], maxValue, "sample");
        return (v * 255 + maxValue / 2) / maxValue;
    };
    picture.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (grey) {
            picture.pixels[i] = sample(i) << 24 | 0xFFFFFF;
        } else {
            picture.pixels[i] =
                0xFF000000 | sample(3 * i) << 16 | sample(3 * i + 1) << 8 | sample(3 * i + 2);
        }
    }
    return picture;
}

SkinSource parseSkinSource(std::string_view text, const FileReader& readFile) {
    SkinSource source;
    bool seenSetting[kSettingCount] = {};
    bool seenImage[kImageCount] = {};
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t eol = text.find('\n');
        const std::string_view line = trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        try {
            // key, value, and an optional comment after the value (colours begin with '#').
            const std::string_view key = firstWord(line);
            const std::string_view rest = trim(line.substr(key.size()));
            const std::string_view value = firstWord(rest);
            if (value.empty()) {
                fail("'" + std::string(key) + "' has no value");
            }
            if (const std::string_view tail = trim(rest.substr(value.size()));
                !tail.empty() && tail.front() != '#') {
                fail("unexpected '" + std::string(tail) + "' after the value");
            }
            bool known = false;
            for (std::size_t i = 0; i < kSettingCount && !known; ++i) {
                if (kSettings[i].name != key) {
                    continue;
                }
                known = true;
                if (seenSetting[i]) {
                    fail("'" + std::string(key) + "' is given twice");
                }
                seenSetting[i] = true;
                const SettingRule& rule = kSettings[i];
                const std::uint32_t v =
                    rule.colour ? parseColour(value) : number(value, 0xFFFFFFFF, "number");
                if (v < rule.min || v > rule.max) {
                    fail("'" + std::string(key) + "' must lie in " + std::to_string(rule.min) +
                         ".." + std::to_string(rule.max));
                }
                source.settings[i] = v;
            }
            for (std::size_t i = 0; i < kImageCount && !known; ++i) {
                if (kImages[i].name != key) {
                    continue;
                }
                known = true;
                if (seenImage[i]) {
                    fail("'" + std::string(key) + "' is given twice");
                }
                seenImage[i] = true;
                const std::string name(value);
                try {
                    source.images[i] = parseNetpbm(readFile(name));
                } catch (const std::runtime_error& e) {
                    fail(name + ": " + e.what());
                }
                const Picture& picture = source.images[i];
                if (picture.width > kImages[i].maxWidth || picture.height > kImages[i].maxHeight) {
                    fail(name + " is larger than " + std::to_string(kImages[i].maxWidth) + "x" +
                         std::to_string(kImages[i].maxHeight));
                }
            }
            if (!known) {
                fail("unknown key '" + std::string(key) + "'");
            }
        } catch (const std::runtime_error& e) {
            fail("line " + std::to_string(lineNumber) + ": " + e.what());
        }
    }
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        if (!seenSetting[i]) {
            fail("missing setting '" + std::string(kSettings[i].name) + "'");
        }
    }
    for (std::size_t i = 0; i < kImageCount; ++i) {
        if (!seenImage[i]) {
            fail("missing image '" + std::string(kImages[i].name) + "'");
        }
    }
    return source;
}

std::vector<std::uint8_t> serializeContent(const SkinSource& source) {
    std::vector<std::uint8_t> out;
    put32(out, kContentMagic);
    put16(out, kSettingCount);
    put16(out, kImageCount);
    for (std::uint32_t v : source.settings) {
        put32(out, v);
    }
    for (const Picture& picture : source.images) {
        put16(out, picture.width);
        put16(out, picture.height);
        for (std::uint32_t p : picture.pixels) {
            put32(out, p);
        }
    }
    return out;
}

std::vector<std::uint8_t> buildContent(const SkinSource& source) {
    std::vector<std::uint8_t> out = serializeContent(source);
    // The engine's own checks (cross-limits between settings and images) apply here too.
    Skin check;
    if (const SkinError error = parseContent(out, check); error != SkinError::None) {
        fail("the skin would be refused: " + std::string(describe(error)));
    }
    return out;
}

std::vector<std::uint8_t> compressSkin(const std::vector<std::uint8_t>& content) {
    if (content.size() > kMaxContentLength) {
        fail("content larger than the cap");
    }
    lzma_options_lzma options;
    if (lzma_lzma_preset(&options, 9 | LZMA_PRESET_EXTREME)) {
        fail("no LZMA preset");
    }
    options.dict_size = kDictionarySize;
    options.lc = 3;
    options.lp = 0;
    options.pb = 2;
    options.ext_flags = 0; // no end marker: the header carries the length
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};

    std::vector<std::uint8_t> out(kHeaderLength);
    std::copy(std::begin(kSignature), std::end(kSignature), out.begin());
    out[4] = kVersion[0];
    out[5] = kVersion[1];
    const auto length = static_cast<std::uint32_t>(content.size());
    for (int i = 0; i < 4; ++i) {
        out[static_cast<std::size_t>(6 + i)] = static_cast<std::uint8_t>(length >> (8 * i));
        out[static_cast<std::size_t>(11 + i)] =
            static_cast<std::uint8_t>(options.dict_size >> (8 * i));
    }
    out[10] = kLzmaProperties;

    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_raw_encoder(&stream, filters) != LZMA_OK) {
        fail("cannot start the LZMA encoder");
    }
    out.resize(kHeaderLength + content.size() + content.size() / 2 + 4096);
    stream.next_in = content.data();
    stream.avail_in = content.size();
    stream.next_out = out.data() + kHeaderLength;
    stream.avail_out = out.size() - kHeaderLength;
    const lzma_ret ret = lzma_code(&stream, LZMA_FINISH);
    const std::size_t produced = out.size() - stream.avail_out;
    lzma_end(&stream);
    if (ret != LZMA_STREAM_END) {
        fail("LZMA encoding failed");
    }
    out.resize(produced);
    return out;
}

} // namespace wavoro::skin
