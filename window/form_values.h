// The form of MainWindow as plain data: one record for the window and one for each of its nine
// controls, with every value the runtime builds them from, and the numbers by which properties
// and events are addressed. Portable: nothing here needs Windows.
#pragma once

#include "hotspot/texts.h"
#include "platform/platform_services.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace wavoro::form {

// The maker's web address: ends the window title and is opened by a press on the banner.
inline constexpr std::string_view makerWebAddress = "https://tesmin.example/wavoro";
inline constexpr std::string_view windowTitle = "Wavoro - Tesmin https://tesmin.example/wavoro";
// Texts of the form, as code page 936 bytes. Chinese is spelled as byte escapes, the text
// beside it, so that every compiler produces the same bytes.
// Tesmin 出品: the footer line under the input frame.
inline constexpr std::string_view footerText = "Tesmin \xb3\xf6\xc6\xb7";
// 无线热点名称：
inline constexpr std::string_view nameCaption =
    "\xce\xde\xcf\xdf\xc8\xc8\xb5\xe3\xc3\xfb\xb3\xc6\xa3\xba";
// 无线热点密码：
inline constexpr std::string_view passwordCaption =
    "\xce\xde\xcf\xdf\xc8\xc8\xb5\xe3\xc3\xdc\xc2\xeb\xa3\xba";
// The buttons' first captions are the controller's: 创建无线热点 and 启动WIFI.
inline constexpr std::string_view createButtonCaption = createHotspotCaption;
inline constexpr std::string_view wifiButtonCaption = wifiReadyCaption;

// 0xFF000000 in a colour value: the system's button-face colour, looked up when used.
inline constexpr std::uint32_t defaultColour = 0xFF000000;

// Element ids, as the control property operations address them.
inline constexpr ElementId mainWindowId = 0x52010001;
inline constexpr ElementId footerLabelId = 0x16010D29;
inline constexpr ElementId bannerPictureId = 0x16010D27;
inline constexpr ElementId passwordEditId = 0x16010D04;
inline constexpr ElementId passwordLabelId = 0x16010D03;
inline constexpr ElementId nameEditId = 0x16010D02;
inline constexpr ElementId nameLabelId = 0x16010D01;
inline constexpr ElementId wifiButtonId = 0x16010D00;
inline constexpr ElementId createButtonId = 0x16010CFF;
inline constexpr ElementId inputGroupId = 0x16010D28;

enum class ElementKind { window, label, button, editBox, picBox, groupBox, transLabel };

// Event numbers. 0 is the created event of a window and the clicked event of a button.
namespace event {
inline constexpr int created = 0;
inline constexpr int clicked = 0;
inline constexpr int leftButtonDown = -1;
inline constexpr int leftButtonUp = -2;
inline constexpr int leftDoubleClick = -3;
inline constexpr int rightButtonDown = -4;
inline constexpr int rightButtonUp = -5;
inline constexpr int mouseMove = -6;
inline constexpr int focusGained = -7;
inline constexpr int focusLost = -8;
inline constexpr int keyDown = -9;
inline constexpr int keyUp = -10;
inline constexpr int character = -11;
inline constexpr int mouseWheel = -12;
} // namespace event

// Modifier keys handed to a mouse event, added together.
namespace modifier {
inline constexpr int ctrl = 1;
inline constexpr int shift = 2;
inline constexpr int alt = 4;
} // namespace modifier

// The program's handlers that events can be bound to.
enum class Handler { mainWindowCreated, createButtonClick, wifiButtonClick, bannerPress };

struct EventBinding {
    int event;
    Handler handler;
};

// A byte-valued property (picture, icon, sound, font): where its bytes come from. The program
// hands the bytes over when it loads the form; none means empty.
enum class Bytes { none, bannerPicture, windowIcon };

