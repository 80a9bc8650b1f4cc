#include "platform/library_function.h"

#include "platform/platform_services.h"
#include "platform/stack_checked_call.h"

#include <windows.h>

#include <cstdlib>
#include <utility>

namespace wavoro {

namespace {

// "无法找到指定DLL库文件“%s”中的输出命令“%s”" with the library in the first slot and the
// export in the second.
std::string missingFunctionMessage(const std::string& library, const std::string& function) {
    return "无法找到指定DLL库文件“" + library + "”中的输出命令“" + function + "”";
}

// A name without ':' is looked for in the program directory first, then by the system's
// standard library search.
HMODULE loadLibrary(const std::string& name, const std::string& programDirectory) {
    if (name.find(':') == std::string::npos && !programDirectory.empty()) {
        std::string local = programDirectory;
        if (local.back() != '\\' && local.back() != '/') {
            local += '\\';
        }
        local += name;
        if (HMODULE module = LoadLibraryA(local.c_str())) {
            return module;
        }
    }
    return LoadLibraryA(name.c_str());
}

// An export by name, or by ordinal for a name "#n".
FARPROC findExport(HMODULE module, const std::string& name) {
    if (name.size() > 1 && name[0] == '#') {
        const unsigned long ordinal = std::strtoul(name.c_str() + 1, nullptr, 10);
        return GetProcAddress(module, MAKEINTRESOURCEA(static_cast<WORD>(ordinal)));
    }
    return GetProcAddress(module, name.c_str());
}

} // namespace

LibraryFunction::LibraryFunction(std::string libraryName, std::string functionName)
    : libraryName_(std::move(libraryName)), functionName_(std::move(functionName)) {}

LibraryFunction::~LibraryFunction() {
    release();
}

int LibraryFunction::callWithTwoTexts(PlatformServices& platform,
                                      const std::string& programDirectory, const char* first,
                                      const char* second) {
    if (function_ == nullptr) {
        HMODULE module = loadLibrary(libraryName_, programDirectory);
        FARPROC function = module != nullptr ? findExport(module, functionName_) : nullptr;
        if (function == nullptr) {
            // A library without the export is not kept, and the error ends the program.
            if (module != nullptr) {
                FreeLibrary(module);
            }
            platform.reportRuntimeError(0, missingFunctionMessage(libraryName_, functionName_));
        }
        module_ = module;
        function_ = reinterpret_cast<void*>(function);
    }
    return static_cast<int>(callWithTwoTextsChecked(platform, function_, first, second));
}

void LibraryFunction::release() {
    if (module_ != nullptr) {
        FreeLibrary(static_cast<HMODULE>(module_));
    }
    module_ = nullptr;
    function_ = nullptr;
}

} // namespace wavoro
