#include "platform/program_path.h"

namespace wavoro {

std::string directoryOf(std::string_view filePath) {
    const std::size_t slash = filePath.find_last_of("\\/");
    if (slash == std::string_view::npos) {
        return {};
    }
    std::string_view directory = filePath.substr(0, slash);
    if (directory.size() == 2 && directory[1] == ':') {
        return std::string(filePath.substr(0, slash + 1));
    }
    return std::string(directory);
}

} // namespace wavoro
