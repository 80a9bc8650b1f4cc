// How form values become a window, worked out without a window: placement, frame styles, child
// identifiers, text formats, the icon pick and the keyboard focus ring. The Windows side only
// translates these results into calls.
#pragma once

#include "window/form_values.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace wavoro::form {

// Start position 1: the outer rectangle centred on the screen, the quotient truncated toward
// zero (so a screen one pixel narrower than the window still gives 0).
[[nodiscard]] constexpr int centredOrigin(int screenExtent, int windowExtent) {
    return (screenExtent - windowExtent) / 2;
}

// The frame of a window from its border style, title and buttons.
struct WindowFrame {
    bool clipChildren = true;
    bool dialogFrame = false;
    bool caption = false;
    bool systemMenu = false;
    bool thickFrame = false;
    bool maximiseBox = false;
    bool minimiseBox = false;
    bool toolWindow = false; // extended
    bool clientEdge = false; // extended
};
[[nodiscard]] WindowFrame windowFrame(const WindowProperties& window);

// The edge of a label, edit box or picture box from its border style 0 to 5.
struct ControlEdge {
    bool clientEdge = false;  // 1 and 4: sunken
    bool dialogModal = false; // 2 and 4: raised
    bool staticEdge = false;  // 3: thin sunken
    bool border = false;      // 5: a single line
};
[[nodiscard]] ControlEdge controlEdge(int borderStyle);

// Which kind property plays which part in building and painting; -1 where the kind has none.
struct KindRoles {
    PropertyNumber text = -1; // kept as the window text: title, caption or field text
    PropertyNumber textColour = -1;
    PropertyNumber backgroundColour = -1;
    PropertyNumber font = -1;
    PropertyNumber picture = -1;
    PropertyNumber textEffect = -1;
    PropertyNumber horizontalAlignment = -1;
    PropertyNumber wordWrap = -1;
    PropertyNumber verticalAlignment = -1;
    PropertyNumber borderStyle = -1;
};
[[nodiscard]] KindRoles kindRoles(ElementKind kind);

// Child identifier of the control at this index of the controls (the window not counted).
[[nodiscard]] constexpr int childIdentifier(std::size_t controlIndex) {
    return 100 + 10 * static_cast<int>(controlIndex);
}

// DrawText format bits (the values of the Windows DT_ flags).
namespace textFormat {
inline constexpr unsigned left = 0x0;
inline constexpr unsigned centre = 0x1;
inline constexpr unsigned right = 0x2;
inline constexpr unsigned top = 0x0;
inline constexpr unsigned verticalCentre = 0x4;
inline constexpr unsigned bottom = 0x8;
inline constexpr unsigned wordBreak = 0x10;
inline constexpr unsigned singleLine = 0x20;
inline constexpr unsigned noPrefix = 0x800;
} // namespace textFormat

// The format a label's caption is drawn with. Word wrap breaks lines from the top edge, and the
// vertical alignment applies only to a single line.
[[nodiscard]] unsigned labelTextFormat(int horizontalAlignment, bool wordWrap,
                                       int verticalAlignment);

// One image of an icon file's directory.
struct IconImage {
    int width = 0;  // 256 for a stored 0
    int height = 0; // 256 for a stored 0
    int colours = 0;
    std::span<const unsigned char> bytes; // the image as the directory points at it
};

// The images of an icon file (header type 1); empty when the bytes are no sound icon file or
// an image lies outside them.
[[nodiscard]] std::vector<IconImage> iconImages(std::span<const unsigned char> iconFile);

// The first image of this width with at least 16 colours, else the last image; none when
// there is no image.
[[nodiscard]] std::optional<std::size_t> pickIconImage(std::span<const IconImage> images,
                                                       int width);

// The controls, as indices into the form, that Tab visits, in order: tab stops for which
// takesFocus (visible and enabled, as the window tells) holds, by tab order, the later form
// element first among equal tab orders.
[[nodiscard]] std::vector<std::size_t>
focusRing(std::span<const FormElement> form, const std::function<bool(std::size_t)>& takesFocus);

// The ring member that Tab (forward) or Shift+Tab (backward) moves to from `current` (an index
// into the form); from a control outside the ring, the first or the last. None if the ring is
// empty.
[[nodiscard]] std::optional<std::size_t>
nextInRing(std::span<const std::size_t> ring, std::optional<std::size_t> current, bool forward);

} // namespace wavoro::form
