#include "window/form_values.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace wavoro::form {

namespace {

constexpr EventBinding windowEvents[] = {{event::created, Handler::mainWindowCreated}};
constexpr EventBinding bannerEvents[] = {{event::leftButtonDown, Handler::bannerPress}};
constexpr EventBinding wifiButtonEvents[] = {{event::clicked, Handler::wifiButtonClick}};
constexpr EventBinding createButtonEvents[] = {{event::clicked, Handler::createButtonClick}};

constexpr WindowProperties mainWindowProperties{
    .title = windowTitle,
    .borderStyle = 2,
    .backgroundColour = defaultColour,
    .backgroundPicture = Bytes::none,
    .backgroundPictureMode = 1,
    .backgroundSound = Bytes::none,
    .soundPlayMode = 0,
    .controlBox = true,
    .maximiseButton = false,
    .minimiseButton = false,
    .startPosition = 1,
    .closable = true,
    .icon = Bytes::windowIcon,
    .enterMovesFocus = false,
    .escCloses = true,
    .f1OpensHelp = false,
    .helpFile = "",
    .helpContext = 0,
    .taskbarButton = true,
    .dragAnywhere = false,
    .windowShape = 0,
    .alwaysOnTop = false,
    .keepCaptionActive = false,
    .windowClassName = "",
};

constexpr TransLabelProperties footerProperties{
    .caption = footerText,
    .textEffect = 0,
    .font = Bytes::none,
    .textColour = 0x000000,
    .horizontalAlignment = 0,
    .wordWrap = false,
    .verticalAlignment = 1,
};

constexpr PicBoxProperties bannerProperties{
    .borderStyle = 0,
    .backgroundColour = defaultColour,
    .picture = Bytes::bannerPicture,
    .displayMode = 0,
    .animate = true,
    .dataSource = "",
    .dataColumn = "",
};

// Both fields are identical.
constexpr EditBoxProperties fieldProperties{
    .text = "",
    .borderStyle = 5,
    .textColour = 0x000000,
    .backgroundColour = 0xFFFFFF,
    .font = Bytes::none,
    .hideSelection = true,
    .maximumLength = 0,
    .multiLine = false,
    .scrollBars = 0,
    .alignment = 0,
    .inputMode = 0,
    .passwordCharacter = 42,
    .caseConversion = 0,
    .spinButtons = 0,
    .spinMinimum = 0,
    .spinMaximum = 100,
    .selectionStart = 0,
    .selectionLength = 0,
    .dataSource = "",
    .dataColumn = "",
};

constexpr LabelProperties captionProperties(std::string_view caption, bool wordWrap) {
    return LabelProperties{
        .caption = caption,
        .textEffect = 0,
        .borderStyle = 0,
        .frameWidth = 8,
        .frameColours = {0x808080, 0xFFFFFF, 0x808080},
        .font = Bytes::none,
        .textColour = 0x000000,
        .backgroundColour = defaultColour,
        .backgroundPicture = Bytes::none,
        .pictureMode = 1,
        .gradientBackground = 0,
        .gradientColours = {0x808080, 0xFFFFFF, 0x808080},
        .horizontalAlignment = 0,
        .wordWrap = wordWrap,
        .verticalAlignment = 1,
        .dataSource = "",
        .dataColumn = "",
    };
}

constexpr ButtonProperties buttonProperties(std::string_view caption) {
    return ButtonProperties{
        .picture = Bytes::none,
        .type = 0,
        .caption = caption,
        .horizontalAlignment = 1,
        .verticalAlignment = 1,
        .font = Bytes::none,
    };
}

// The form stores nothing for the group box: every value is the kind's default.
constexpr GroupBoxProperties groupProperties{};

} // namespace

