// A view that stores the controls' properties and a platform that records every call, in one
// shared log so that tests can check the order of view writes, message boxes and commands.
#pragma once

#include "hotspot/hotspot_controller.h"
#include "hotspot/hotspot_view.h"
#include "platform/platform_services.h"
#include "tests/support/text_bytes.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace wavoro::test {

struct ControlState {
    Text caption;
    Text text;
    bool visible = true;
    bool disabled = false;
    std::uint32_t textColour = 0;

    bool operator==(const ControlState&) const = default;
};

inline const char* controlName(HotspotControl control) {
    switch (control) {
    case HotspotControl::createButton:
        return "createButton";
    case HotspotControl::wifiButton:
        return "wifiButton";
    case HotspotControl::nameLabel:
        return "nameLabel";
    case HotspotControl::passwordLabel:
        return "passwordLabel";
    case HotspotControl::nameEdit:
        return "nameEdit";
    case HotspotControl::passwordEdit:
        return "passwordEdit";
    }
    return "?";
}

// Every call that changes something or reaches the system, as one line of text.
using CallLog = std::vector<std::string>;

// Stores the properties with the values MainWindow is loaded with.
class FakeView : public HotspotView {
public:
    explicit FakeView(CallLog& log) : log_(log) {
        controls[HotspotControl::createButton].caption = gbk(u8"创建无线热点");
        controls[HotspotControl::wifiButton].caption = gbk(u8"启动WIFI");
        controls[HotspotControl::nameLabel].caption = gbk(u8"无线热点名称：");
        controls[HotspotControl::passwordLabel].caption = gbk(u8"无线热点密码：");
        controls[HotspotControl::nameEdit];
        controls[HotspotControl::passwordEdit];
    }

    Text getCaption(HotspotControl control) override { return controls.at(control).caption; }
    void setCaption(HotspotControl control, std::string_view caption) override {
        log("setCaption", control, caption);
        controls.at(control).caption = caption;
    }
    Text getText(HotspotControl control) override { return controls.at(control).text; }
    void setText(HotspotControl control, std::string_view text) override {
        log("setText", control, text);
        controls.at(control).text = text;
    }
    void setVisible(HotspotControl control, bool visible) override {
        log("setVisible", control, visible ? "true" : "false");
        controls.at(control).visible = visible;
    }
    void setDisabled(HotspotControl control, bool disabled) override {
        log("setDisabled", control, disabled ? "true" : "false");
        controls.at(control).disabled = disabled;
    }
    void setTextColour(HotspotControl control, std::uint32_t colour) override {
        log("setTextColour", control, std::to_string(colour));
        controls.at(control).textColour = colour;
    }

    // What the user has typed.
    void type(HotspotControl edit, std::string_view text) { controls.at(edit).text = text; }

    std::map<HotspotControl, ControlState> controls;

private:
    void log(std::string_view operation, HotspotControl control, std::string_view value) {
        log_.push_back(std::string(operation) + " " + controlName(control) + " " +
                       std::string(value));
    }

    CallLog& log_;
};

// Thrown by the fake in place of ending the process.
struct ProcessEnded {
    int code;
    std::string message;
};

class RecordingPlatform : public PlatformServices {
public:
    explicit RecordingPlatform(CallLog& log) : log_(log) {}

    bool runCommandLine(std::string_view commandLine, bool wait) override {
        log_.push_back("runCommandLine " + std::string(commandLine) + (wait ? " (wait)" : ""));
        commands.emplace_back(commandLine);
        return commandsStart;
    }
    int showMessage(std::string_view text) override {
        log_.push_back("showMessage " + std::string(text));
        return 0;
    }
    bool writeBytesToFile(std::string_view path, std::span<const EmbeddedBlob>) override {
        log_.push_back("writeBytesToFile " + std::string(path));
        return true;
    }
    void refreshWindow(ElementId window) override {
        log_.push_back("refreshWindow " + std::to_string(window));
    }
    void openWebAddress(std::string_view address) override {
        log_.push_back("openWebAddress " + std::string(address));
    }
    PropertyValue getControlProperty(ElementId, ElementId, PropertyNumber) override {
        log_.push_back("getControlProperty");
        return {};
    }
    void setControlProperty(ElementId, ElementId, PropertyNumber, const PropertyValue&) override {
        log_.push_back("setControlProperty");
    }
    void attachSkin(std::string_view skinFilePath, std::string_view) override {
        log_.push_back("attachSkin " + std::string(skinFilePath));
    }
    [[noreturn]] void reportRuntimeError(int code, std::string_view message) override {
        log_.push_back("reportRuntimeError " + std::to_string(code) + " " + std::string(message));
        throw ProcessEnded{code, std::string(message)};
    }

    std::vector<Text> commands;
    bool commandsStart = true;

private:
    CallLog& log_;
};

// A controller wired to a fresh view and platform that share one call log.
struct Rig {
    CallLog log;
    FakeView view{log};
    RecordingPlatform platform{log};
    HotspotController controller{view, platform};

    ControlState& operator[](HotspotControl control) { return view.controls.at(control); }

    // Runs one click and returns what it logged.
    CallLog clickCreate() {
        return logOf([this] { controller.onCreateButtonClick(); });
    }
    CallLog clickWifi() {
        return logOf([this] { controller.onWifiButtonClick(); });
    }

private:
    template <class Click>
    CallLog logOf(Click click) {
        const std::size_t before = log.size();
        click();
        return {log.begin() + static_cast<std::ptrdiff_t>(before), log.end()};
    }
};

} // namespace wavoro::test
