// A skin library that dresses nothing, for runs of the program when the build carries no skin
// engine: the end-to-end tests put it beside the program, where the library is looked for first.
#include <windows.h>

extern "C" __declspec(dllexport) int __stdcall SkinH_AttachEx(const char* /*skinFile*/,
                                                              const char* /*second*/) {
    return 0;
}