// clang-format off
// The form names, code page 936: 透明标签1 图片框1 编辑框2 标签2 编辑框1 标签1 按钮2 按钮1 分组框1.
const std::array<FormElement, 10> mainWindowForm{{
    // role            name                                                 id               parent        left top  width height visible disabled tabStop tabOrder tag mouse events
    {"MainWindow",    "",                                                   mainWindowId,    0,            50,  50,  450,  262,   true,   false,   false,  0,       "", 0, windowEvents, mainWindowProperties},
    {"footerLabel",   "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9" "1",               footerLabelId,   mainWindowId, 8,   200, 200,  32,    true,   true,    false,  0,       "", 0, {}, footerProperties},
    {"bannerPicture", "\xcd\xbc\xc6\xac\xbf\xf2" "1",                       bannerPictureId, mainWindowId, 0,   0,   450,  104,   true,   false,   false,  0,       "", 0, bannerEvents, bannerProperties},
    {"passwordEdit",  "\xb1\xe0\xbc\xad\xbf\xf2" "2",                       passwordEditId,  mainWindowId, 144, 156, 270,  25,    true,   false,   true,   2,       "", 0, {}, fieldProperties},
    {"passwordLabel", "\xb1\xea\xc7\xa9" "2",                               passwordLabelId, mainWindowId, 45,  160, 91,   24,    true,   false,   false,  0,       "", 0, {}, captionProperties(passwordCaption, true)},
    {"nameEdit",      "\xb1\xe0\xbc\xad\xbf\xf2" "1",                       nameEditId,      mainWindowId, 143, 123, 270,  25,    true,   false,   true,   1,       "", 0, {}, fieldProperties},
    {"nameLabel",     "\xb1\xea\xc7\xa9" "1",                               nameLabelId,     mainWindowId, 45,  120, 80,   32,    true,   false,   false,  0,       "", 0, {}, captionProperties(nameCaption, false)},
    {"wifiButton",    "\xb0\xb4\xc5\xa5" "2",                               wifiButtonId,    mainWindowId, 342, 198, 96,   32,    true,   false,   true,   0,       "", 0, wifiButtonEvents, buttonProperties(wifiButtonCaption)},
    {"createButton",  "\xb0\xb4\xc5\xa5" "1",                               createButtonId,  mainWindowId, 232, 198, 104,  32,    true,   false,   true,   0,       "", 0, createButtonEvents, buttonProperties(createButtonCaption)},
    {"inputGroup",    "\xb7\xd6\xd7\xe9\xbf\xf2" "1",                       inputGroupId,    mainWindowId, 6,   104, 432,  88,    true,   false,   false,  0,       "", 0, {}, groupProperties},
}};
// clang-format on

const FormElement* findElement(std::span<const FormElement> form, ElementId id) {
    const auto it =
        std::find_if(form.begin(), form.end(), [id](const FormElement& e) { return e.id == id; });
    return it == form.end() ? nullptr : &*it;
}

const Handler* boundHandler(const FormElement& element, int eventNumber) {
    for (const EventBinding& binding : element.events) {
        if (binding.event == eventNumber) {
            return &binding.handler;
        }
    }
    return nullptr;
}

std::span<const unsigned char> FormResources::bytes(Bytes which) const {
    switch (which) {
    case Bytes::bannerPicture:
        return bannerPicture;
    case Bytes::windowIcon:
        return windowIcon;
    case Bytes::none:
        break;
    }
    return {};
}

namespace {

// Collects numbered values in order, starting after the common ones.
class Numbered {
public:
    Numbered(const FormElement& element, const FormResources& resources) : resources_(resources) {
        values_.reserve(32);
        values_.emplace_back(std::int64_t{element.left});
        values_.emplace_back(std::int64_t{element.top});
        values_.emplace_back(std::int64_t{element.width});
        values_.emplace_back(std::int64_t{element.height});
        text(element.tag);
        values_.emplace_back(element.visible);
        values_.emplace_back(element.disabled);
        values_.emplace_back(std::int64_t{element.mousePointer});
    }

