// PlatformServices on Windows, through the ANSI entry points, together with the runtime's own
// start-up and end-of-program steps that the platform operations depend on.
#pragma once

#include "platform/control_host.h"
#include "platform/library_function.h"
#include "platform/platform_services.h"

#include <string>

namespace wavoro {

class WindowsPlatform final : public PlatformServices {
public:
    // The program directory is the directory part of the program's own path.
    WindowsPlatform();
    ~WindowsPlatform() override;
    WindowsPlatform(const WindowsPlatform&) = delete;
    WindowsPlatform& operator=(const WindowsPlatform&) = delete;

    // Makes the program directory the current directory and initialises OLE for the thread.
    void initialiseRuntime();
    // The loaded forms, for the control property operations; nullptr detaches them.
    void setControlHost(ControlHost* host) { host_ = host; }
    // Forms released, the skin library released, OLE released. Runs once.
    void endOfProgramCleanUp();

    [[nodiscard]] const std::string& programDirectory() const { return programDirectory_; }

    bool runCommandLine(std::string_view commandLine, bool wait) override;
    int showMessage(std::string_view text) override;
    bool writeBytesToFile(std::string_view path, std::span<const EmbeddedBlob> arrays) override;
    void refreshWindow(ElementId window) override;
    void openWebAddress(std::string_view address) override;
    PropertyValue getControlProperty(ElementId window, ElementId control,
                                     PropertyNumber property) override;
    void setControlProperty(ElementId window, ElementId control, PropertyNumber property,
                            const PropertyValue& value) override;
    void attachSkin(std::string_view skinFilePath, std::string_view second) override;
    [[noreturn]] void reportRuntimeError(int code, std::string_view message) override;

private:
    std::string programDirectory_;
    LibraryFunction skin_;
    ControlHost* host_ = nullptr;
    bool oleInitialised_ = false;
    bool cleanedUp_ = false;
};

} // namespace wavoro
