// Placeholder: binding and calling come with the start-up work.
#include "platform/library_function.h"

#include <utility>

namespace wavoro {

LibraryFunction::LibraryFunction(std::string libraryName, std::string functionName)
    : libraryName_(std::move(libraryName)), functionName_(std::move(functionName)) {}

LibraryFunction::~LibraryFunction() { release(); }

int LibraryFunction::callWithTwoTexts(PlatformServices& /*platform*/,
                                      const std::string& /*programDirectory*/,
                                      const char* /*first*/, const char* /*second*/) {
    return 0;
}

void LibraryFunction::release() {}

} // namespace wavoro
