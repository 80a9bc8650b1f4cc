// libFuzzer target for the skin file reader: any bytes, read as a whole skin file and as
// decompressed content, must be refused or accepted without a crash, an overread or an
// allocation past the cap (the test runs with -malloc_limit_mb just above it).
#include "skin/skin_file.h"

#include <cstddef>
#include <cstdint>

namespace {
volatile std::uint32_t sink; // keeps the reads of the last pixels
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wavoro::skin;
    const std::span<const std::uint8_t> bytes{data, size};

    LoadedSkin loaded;
    if (loadSkin(bytes, loaded) == SkinError::None) {
        // Every image the engine may draw lies inside the content.
        std::uint32_t sum = 0;
        for (const ImageView& image : loaded.skin().images) {
            sum += image.pixel(image.width - 1, image.height - 1);
        }
        sink = sum;
    }

    Skin skin;
    if (parseContent(bytes, skin) == SkinError::None) {
        const ImageView& last = skin.images[kImageCount - 1];
        if (last.pixels + std::size_t{last.width} * last.height * 4 != data + size) {
            __builtin_trap();
        }
    }
    return 0;
}
