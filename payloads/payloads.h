// The data the program carries in its own file: the skin engine and skin file written out at
// start, their paths, the banner picture and the window icon.
#pragma once

#include "platform/embedded_blob.h"

#include <span>

namespace wavoro::payloads {

extern const EmbeddedBlob skinEngineBlob; // jedata.dll built for the same target
extern const char skinEnginePath[];       // "C:\Windows\jedata.dll"
extern const EmbeddedBlob skinFileBlob;   // win8.she
extern const char skinFilePath[];         // "C:\Windows\win8.she"
extern const char emptyText[];            // second argument of SkinH_AttachEx

// The one library-function declaration.
extern const char skinLibraryName[];  // "jedata.dll"
extern const char skinFunctionName[]; // "SkinH_AttachEx"

// Picture property of bannerPicture: a progressive JPEG, 450 x 115.
std::span<const unsigned char> bannerPicture();
// Icon property of MainWindow: an icon file with the twelve images of DEFAULT_ICON.
std::span<const unsigned char> windowIcon();

} // namespace wavoro::payloads
