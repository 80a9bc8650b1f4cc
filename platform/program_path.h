// The program directory: the directory part of the program's own path.
#pragma once

#include <string>
#include <string_view>

namespace wavoro {

// The directory part of a file path, without a trailing separator except for a drive's root
// ("C:\"), which keeps it so that it still names the root; "" for a bare file name.
[[nodiscard]] std::string directoryOf(std::string_view filePath);

} // namespace wavoro
