// skinc SOURCE OUTPUT: builds a skin file from its readable source (see skin_source.h).
#include "skin/tool/skin_source.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinc SOURCE OUTPUT\n");
        return 2;
    }
    const std::filesystem::path source = argv[1];
    const std::filesystem::path output = argv[2];
    try {
        const auto dir = source.parent_path();
        const wavoro::skin::SkinSource skin = wavoro::skin::parseSkinSource(
            readText(source), [&](const std::string& name) { return readText(dir / name); });
        const std::vector<std::uint8_t> content = wavoro::skin::buildContent(skin);
        const std::vector<std::uint8_t> file = wavoro::skin::compressSkin(content);

        std::filesystem::create_directories(output.parent_path());
        const std::filesystem::path temporary = output.string() + ".tmp";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.data()),
                      static_cast<std::streamsize>(file.size()));
            if (!out) {
                throw std::runtime_error("cannot write " + temporary.string());
            }
        }
        std::filesystem::rename(temporary, output);
        std::printf("skinc: %s: %zu bytes (content %zu bytes)\n", output.c_str(), file.size(),
                    content.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinc: %s: %s\n", source.c_str(), e.what());
        return 1;
    }
    return 0;
}
