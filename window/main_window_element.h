// What the parts of MainWindow (main_window*.cpp) share: the live form element and the
// conversions of property values. For those files only; the chief header is main_window.h.
#pragma once

#include "window/control_painting.h"
#include "window/form_layout.h"
#include "window/gdi.h"
#include "window/jpeg_picture.h"
#include "window/main_window.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace wavoro {

namespace live {

// A property value as the window uses it, whatever type it was stored with.
bool asBool(const PropertyValue& value);
std::int64_t asNumber(const PropertyValue& value);
Text asText(const PropertyValue& value);
// The stored value of a text: none for the empty text.
PropertyValue textValue(Text text);
int clampToInt(std::int64_t n);
// The bytes of a binary value (a picture, a font); empty for anything else.
std::span<const unsigned char> bytesOf(const PropertyValue& value);
Text windowText(HWND hwnd);
// A font value: 60 bytes holding a LOGFONTA, with the fixed fields replaced; anything else is
// absent (nullptr: DEFAULT_GUI_FONT).
HFONT createFormFont(const PropertyValue& value);

} // namespace live

// One element of the form as it lives: its window, its property values, and what it draws with.
class MainWindow::Element final : public WindowTarget {
public:
    Element(MainWindow& owner, std::size_t at, const form::FormElement& element,
            std::vector<PropertyValue> initial)
        : owner_(owner), index(at), source(element), roles(form::kindRoles(element.kind())),
          values(std::move(initial)) {}

    LRESULT onMessage(HWND h, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (index == 0) {
            return owner_.onWindowMessage(*this, h, message, wParam, lParam);
        }
        return owner_.onControlMessage(*this, h, message, wParam, lParam);
    }
    void onDestroyed(HWND /*hwnd*/) override { hwnd = nullptr; }

    [[nodiscard]] form::ElementKind kind() const { return source.kind(); }
    [[nodiscard]] bool selfDrawn() const {
        return kind() == form::ElementKind::window || kind() == form::ElementKind::label ||
               kind() == form::ElementKind::transLabel || kind() == form::ElementKind::picBox;
    }

    PropertyValue& value(PropertyNumber n) {
        const auto at = static_cast<std::size_t>(n);
        if (at >= values.size()) {
            values.resize(at + 1);
        }
        return values[at];
    }
    [[nodiscard]] std::int64_t number(PropertyNumber n) const {
        return n >= 0 && static_cast<std::size_t>(n) < values.size()
                   ? live::asNumber(values[static_cast<std::size_t>(n)])
                   : 0;
    }
    [[nodiscard]] bool flag(PropertyNumber n) const {
        return n >= 0 && static_cast<std::size_t>(n) < values.size() &&
               live::asBool(values[static_cast<std::size_t>(n)]);
    }
    [[nodiscard]] COLORREF colour(PropertyNumber n) const {
        return painting::resolveColour(n >= 0 ? number(n) : 0);
    }
    [[nodiscard]] HFONT textFont() const {
        return font.get() != nullptr ? font.get()
                                     : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    void refreshBrush() {
        if (roles.backgroundColour >= 0) {
            background.reset(CreateSolidBrush(colour(roles.backgroundColour)));
        }
    }
    void refreshFont() {
        if (roles.font >= 0) {
            font.reset(live::createFormFont(value(roles.font)));
        }
    }
    void refreshPicture() {
        picture.reset();
        if (roles.picture >= 0) {
            const auto bytes = live::bytesOf(value(roles.picture));
            if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
                picture = decodeJpeg(bytes);
            }
        }
    }

    MainWindow& owner_;
    std::size_t index;
    const form::FormElement& source; // the element's record in the form
    form::KindRoles roles;
    std::vector<PropertyValue> values;
    HWND hwnd = nullptr;
    gdi::Brush background;
    gdi::Object<HFONT> font;
    std::optional<DecodedPicture> picture;
    gdi::Icon bigIcon;
    gdi::Icon smallIcon;
    HFONT fontHandle = nullptr; // as set with WM_SETFONT on the runtime's own windows
};

} // namespace wavoro
