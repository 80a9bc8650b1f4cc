// An icon file put together from an icon group resource and its icon resources.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace wavoro::payloads {

// group: the icon group (a 6-byte header and one 14-byte entry per image, which names its
// icon resource by number). image(id): the bytes of that icon resource, empty when missing.
// The result is the icon file with the same header, one 16-byte entry per image carrying the
// image's file offset, and the images in the group's order; empty for a malformed group or a
// missing or mis-sized image.
std::vector<unsigned char>
iconFileFromGroup(std::span<const unsigned char> group,
                  const std::function<std::span<const unsigned char>(std::uint16_t)>& image);

} // namespace wavoro::payloads
