// The window's icon is rebuilt from the icon group resource: it must come out as the
// committed icon file, byte for byte, and a damaged group must give no icon at all.
#include "payloads/icon_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t read32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}

// What the resource compiler makes of an icon file: the group (header, 14-byte entries
// numbering the images from 1) and one icon resource per image.
struct Resources {
    Bytes group;
    std::map<std::uint16_t, Bytes> icons;
};

Resources resourcesOf(const Bytes& file) {
    Resources r;
    r.group.assign(file.begin(), file.begin() + 6);
    const std::size_t count = static_cast<std::size_t>(file[4] | file[5] << 8);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t size = read32(file, entry + 8);
        const std::uint32_t offset = read32(file, entry + 12);
        const auto id = static_cast<std::uint16_t>(i + 1);
        r.group.insert(r.group.end(), file.begin() + static_cast<std::ptrdiff_t>(entry),
                       file.begin() + static_cast<std::ptrdiff_t>(entry + 12));
        r.group.push_back(static_cast<unsigned char>(id));
        r.group.push_back(0);
        r.icons[id].assign(file.begin() + offset, file.begin() + offset + size);
    }
    return r;
}

Bytes rebuild(const Resources& r) {
    return wavoro::payloads::iconFileFromGroup(r.group, [&r](std::uint16_t id) {
        const auto it = r.icons.find(id);
        return it == r.icons.end() ? std::span<const unsigned char>{}
                                   : std::span<const unsigned char>(it->second);
    });
}

TEST(IconFileFromGroup, GivesBackTheCommittedIconFile) {
    const Bytes file = readFile(WAVORO_ICON_FILE);
    ASSERT_EQ(file.size(), 363566u);
    EXPECT_EQ(rebuild(resourcesOf(file)), file);
}

TEST(IconFileFromGroup, DamagedGroupGivesNoIcon) {
    const Resources good = resourcesOf(readFile(WAVORO_ICON_FILE));
    struct Case {
        const char* what;
        void (*damage)(Resources&);
    };
    const Case cases[] = {
        {"group cut inside an entry", [](Resources& r) { r.group.resize(6 + 14 * 3 + 5); }},
        {"group cut inside the header", [](Resources& r) { r.group.resize(4); }},
        {"not an icon group (cursor kind)", [](Resources& r) { r.group[2] = 2; }},
        {"an image missing", [](Resources& r) { r.icons.erase(5); }},
        {"an image shorter than its entry says", [](Resources& r) { r.icons[12].pop_back(); }},
    };
    for (const Case& c : cases) {
        Resources r = good;
        c.damage(r);
        EXPECT_TRUE(rebuild(r).empty()) << c.what;
    }
}

} // namespace
