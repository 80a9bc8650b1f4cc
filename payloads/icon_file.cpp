#include "payloads/icon_file.h"

#include <cstddef>

namespace wavoro::payloads {

namespace {

constexpr std::size_t headerSize = 6;
constexpr std::size_t groupEntrySize = 14;
constexpr std::size_t fileEntrySize = 16;

std::uint32_t read16(std::span<const unsigned char> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t read32(std::span<const unsigned char> bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

void append32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>(value >> shift));
    }
}

} // namespace

std::vector<unsigned char>
iconFileFromGroup(std::span<const unsigned char> group,
                  const std::function<std::span<const unsigned char>(std::uint16_t)>& image) {
    if (group.size() < headerSize || read16(group, 0) != 0 || read16(group, 2) != 1) {
        return {};
    }
    const std::size_t count = read16(group, 4);
    if (group.size() < headerSize + count * groupEntrySize) {
        return {};
    }
    std::vector<unsigned char> out(group.begin(), group.begin() + headerSize);
    std::vector<std::span<const unsigned char>> images;
    std::size_t offset = headerSize + count * fileEntrySize;
    for (std::size_t i = 0; i < count; ++i) {
        const auto entry = group.subspan(headerSize + i * groupEntrySize, groupEntrySize);
        const std::uint32_t size = read32(entry, 8);
        const auto bytes = image(static_cast<std::uint16_t>(read16(entry, 12)));
        if (bytes.size() != size) {
            return {};
        }
        // width, height, colours, reserved, planes, bits and size stay; the number becomes
        // the file offset
        out.insert(out.end(), entry.begin(), entry.begin() + 12);
        append32(out, static_cast<std::uint32_t>(offset));
        offset += size;
        images.push_back(bytes);
    }
    for (const auto& bytes : images) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace wavoro::payloads
