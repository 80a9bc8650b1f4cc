#include "hotspot/hotspot_controller.h"

#include "hotspot/field_text.h"
#include "hotspot/texts.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace wavoro {

namespace {

using enum HotspotControl;

// Writes the out-of-memory message with the byte count into a buffer of its own, so that
// reporting exhausted memory needs no memory.
class AllocationFailureMessage {
public:
    explicit AllocationFailureMessage(std::size_t requestedBytes) {
        const std::size_t slot = allocationFailedMessage.find("%d");
        char* out = append(buffer_.data(), allocationFailedMessage.substr(0, slot));
        out = std::to_chars(out, out + maxDigits, requestedBytes).ptr;
        out = append(out, allocationFailedMessage.substr(slot + 2));
        length_ = static_cast<std::size_t>(out - buffer_.data());
    }

    [[nodiscard]] std::string_view text() const { return {buffer_.data(), length_}; }

private:
    static constexpr std::size_t maxDigits = 20;

    static char* append(char* out, std::string_view piece) {
        return std::copy(piece.begin(), piece.end(), out);
    }

    std::array<char, allocationFailedMessage.size() + maxDigits> buffer_{};
    std::size_t length_ = 0;
};

} // namespace

template <class Procedure>
void HotspotController::runReportingAllocationFailure(Procedure procedure) {
    // The procedures run inside window callbacks: nothing may be thrown out of them.
    try {
        procedure();
    } catch (const TextAllocationError& error) {
        platform_.reportRuntimeError(0, AllocationFailureMessage(error.requestedBytes()).text());
    } catch (...) {
        // Only a text copy made by the view can fail here, and it does not tell its size.
        platform_.reportRuntimeError(0, AllocationFailureMessage(0).text());
    }
}

void HotspotController::onCreateButtonClick() {
    runReportingAllocationFailure([this] {
        if (sameText(view_.getCaption(createButton), closeHotspotCaption)) {
            closeHotspot();
        } else {
            createHotspot();
        }
    });
}

void HotspotController::onWifiButtonClick() {
    runReportingAllocationFailure([this] {
        if (sameText(view_.getCaption(wifiButton), stopWifiCaption)) {
            view_.setCaption(wifiButton, startWifiCaption);
            platform_.runCommandLine(stopCommand, false);
        } else {
            view_.setCaption(wifiButton, stopWifiCaption);
            platform_.runCommandLine(startCommand, false);
        }
    });
}

Text HotspotController::expandedField(HotspotControl edit) {
    return expandFieldText(view_.getText(edit));
}

bool HotspotController::fieldTooShort(HotspotControl edit) {
    return textByteLength(view_.getText(edit)) < minimumFieldLength;
}

// The create and close commands: the head, the expanded name, the key separator and the
// expanded password, fired without waiting.
void HotspotController::runFieldCommand(std::string_view head) {
    const Text name = expandedField(nameEdit);
    const Text key = expandedField(passwordEdit);
    const Text command = joinTexts(head, name, keySeparator, key);
    platform_.runCommandLine(command, false);
}

// After a create or a close the fields give way to two status lines in dark red.
void HotspotController::hideFieldsForStatus() {
    view_.setVisible(nameEdit, false);
    view_.setVisible(passwordEdit, false);
    view_.setTextColour(nameLabel, statusTextColour);
    view_.setTextColour(passwordLabel, statusTextColour);
}

void HotspotController::createHotspot() {
    // A refused create changes no caption, so the next click tries to create again.
    if (fieldTooShort(nameEdit)) {
        platform_.showMessage(shortNameMessage);
        view_.setText(nameEdit, "");
        if (fieldTooShort(passwordEdit)) {
            view_.setText(passwordEdit, "");
            platform_.showMessage(shortPasswordMessage);
        }
        return;
    }
    // netsh takes no key shorter than 8 characters: such a hotspot could never exist.
    if (fieldTooShort(passwordEdit)) {
        view_.setText(passwordEdit, "");
        platform_.showMessage(shortPasswordMessage);
        return;
    }

    view_.setCaption(createButton, closeHotspotCaption);
    runFieldCommand(createCommandHead);
    hideFieldsForStatus();
    view_.setCaption(nameLabel,
                     joinTexts(createdLineHead, expandedField(nameEdit), createdLineTail));
    view_.setCaption(passwordLabel, joinTexts(passwordLineHead, expandedField(passwordEdit)));
    view_.setDisabled(wifiButton, false);
    view_.setCaption(wifiButton, wifiReadyCaption);
    view_.setDisabled(createButton, false);
    platform_.refreshWindow(mainWindow);
}

void HotspotController::closeHotspot() {
    view_.setCaption(createButton, createHotspotCaption);
    runFieldCommand(closeCommandHead);
    hideFieldsForStatus();
    view_.setCaption(nameLabel, closedNameCaption);
    view_.setCaption(passwordLabel, closedPasswordCaption);
    view_.setDisabled(wifiButton, true);
    view_.setCaption(wifiButton, wifiClosedCaption);
}

} // namespace wavoro