// Property numbers. 0 to 7 are shared by every element, 8 upwards belong to the kind.
namespace prop {
inline constexpr PropertyNumber left = 0;
inline constexpr PropertyNumber top = 1;
inline constexpr PropertyNumber width = 2;
inline constexpr PropertyNumber height = 3;
inline constexpr PropertyNumber tag = 4;
inline constexpr PropertyNumber visible = 5;
inline constexpr PropertyNumber disabled = 6;
inline constexpr PropertyNumber mousePointer = 7;
inline constexpr PropertyNumber firstKindProperty = 8;

namespace window {
inline constexpr PropertyNumber title = 8;
inline constexpr PropertyNumber borderStyle = 9;
inline constexpr PropertyNumber backgroundColour = 10;
inline constexpr PropertyNumber backgroundPicture = 11;
inline constexpr PropertyNumber backgroundPictureMode = 12;
inline constexpr PropertyNumber backgroundSound = 13;
inline constexpr PropertyNumber soundPlayMode = 14;
inline constexpr PropertyNumber controlBox = 15;
inline constexpr PropertyNumber maximiseButton = 16;
inline constexpr PropertyNumber minimiseButton = 17;
inline constexpr PropertyNumber startPosition = 18;
inline constexpr PropertyNumber closable = 19;
inline constexpr PropertyNumber icon = 20;
inline constexpr PropertyNumber enterMovesFocus = 21;
inline constexpr PropertyNumber escCloses = 22;
inline constexpr PropertyNumber f1OpensHelp = 23;
inline constexpr PropertyNumber helpFile = 24;
inline constexpr PropertyNumber helpContext = 25;
inline constexpr PropertyNumber taskbarButton = 26;
inline constexpr PropertyNumber dragAnywhere = 27;
inline constexpr PropertyNumber windowShape = 28;
inline constexpr PropertyNumber alwaysOnTop = 29;
inline constexpr PropertyNumber keepCaptionActive = 30;
inline constexpr PropertyNumber windowClassName = 31;
} // namespace window

namespace label {
inline constexpr PropertyNumber caption = 8;
inline constexpr PropertyNumber textEffect = 9;
inline constexpr PropertyNumber borderStyle = 10;
inline constexpr PropertyNumber frameWidth = 11;
inline constexpr PropertyNumber frameColour1 = 12;
inline constexpr PropertyNumber frameColour2 = 13;
inline constexpr PropertyNumber frameColour3 = 14;
inline constexpr PropertyNumber font = 15;
inline constexpr PropertyNumber textColour = 16;
inline constexpr PropertyNumber backgroundColour = 17;
inline constexpr PropertyNumber backgroundPicture = 18;
inline constexpr PropertyNumber pictureMode = 19;
inline constexpr PropertyNumber gradientBackground = 20;
inline constexpr PropertyNumber gradientColour1 = 21;
inline constexpr PropertyNumber gradientColour2 = 22;
inline constexpr PropertyNumber gradientColour3 = 23;
inline constexpr PropertyNumber horizontalAlignment = 24;
inline constexpr PropertyNumber wordWrap = 25;
inline constexpr PropertyNumber verticalAlignment = 26;
inline constexpr PropertyNumber dataSource = 27;
inline constexpr PropertyNumber dataColumn = 28;
} // namespace label

namespace editBox {
inline constexpr PropertyNumber text = 8;
inline constexpr PropertyNumber borderStyle = 9;
inline constexpr PropertyNumber textColour = 10;
inline constexpr PropertyNumber backgroundColour = 11;
inline constexpr PropertyNumber font = 12;
inline constexpr PropertyNumber hideSelection = 13;
inline constexpr PropertyNumber maximumLength = 14;
inline constexpr PropertyNumber multiLine = 15;
inline constexpr PropertyNumber scrollBars = 16;
inline constexpr PropertyNumber alignment = 17;
inline constexpr PropertyNumber inputMode = 18;
inline constexpr PropertyNumber passwordCharacter = 19;
inline constexpr PropertyNumber caseConversion = 20;
inline constexpr PropertyNumber spinButtons = 21;
inline constexpr PropertyNumber spinMinimum = 22;
inline constexpr PropertyNumber spinMaximum = 23;
inline constexpr PropertyNumber selectionStart = 24;
inline constexpr PropertyNumber selectionLength = 25;
inline constexpr PropertyNumber selectedText = 26;
inline constexpr PropertyNumber dataSource = 27;
inline constexpr PropertyNumber dataColumn = 28;
} // namespace editBox

namespace button {
inline constexpr PropertyNumber picture = 8;
inline constexpr PropertyNumber type = 9;
inline constexpr PropertyNumber caption = 10;
inline constexpr PropertyNumber horizontalAlignment = 11;
inline constexpr PropertyNumber verticalAlignment = 12;
inline constexpr PropertyNumber font = 13;
} // namespace button

namespace picBox {
inline constexpr PropertyNumber borderStyle = 8;
inline constexpr PropertyNumber backgroundColour = 9;
inline constexpr PropertyNumber picture = 10;
inline constexpr PropertyNumber displayMode = 11;
inline constexpr PropertyNumber animate = 12;
inline constexpr PropertyNumber dataSource = 13;
inline constexpr PropertyNumber dataColumn = 14;
} // namespace picBox

namespace groupBox {
inline constexpr PropertyNumber caption = 8;
inline constexpr PropertyNumber captionAlignment = 9;
inline constexpr PropertyNumber textColour = 10;
inline constexpr PropertyNumber backgroundColour = 11;
inline constexpr PropertyNumber font = 12;
} // namespace groupBox

namespace transLabel {
inline constexpr PropertyNumber caption = 8;
inline constexpr PropertyNumber textEffect = 9;
inline constexpr PropertyNumber font = 10;
inline constexpr PropertyNumber textColour = 11;
inline constexpr PropertyNumber horizontalAlignment = 12;
inline constexpr PropertyNumber wordWrap = 13;
inline constexpr PropertyNumber verticalAlignment = 14;
} // namespace transLabel
} // namespace prop

