// The few control properties that the hotspot logic reads and writes. The window supplies an
// implementation over the control property operations; tests supply one that stores values.
#pragma once

#include "platform/platform_services.h"

#include <cstdint>

namespace wavoro {

enum class HotspotControl {
    createButton,
    wifiButton,
    nameLabel,
    passwordLabel,
    nameEdit,
    passwordEdit,
};

class HotspotView {
public:
    virtual ~HotspotView() = default;

    // createButton, wifiButton; a fresh copy, empty when the caption is none.
    [[nodiscard]] virtual Text getCaption(HotspotControl control) = 0;
    // createButton, wifiButton, nameLabel, passwordLabel.
    virtual void setCaption(HotspotControl control, std::string_view caption) = 0;
    // nameEdit, passwordEdit; a fresh copy, empty when the text is none.
    [[nodiscard]] virtual Text getText(HotspotControl control) = 0;
    virtual void setText(HotspotControl control, std::string_view text) = 0;
    // nameEdit, passwordEdit.
    virtual void setVisible(HotspotControl control, bool visible) = 0;
    // createButton, wifiButton; true disables.
    virtual void setDisabled(HotspotControl control, bool disabled) = 0;
    // nameLabel, passwordLabel; 0x00BBGGRR.
    virtual void setTextColour(HotspotControl control, std::uint32_t colour) = 0;
};

} // namespace wavoro
