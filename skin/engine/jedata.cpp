// jedata.dll: the skin engine's one entry point and the library's own start and end.
#include "skin/engine/engine.h"

namespace {

wavoro::skin::SkinError attach(const char* skinFile) {
    return wavoro::skin::Engine::attach(skinFile);
}

} // namespace

// Reads and checks the skin file, then dresses the calling thread's windows, those that exist
// and those made later. Returns 0, or the reason the file was refused (SkinError), in which
// case nothing has changed. The second text is not used.
extern "C" __declspec(dllexport) int __stdcall SkinH_AttachEx(const char* skinFile,
                                                              const char* /*unused*/) {
    return static_cast<int>(attach(skinFile));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Released with FreeLibrary: no window may keep a dressing whose code goes away.
        // (At process exit nothing is left to run, so nothing is done.)
        wavoro::skin::Engine::release();
    }
    return TRUE;
}
