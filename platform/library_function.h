// A library-function declaration of the runtime: library name and export name, bound on first
// call and kept until the end-of-program clean-up releases the library.
#pragma once

#include <string>
#include <string_view>

namespace wavoro {

class PlatformServices;

class LibraryFunction {
public:
    LibraryFunction(std::string libraryName, std::string functionName);
    ~LibraryFunction(); // releases the library if it was loaded
    LibraryFunction(const LibraryFunction&) = delete;
    LibraryFunction& operator=(const LibraryFunction&) = delete;

    // Calls the export as stdcall with two ANSI text pointers; binds on first use: a name
    // without ':' is tried in programDirectory first, then through the standard search.
    // Failures (library or export missing, stack mismatch on return) go to
    // platform.reportRuntimeError and do not return.
    int callWithTwoTexts(PlatformServices& platform, const std::string& programDirectory,
                         const char* first, const char* second);

    void release(); // end-of-program clean-up

private:
    std::string libraryName_;
    std::string functionName_;
    void* module_ = nullptr;   // HMODULE
    void* function_ = nullptr; // FARPROC
};

} // namespace wavoro
