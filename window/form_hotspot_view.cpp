#include "window/form_hotspot_view.h"

#include "window/form_values.h"

namespace wavoro {

namespace {

ElementId elementOf(HotspotControl control) {
    switch (control) {
    case HotspotControl::createButton:
        return form::createButtonId;
    case HotspotControl::wifiButton:
        return form::wifiButtonId;
    case HotspotControl::nameLabel:
        return form::nameLabelId;
    case HotspotControl::passwordLabel:
        return form::passwordLabelId;
    case HotspotControl::nameEdit:
        return form::nameEditId;
    case HotspotControl::passwordEdit:
        return form::passwordEditId;
    }
    return 0;
}

// Caption of a button or a label; text of an edit box.
PropertyNumber textPropertyOf(HotspotControl control) {
    switch (control) {
    case HotspotControl::createButton:
    case HotspotControl::wifiButton:
        return form::prop::button::caption;
    case HotspotControl::nameLabel:
    case HotspotControl::passwordLabel:
        return form::prop::label::caption;
    case HotspotControl::nameEdit:
    case HotspotControl::passwordEdit:
        return form::prop::editBox::text;
    }
    return form::prop::label::caption;
}

} // namespace

Text FormHotspotView::getTextProperty(HotspotControl control, PropertyNumber property) {
    PropertyValue value =
        platform_.getControlProperty(form::mainWindowId, elementOf(control), property);
    if (auto* text = std::get_if<Text>(&value)) {
        return std::move(*text);
    }
    return {};
}

Text FormHotspotView::getCaption(HotspotControl control) {
    return getTextProperty(control, textPropertyOf(control));
}

void FormHotspotView::setCaption(HotspotControl control, std::string_view caption) {
    platform_.setControlProperty(form::mainWindowId, elementOf(control), textPropertyOf(control),
                                 Text(caption));
}

Text FormHotspotView::getText(HotspotControl control) {
    return getTextProperty(control, textPropertyOf(control));
}

void FormHotspotView::setText(HotspotControl control, std::string_view text) {
    platform_.setControlProperty(form::mainWindowId, elementOf(control), textPropertyOf(control),
                                 Text(text));
}

void FormHotspotView::setVisible(HotspotControl control, bool visible) {
    platform_.setControlProperty(form::mainWindowId, elementOf(control), form::prop::visible,
                                 visible);
}

void FormHotspotView::setDisabled(HotspotControl control, bool disabled) {
    platform_.setControlProperty(form::mainWindowId, elementOf(control), form::prop::disabled,
                                 disabled);
}

void FormHotspotView::setTextColour(HotspotControl control, std::uint32_t colour) {
    platform_.setControlProperty(form::mainWindowId, elementOf(control),
                                 form::prop::label::textColour, std::int64_t{colour});
}

} // namespace wavoro
