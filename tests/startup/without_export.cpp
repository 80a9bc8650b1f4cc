// A jedata.dll that lacks the export SkinH_AttachEx (it has only a near namesake), for the
// test of a wrong library in the program directory.
extern "C" __declspec(dllexport) int SkinH_Attach() {
    return 0;
}
