// The hotspot logic's view over the control property operations, and the banner press.
#include "window/banner_press.h"
#include "window/form_hotspot_view.h"
#include "window/form_values.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace wavoro {
namespace {

using Write = std::tuple<ElementId, ElementId, PropertyNumber, PropertyValue>;
using Read = std::tuple<ElementId, ElementId, PropertyNumber>;

// Records property writes and web addresses; reads return what the test stored.
class RecordingPlatform : public PlatformServices {
public:
    bool runCommandLine(std::string_view, bool) override { return true; }
    int showMessage(std::string_view) override { return 0; }
    bool writeBytesToFile(std::string_view, std::span<const EmbeddedBlob>) override { return true; }
    void refreshWindow(ElementId) override {}
    void openWebAddress(std::string_view address) override { addresses.emplace_back(address); }
    PropertyValue getControlProperty(ElementId window, ElementId control,
                                     PropertyNumber property) override {
        reads.emplace_back(window, control, property);
        return readValue;
    }
    void setControlProperty(ElementId window, ElementId control, PropertyNumber property,
                            const PropertyValue& value) override {
        writes.emplace_back(window, control, property, value);
    }
    void attachSkin(std::string_view, std::string_view) override {}
    [[noreturn]] void reportRuntimeError(int, std::string_view) override { std::abort(); }

    std::vector<Write> writes;
    std::vector<Read> reads;
    std::vector<std::string> addresses;
    PropertyValue readValue;
};

TEST(FormHotspotView, WritesAddressTheControlsByIdAndPropertyNumber) {
    RecordingPlatform platform;
    FormHotspotView view(platform);
    view.setCaption(HotspotControl::createButton, "a");
    view.setCaption(HotspotControl::wifiButton, "b");
    view.setCaption(HotspotControl::nameLabel, "c");
    view.setCaption(HotspotControl::passwordLabel, "d");
    view.setText(HotspotControl::nameEdit, "");
    view.setText(HotspotControl::passwordEdit, "e");
    view.setVisible(HotspotControl::nameEdit, false);
    view.setVisible(HotspotControl::passwordEdit, true);
    view.setDisabled(HotspotControl::wifiButton, true);
    view.setDisabled(HotspotControl::createButton, false);
    view.setTextColour(HotspotControl::nameLabel, 128);
    view.setTextColour(HotspotControl::passwordLabel, 0xFFFFFF);

    const ElementId w = form::mainWindowId;
    const std::vector<Write> expected{
        {w, 0x16010CFF, 10, Text("a")},
        {w, 0x16010D00, 10, Text("b")},
        {w, 0x16010D01, 8, Text("c")},
        {w, 0x16010D03, 8, Text("d")},
        {w, 0x16010D02, 8, Text("")},
        {w, 0x16010D04, 8, Text("e")},
        {w, 0x16010D02, 5, false},
        {w, 0x16010D04, 5, true},
        {w, 0x16010D00, 6, true},
        {w, 0x16010CFF, 6, false},
        {w, 0x16010D01, 16, std::int64_t{128}},
        {w, 0x16010D03, 16, std::int64_t{0xFFFFFF}},
    };
    EXPECT_EQ(platform.writes, expected);
}

TEST(FormHotspotView, ReadsGiveTextsAndNoneAsEmpty) {
    RecordingPlatform platform;
    FormHotspotView view(platform);
    platform.readValue = Text("HomeNet8");
    EXPECT_EQ(view.getText(HotspotControl::nameEdit), "HomeNet8");
    platform.readValue = Text("x");
    EXPECT_EQ(view.getCaption(HotspotControl::wifiButton), "x");
    platform.readValue = std::monostate{};
    EXPECT_EQ(view.getText(HotspotControl::passwordEdit), "");
    EXPECT_EQ(view.getCaption(HotspotControl::createButton), "");

    const ElementId w = form::mainWindowId;
    const std::vector<Read> expected{
        {w, 0x16010D02, 8}, {w, 0x16010D00, 10}, {w, 0x16010D04, 8}, {w, 0x16010CFF, 10}};
    EXPECT_EQ(platform.reads, expected);
}

TEST(BannerPress, OpensTheMakersAddressOnceWhateverTheArguments) {
    RecordingPlatform platform;
    onBannerPress(platform, 10, 20, 0);
    EXPECT_EQ(platform.addresses, std::vector<std::string>{"https://tesmin.example/wavoro"});
    onBannerPress(platform, -1, 300, 7);
    EXPECT_EQ(platform.addresses.size(), 2u);
    EXPECT_TRUE(platform.writes.empty());
}

TEST(BannerPress, TheTitleEndsWithTheSameAddress) {
    const std::string title(form::windowTitle);
    const std::string address(form::makerWebAddress);
    EXPECT_EQ(title, "Wavoro - Tesmin " + address);
}

} // namespace
} // namespace wavoro
