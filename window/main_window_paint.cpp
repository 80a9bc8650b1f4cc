// MainWindow: painting the window and its self-drawn controls, and the colours of the system
// controls.
#include "window/main_window_element.h"

namespace wavoro {

static_assert(form::textFormat::centre == DT_CENTER && form::textFormat::right == DT_RIGHT &&
              form::textFormat::verticalCentre == DT_VCENTER &&
              form::textFormat::bottom == DT_BOTTOM &&
              form::textFormat::wordBreak == DT_WORDBREAK &&
              form::textFormat::singleLine == DT_SINGLELINE &&
              form::textFormat::noPrefix == DT_NOPREFIX);

using form::ElementKind;
using live::windowText;

void MainWindow::onPaint(Element& element, HDC dc, const RECT& area) {
    RECT client{};
    GetClientRect(element.hwnd, &client);
    switch (element.kind()) {
    case ElementKind::window:
        painting::fill(dc, area, element.colour(form::prop::window::backgroundColour));
        break;
    case ElementKind::picBox:
        FillRect(dc, &client, element.background.get());
        if (element.picture) {
            painting::drawPicture(
                dc, client, *element.picture,
                static_cast<int>(element.number(form::prop::picBox::displayMode)));
        }
        break;
    case ElementKind::label:
    case ElementKind::transLabel: {
        if (element.kind() == ElementKind::label) {
            painting::fill(dc, area, element.colour(element.roles.backgroundColour));
        }
        const Text caption = windowText(element.hwnd);
        painting::Caption c;
        c.text = caption;
        c.font = element.textFont();
        c.colour = element.colour(element.roles.textColour);
        c.effect = static_cast<int>(element.number(element.roles.textEffect));
        c.format = form::labelTextFormat(
            static_cast<int>(element.number(element.roles.horizontalAlignment)),
            element.flag(element.roles.wordWrap),
            static_cast<int>(element.number(element.roles.verticalAlignment)));
        painting::drawCaption(dc, client, c);
        break;
    }
    default:
        break;
    }
}

LRESULT MainWindow::onControlColour(HDC dc, HWND control) {
    const Element* element = elementOfHandle(control);
    if (element == nullptr ||
        (element->kind() != ElementKind::editBox && element->kind() != ElementKind::groupBox)) {
        return 0;
    }
    SetTextColor(dc, element->colour(element->roles.textColour));
    SetBkColor(dc, element->colour(element->roles.backgroundColour));
    return reinterpret_cast<LRESULT>(element->background.get());
}

} // namespace wavoro
