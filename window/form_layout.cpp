#include "window/form_layout.h"

#include <algorithm>

namespace wavoro::form {

WindowFrame windowFrame(const WindowProperties& window) {
    WindowFrame frame;
    const int style = window.borderStyle;
    if (style != 0) {
        frame.dialogFrame = true;
        if (!window.title.empty() || window.controlBox) {
            frame.caption = true;
        }
        frame.systemMenu = window.controlBox;
    }
    frame.thickFrame = style == 1 || style == 3 || style == 5;
    frame.toolWindow = style == 3 || style == 4;
    frame.clientEdge = style == 5 || style == 6;
    frame.maximiseBox = window.maximiseButton;
    frame.minimiseBox = window.minimiseButton;
    return frame;
}

ControlEdge controlEdge(int borderStyle) {
    ControlEdge edge;
    edge.clientEdge = borderStyle == 1 || borderStyle == 4;
    edge.dialogModal = borderStyle == 2 || borderStyle == 4;
    edge.staticEdge = borderStyle == 3;
    edge.border = borderStyle == 5;
    return edge;
}

KindRoles kindRoles(ElementKind kind) {
    KindRoles r;
    switch (kind) {
    case ElementKind::window:
        r.text = prop::window::title;
        r.backgroundColour = prop::window::backgroundColour;
        r.borderStyle = prop::window::borderStyle;
        break;
    case ElementKind::label:
        r.text = prop::label::caption;
        r.textColour = prop::label::textColour;
        r.backgroundColour = prop::label::backgroundColour;
        r.font = prop::label::font;
        r.textEffect = prop::label::textEffect;
        r.horizontalAlignment = prop::label::horizontalAlignment;
        r.wordWrap = prop::label::wordWrap;
        r.verticalAlignment = prop::label::verticalAlignment;
        r.borderStyle = prop::label::borderStyle;
        break;
    case ElementKind::button:
        r.text = prop::button::caption;
        r.font = prop::button::font;
        break;
    case ElementKind::editBox:
        r.text = prop::editBox::text;
        r.textColour = prop::editBox::textColour;
        r.backgroundColour = prop::editBox::backgroundColour;
        r.font = prop::editBox::font;
        r.borderStyle = prop::editBox::borderStyle;
        break;
    case ElementKind::picBox:
        r.backgroundColour = prop::picBox::backgroundColour;
        r.picture = prop::picBox::picture;
        r.borderStyle = prop::picBox::borderStyle;
        break;
    case ElementKind::groupBox:
        r.text = prop::groupBox::caption;
        r.textColour = prop::groupBox::textColour;
        r.backgroundColour = prop::groupBox::backgroundColour;
        r.font = prop::groupBox::font;
        break;
    case ElementKind::transLabel:
        r.text = prop::transLabel::caption;
        r.textColour = prop::transLabel::textColour;
        r.font = prop::transLabel::font;
        r.textEffect = prop::transLabel::textEffect;
        r.horizontalAlignment = prop::transLabel::horizontalAlignment;
        r.wordWrap = prop::transLabel::wordWrap;
        r.verticalAlignment = prop::transLabel::verticalAlignment;
        break;
    }
    return r;
}

unsigned labelTextFormat(int horizontalAlignment, bool wordWrap, int verticalAlignment) {
    unsigned format = textFormat::noPrefix;
    switch (horizontalAlignment) {
    case 1:
        format |= textFormat::centre;
        break;
    case 2:
        format |= textFormat::right;
        break;
    default:
        format |= textFormat::left;
        break;
    }
    if (wordWrap) {
        return format | textFormat::wordBreak | textFormat::verticalCentre;
    }
    format |= textFormat::singleLine;
    switch (verticalAlignment) {
    case 0:
        return format | textFormat::top;
    case 2:
        return format | textFormat::bottom;
    default:
        return format | textFormat::verticalCentre;
    }
}

namespace {

unsigned readLe(std::span<const unsigned char> bytes, std::size_t at, std::size_t size) {
    unsigned value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

} // namespace

std::vector<IconImage> iconImages(std::span<const unsigned char> iconFile) {
    constexpr std::size_t headerSize = 6;
    constexpr std::size_t entrySize = 16;
    if (iconFile.size() < headerSize || readLe(iconFile, 0, 2) != 0 ||
        readLe(iconFile, 2, 2) != 1) {
        return {};
    }
    const std::size_t count = readLe(iconFile, 4, 2);
    if (iconFile.size() < headerSize + count * entrySize) {
        return {};
    }
    std::vector<IconImage> images;
    images.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = headerSize + i * entrySize;
        IconImage image;
        const unsigned width = iconFile[entry];
        const unsigned height = iconFile[entry + 1];
        image.width = width == 0 ? 256 : static_cast<int>(width);
        image.height = height == 0 ? 256 : static_cast<int>(height);
        const unsigned colourCount = iconFile[entry + 2];
        const unsigned bitCount = readLe(iconFile, entry + 6, 2);
        if (colourCount != 0) {
            image.colours = static_cast<int>(colourCount);
        } else if (bitCount >= 1 && bitCount <= 8) {
            image.colours = 1 << bitCount;
        } else {
            image.colours = 1 << 24; // true colour, or not told: many
        }
        const std::size_t size = readLe(iconFile, entry + 8, 4);
        const std::size_t offset = readLe(iconFile, entry + 12, 4);
        if (offset > iconFile.size() || size > iconFile.size() - offset || size == 0) {
            return {};
        }
        image.bytes = iconFile.subspan(offset, size);
        images.push_back(image);
    }
    return images;
}

std::optional<std::size_t> pickIconImage(std::span<const IconImage> images, int width) {
    if (images.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (images[i].width == width && images[i].colours >= 16) {
            return i;
        }
    }
    return images.size() - 1;
}

std::vector<std::size_t> focusRing(std::span<const FormElement> form,
                                   const std::function<bool(std::size_t)>& takesFocus) {
    std::vector<std::size_t> ring;
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i].parent != 0 && form[i].tabStop && takesFocus(i)) {
            ring.push_back(i);
        }
    }
    std::stable_sort(ring.begin(), ring.end(), [&form](std::size_t a, std::size_t b) {
        if (form[a].tabOrder != form[b].tabOrder) {
            return form[a].tabOrder < form[b].tabOrder;
        }
        return a > b;
    });
    return ring;
}

std::optional<std::size_t> nextInRing(std::span<const std::size_t> ring,
                                      std::optional<std::size_t> current, bool forward) {
    if (ring.empty()) {
        return std::nullopt;
    }
    const auto it = current ? std::find(ring.begin(), ring.end(), *current) : ring.end();
    if (it == ring.end()) {
        return forward ? ring.front() : ring.back();
    }
    const auto at = static_cast<std::size_t>(it - ring.begin());
    if (forward) {
        return ring[(at + 1) % ring.size()];
    }
    return ring[(at + ring.size() - 1) % ring.size()];
}

} // namespace wavoro::form
