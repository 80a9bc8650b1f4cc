// A jedata.dll whose SkinH_AttachEx does nothing: the window as it looks without the skin,
// for comparison with the skinned one.
extern "C" __declspec(dllexport) int __stdcall SkinH_AttachEx(const char* /*skinFile*/,
                                                              const char* /*second*/) {
    return 0;
}