struct WindowProperties {
    std::string_view title;
    int borderStyle = 2;
    std::uint32_t backgroundColour = defaultColour;
    Bytes backgroundPicture = Bytes::none;
    int backgroundPictureMode = 1;
    Bytes backgroundSound = Bytes::none;
    int soundPlayMode = 0;
    bool controlBox = true;
    bool maximiseButton = false;
    bool minimiseButton = false;
    int startPosition = 1;
    bool closable = true;
    Bytes icon = Bytes::none;
    bool enterMovesFocus = false;
    bool escCloses = true;
    bool f1OpensHelp = false;
    std::string_view helpFile;
    int helpContext = 0;
    bool taskbarButton = true;
    bool dragAnywhere = false;
    int windowShape = 0;
    bool alwaysOnTop = false;
    bool keepCaptionActive = false;
    std::string_view windowClassName;
};

struct LabelProperties {
    std::string_view caption;
    int textEffect = 0;
    int borderStyle = 0;
    int frameWidth = 8;
    std::array<std::uint32_t, 3> frameColours{0x808080, 0xFFFFFF, 0x808080};
    Bytes font = Bytes::none;
    std::uint32_t textColour = 0x000000;
    std::uint32_t backgroundColour = defaultColour;
    Bytes backgroundPicture = Bytes::none;
    int pictureMode = 1;
    int gradientBackground = 0;
    std::array<std::uint32_t, 3> gradientColours{0x808080, 0xFFFFFF, 0x808080};
    int horizontalAlignment = 0;
    bool wordWrap = false;
    int verticalAlignment = 1;
    std::string_view dataSource;
    std::string_view dataColumn;
};

struct EditBoxProperties {
    std::string_view text;
    int borderStyle = 5;
    std::uint32_t textColour = 0x000000;
    std::uint32_t backgroundColour = 0xFFFFFF;
    Bytes font = Bytes::none;
    bool hideSelection = true;
    int maximumLength = 0;
    bool multiLine = false;
    int scrollBars = 0;
    int alignment = 0;
    int inputMode = 0;
    int passwordCharacter = 42;
    int caseConversion = 0;
    int spinButtons = 0;
    int spinMinimum = 0;
    int spinMaximum = 100;
    int selectionStart = 0;
    int selectionLength = 0;
    std::string_view dataSource;
    std::string_view dataColumn;
};

struct ButtonProperties {
    Bytes picture = Bytes::none;
    int type = 0;
    std::string_view caption;
    int horizontalAlignment = 1;
    int verticalAlignment = 1;
    Bytes font = Bytes::none;
};

struct PicBoxProperties {
    int borderStyle = 0;
    std::uint32_t backgroundColour = defaultColour;
    Bytes picture = Bytes::none;
    int displayMode = 0;
    bool animate = true;
    std::string_view dataSource;
    std::string_view dataColumn;
};

struct GroupBoxProperties {
    std::string_view caption;
    int captionAlignment = 0;
    std::uint32_t textColour = 0x000000;
    std::uint32_t backgroundColour = defaultColour;
    Bytes font = Bytes::none;
};

struct TransLabelProperties {
    std::string_view caption;
    int textEffect = 0;
    Bytes font = Bytes::none;
    std::uint32_t textColour = 0x000000;
    int horizontalAlignment = 0;
    bool wordWrap = false;
    int verticalAlignment = 1;
};

// In the order of ElementKind.
using KindProperties =
    std::variant<WindowProperties, LabelProperties, ButtonProperties, EditBoxProperties,
                 PicBoxProperties, GroupBoxProperties, TransLabelProperties>;

struct FormElement {
    std::string_view role; // the role name used in code, e.g. "createButton"
    std::string_view name; // the name in the form, e.g. "按钮1"
    ElementId id;
    ElementId parent; // 0 for the window
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    bool visible;
    bool disabled;
    bool tabStop;
    std::int32_t tabOrder;
    std::string_view tag;
    int mousePointer; // 0: the default arrow
    std::span<const EventBinding> events;
    KindProperties properties;

    [[nodiscard]] ElementKind kind() const { return static_cast<ElementKind>(properties.index()); }
};

// MainWindow: the window first, then its controls in form order (creation and stacking order,
// the first control on top).
extern const std::array<FormElement, 10> mainWindowForm;

// The element with this id, or nullptr.
[[nodiscard]] const FormElement* findElement(std::span<const FormElement> form, ElementId id);

// The handler bound to an event of an element, if any.
[[nodiscard]] const Handler* boundHandler(const FormElement& element, int eventNumber);

// The bytes behind the byte-valued properties, handed over by the program when it loads the form.
struct FormResources {
    std::span<const unsigned char> bannerPicture;
    std::span<const unsigned char> windowIcon;

    [[nodiscard]] std::span<const unsigned char> bytes(Bytes which) const;
};

// Every property of an element by number: index 0 to 7 the common ones, then the kind's own.
// Flags are bool, numbers and colours int64, texts and bytes Text (none when empty).
[[nodiscard]] std::vector<PropertyValue> numberedProperties(const FormElement& element,
                                                            const FormResources& resources);

} // namespace wavoro::form
