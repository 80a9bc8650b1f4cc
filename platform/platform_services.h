// What the program's own logic asks of the window runtime and of Windows. The interface is
// portable; the Windows implementation lives beside it, and tests supply recording fakes.
#pragma once

#include "platform/embedded_blob.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace wavoro {

// Texts everywhere are bytes in code page 936 (GBK); an ASCII character is one byte,
// a Chinese character two. Lengths count bytes.
using Text = std::string;

using ElementId = std::uint32_t;
using PropertyNumber = int;

// A control property value: none, a flag (visible, disabled ...), a number (places, sizes and
// 0x00BBGGRR colours, which need the full unsigned 32-bit range next to signed places), or a text.
using PropertyValue = std::variant<std::monostate, bool, std::int64_t, Text>;

// Bytes before the terminating zero.
[[nodiscard]] inline std::size_t textByteLength(std::string_view text) {
    const std::size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text.size() : zero;
}

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // Starts the command line as a new process with a normal window; with wait false it
    // returns after the new process is idle (at most 1000 ms) and never waits for its end.
    virtual bool runCommandLine(std::string_view commandLine, bool wait) = 0;

    // Task-modal box, caption "信息：", OK only; returns the button code minus one.
    virtual int showMessage(std::string_view text) = 0;

    // Creates or truncates the file and writes each array's bytes in order.
    virtual bool writeBytesToFile(std::string_view path, std::span<const EmbeddedBlob> arrays) = 0;

    // Has the window's pending repainting done at once.
    virtual void refreshWindow(ElementId window) = 0;

    // Opens the address with the shell; reports nothing.
    virtual void openWebAddress(std::string_view address) = 0;

    // Live value of a property; a text comes as a fresh copy, none when empty.
    virtual PropertyValue getControlProperty(ElementId window, ElementId control,
                                             PropertyNumber property) = 0;
    virtual void setControlProperty(ElementId window, ElementId control, PropertyNumber property,
                                    const PropertyValue& value) = 0;

    // Calls SkinH_AttachEx of jedata.dll with both texts, binding it on first use.
    virtual void attachSkin(std::string_view skinFilePath, std::string_view second) = 0;

    // One error box, then the process ends with exit code -1.
    [[noreturn]] virtual void reportRuntimeError(int code, std::string_view message) = 0;
};

} // namespace wavoro
