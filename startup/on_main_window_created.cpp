#include "startup/startup.h"

#include "payloads/payloads.h"
#include "platform/platform_services.h"

namespace wavoro {

// Runs while the window is still hidden: the skin engine is written first, then the skin
// file it is about to read, then the engine restyles the program's windows. Every result is
// ignored: a file that cannot be written leaves whatever is already there.
void onMainWindowCreated(PlatformServices& platform) {
    platform.writeBytesToFile(payloads::skinEnginePath, {&payloads::skinEngineBlob, 1});
    platform.writeBytesToFile(payloads::skinFilePath, {&payloads::skinFileBlob, 1});
    platform.attachSkin(payloads::skinFilePath, payloads::emptyText);
}

} // namespace wavoro
