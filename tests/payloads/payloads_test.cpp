// What the program file carries, read back inside a Windows program that is built with the
// same resources: the window's icon rebuilt from the icon group is the committed icon file,
// the banner is the committed picture, and the two skin files are byte arrays of exactly the
// files built for this target.
#include "payloads/payloads.h"

#include "tests/support/win_check.h"
#include "tests/support/win_support.h"

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

using wavoro::test::readFile;

Bytes bytesOf(std::span<const unsigned char> span) {
    return {span.begin(), span.end()};
}

std::uint32_t dimensionCount(const wavoro::EmbeddedBlob& blob) {
    const unsigned char* p = blob.raw;
    return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) |
           static_cast<std::uint32_t>(p[3]) << 24;
}

// Equal bytes; on a difference only the sizes are told.
void expectSameBytes(const Bytes& carried, const Bytes& file, const char* what) {
    EXPECT_TRUE(carried == file) << what << ": carried" << carried.size() << "bytes, file"
                                 << file.size();
}

TEST(Payloads, WindowIconIsTheIconGroupAsAnIconFile) {
    const Bytes file = readFile(WAVORO_ICON_FILE);
    ASSERT_EQ(file.size(), std::size_t{363566});
    expectSameBytes(bytesOf(wavoro::payloads::windowIcon()), file, "icon");
}

TEST(Payloads, BannerIsTheCommittedPicture) {
    const Bytes file = readFile(WAVORO_BANNER_FILE);
    ASSERT_FALSE(file.empty());
    expectSameBytes(bytesOf(wavoro::payloads::bannerPicture()), file, "banner");
}

TEST(Payloads, SkinFilesAreByteArraysOfTheBuiltFiles) {
    struct Case {
        const char* what;
        const wavoro::EmbeddedBlob& blob;
        const char* file;
    };
    const Case cases[] = {
        {"skin engine", wavoro::payloads::skinEngineBlob, WAVORO_SKIN_ENGINE_FILE},
        {"skin file", wavoro::payloads::skinFileBlob, WAVORO_SKIN_FILE},
    };
    for (const Case& c : cases) {
        const Bytes file = readFile(c.file);
        ASSERT_FALSE(file.empty()) << c.what;
        EXPECT_EQ(dimensionCount(c.blob), std::uint32_t{1}) << c.what;
        EXPECT_EQ(static_cast<std::size_t>(c.blob.length()), file.size()) << c.what;
        expectSameBytes(bytesOf(c.blob.bytes()), file, c.what);
    }
}

} // namespace

int main(int argc, char** argv) {
    return wavoro::check::runAll(argc, argv);
}