    Numbered& text(std::string_view value) {
        if (value.empty()) {
            values_.emplace_back(std::monostate{});
        } else {
            values_.emplace_back(Text(value));
        }
        return *this;
    }
    Numbered& flag(bool value) {
        values_.emplace_back(value);
        return *this;
    }
    Numbered& number(std::int64_t value) {
        values_.emplace_back(value);
        return *this;
    }
    Numbered& colours(const std::array<std::uint32_t, 3>& value) {
        for (std::uint32_t c : value) {
            number(c);
        }
        return *this;
    }
    Numbered& bytes(Bytes which) {
        const auto data = resources_.bytes(which);
        return text(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    }
    Numbered& none() {
        values_.emplace_back(std::monostate{});
        return *this;
    }

    std::vector<PropertyValue> take() { return std::move(values_); }

private:
    const FormResources& resources_;
    std::vector<PropertyValue> values_;
};

} // namespace

std::vector<PropertyValue> numberedProperties(const FormElement& element,
                                              const FormResources& resources) {
    Numbered n(element, resources);
    std::visit(
        [&n](const auto& p) {
            using P = std::decay_t<decltype(p)>;
            if constexpr (std::is_same_v<P, WindowProperties>) {
                n.text(p.title).number(p.borderStyle).number(p.backgroundColour);
                n.bytes(p.backgroundPicture).number(p.backgroundPictureMode);
                n.bytes(p.backgroundSound).number(p.soundPlayMode);
                n.flag(p.controlBox).flag(p.maximiseButton).flag(p.minimiseButton);
                n.number(p.startPosition).flag(p.closable).bytes(p.icon);
                n.flag(p.enterMovesFocus).flag(p.escCloses).flag(p.f1OpensHelp);
                n.text(p.helpFile).number(p.helpContext).flag(p.taskbarButton);
                n.flag(p.dragAnywhere).number(p.windowShape).flag(p.alwaysOnTop);
                n.flag(p.keepCaptionActive).text(p.windowClassName);
            } else if constexpr (std::is_same_v<P, LabelProperties>) {
                n.text(p.caption).number(p.textEffect).number(p.borderStyle);
                n.number(p.frameWidth).colours(p.frameColours).bytes(p.font);
                n.number(p.textColour).number(p.backgroundColour).bytes(p.backgroundPicture);
                n.number(p.pictureMode).number(p.gradientBackground).colours(p.gradientColours);
                n.number(p.horizontalAlignment).flag(p.wordWrap).number(p.verticalAlignment);
                n.text(p.dataSource).text(p.dataColumn);
            } else if constexpr (std::is_same_v<P, ButtonProperties>) {
                n.bytes(p.picture).number(p.type).text(p.caption);
                n.number(p.horizontalAlignment).number(p.verticalAlignment).bytes(p.font);
            } else if constexpr (std::is_same_v<P, EditBoxProperties>) {
                n.text(p.text).number(p.borderStyle).number(p.textColour);
                n.number(p.backgroundColour).bytes(p.font).flag(p.hideSelection);
                n.number(p.maximumLength).flag(p.multiLine).number(p.scrollBars);
                n.number(p.alignment).number(p.inputMode).number(p.passwordCharacter);
                n.number(p.caseConversion).number(p.spinButtons).number(p.spinMinimum);
                n.number(p.spinMaximum).number(p.selectionStart).number(p.selectionLength);
                n.none().text(p.dataSource).text(p.dataColumn);
            } else if constexpr (std::is_same_v<P, PicBoxProperties>) {
                n.number(p.borderStyle).number(p.backgroundColour).bytes(p.picture);
                n.number(p.displayMode).flag(p.animate).text(p.dataSource).text(p.dataColumn);
            } else if constexpr (std::is_same_v<P, GroupBoxProperties>) {
                n.text(p.caption).number(p.captionAlignment).number(p.textColour);
                n.number(p.backgroundColour).bytes(p.font);
            } else if constexpr (std::is_same_v<P, TransLabelProperties>) {
                n.text(p.caption).number(p.textEffect).bytes(p.font).number(p.textColour);
                n.number(p.horizontalAlignment).flag(p.wordWrap).number(p.verticalAlignment);
            }
        },
        element.properties);
    return n.take();
}

} // namespace wavoro::form
