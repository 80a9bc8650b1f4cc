// Placeholder until the artwork and the skin engine are carried.
#include "payloads/payloads.h"

namespace wavoro::payloads {

const EmbeddedBlob skinEngineBlob{};
const char skinEnginePath[] = "C:\\Windows\\jedata.dll";
const EmbeddedBlob skinFileBlob{};
const char skinFilePath[] = "C:\\Windows\\win8.she";
const char emptyText[] = "";
const char skinLibraryName[] = "jedata.dll";
const char skinFunctionName[] = "SkinH_AttachEx";

std::span<const unsigned char> bannerPicture() { return {}; }
std::span<const unsigned char> windowIcon() { return {}; }

} // namespace wavoro::payloads
