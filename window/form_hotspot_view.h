// HotspotView over the control property operations: each operation addresses one control of
// MainWindow by element id and property number.
#pragma once

#include "hotspot/hotspot_view.h"
#include "platform/platform_services.h"

namespace wavoro {

class FormHotspotView final : public HotspotView {
public:
    explicit FormHotspotView(PlatformServices& platform) : platform_(platform) {}

    [[nodiscard]] Text getCaption(HotspotControl control) override;
    void setCaption(HotspotControl control, std::string_view caption) override;
    [[nodiscard]] Text getText(HotspotControl control) override;
    void setText(HotspotControl control, std::string_view text) override;
    void setVisible(HotspotControl control, bool visible) override;
    void setDisabled(HotspotControl control, bool disabled) override;
    void setTextColour(HotspotControl control, std::uint32_t colour) override;

private:
    Text getTextProperty(HotspotControl control, PropertyNumber property);

    PlatformServices& platform_;
};

} // namespace wavoro
