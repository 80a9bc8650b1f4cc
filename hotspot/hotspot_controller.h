// The logic behind the two buttons of the main window. The captions of createButton and
// wifiButton are its whole state: each click compares the clicked button's caption with one
// fixed text and runs the matching procedure to its end.
#pragma once

#include "hotspot/hotspot_view.h"
#include "platform/platform_services.h"

namespace wavoro {

class HotspotController {
public:
    // The window whose pending repainting is done after a hotspot has been created.
    static constexpr ElementId mainWindow = 0x52010001;

    HotspotController(HotspotView& view, PlatformServices& platform) noexcept
        : view_(view), platform_(platform) {}

    // createButton: closes the hotspot when the caption offers closing, otherwise checks the
    // name and password and creates it.
    void onCreateButtonClick();
    // wifiButton: stops the hosted network when the caption offers stopping, otherwise starts it.
    void onWifiButtonClick();

private:
    void createHotspot();
    void closeHotspot();
    void runFieldCommand(std::string_view head);
    void hideFieldsForStatus();
    [[nodiscard]] Text expandedField(HotspotControl edit);
    [[nodiscard]] bool fieldTooShort(HotspotControl edit);
    template <class Procedure>
    void runReportingAllocationFailure(Procedure procedure);

    HotspotView& view_;
    PlatformServices& platform_;
};

} // namespace wavoro
