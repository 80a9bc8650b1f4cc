// The form as the runtime reads it: property numbers per kind, the texts' bytes, the bindings.
#include "window/form_values.h"

#include "tests/support/text_bytes.h"

#include <gtest/gtest.h>

#include <set>

namespace wavoro::form {
namespace {

using test::gbk;

const FormElement& element(ElementId id) {
    const FormElement* e = findElement(mainWindowForm, id);
    EXPECT_NE(e, nullptr);
    return *e;
}

PropertyValue numbered(ElementId id, PropertyNumber n, const FormResources& resources = {}) {
    const auto values = numberedProperties(element(id), resources);
    EXPECT_LT(static_cast<std::size_t>(n), values.size());
    return values.at(static_cast<std::size_t>(n));
}

TEST(FormValues, ElementsAreTheWindowThenNineControlsWithDistinctIds) {
    EXPECT_EQ(mainWindowForm[0].kind(), ElementKind::window);
    EXPECT_EQ(mainWindowForm[0].parent, 0u);
    std::set<ElementId> ids;
    for (const FormElement& e : mainWindowForm) {
        ids.insert(e.id);
        if (&e != &mainWindowForm[0]) {
            EXPECT_EQ(e.parent, mainWindowId) << e.role;
            EXPECT_NE(e.kind(), ElementKind::window) << e.role;
        }
    }
    EXPECT_EQ(ids.size(), mainWindowForm.size());
}

// The numbers the hotspot logic addresses, and a few that depend on counting the kind tables
// right: the fields before them shift them if one is missing.
TEST(FormValues, KindPropertiesSitAtTheirNumbers) {
    struct Case {
        ElementId id;
        PropertyNumber number;
        PropertyValue expected;
    };
    const Case cases[] = {
        {createButtonId, prop::button::caption, gbk(u8"创建无线热点")},
        {wifiButtonId, prop::button::caption, gbk(u8"启动WIFI")},
        {createButtonId, prop::button::horizontalAlignment, std::int64_t{1}},
        {createButtonId, prop::disabled, false},
        {nameLabelId, prop::label::caption, gbk(u8"无线热点名称：")},
        {passwordLabelId, prop::label::caption, gbk(u8"无线热点密码：")},
        {nameLabelId, prop::label::textColour, std::int64_t{0}},
        {nameLabelId, prop::label::backgroundColour, std::int64_t{0xFF000000}},
        {nameLabelId, prop::label::wordWrap, false},
        {passwordLabelId, prop::label::wordWrap, true},
        {passwordLabelId, prop::label::verticalAlignment, std::int64_t{1}},
        {passwordLabelId, prop::label::gradientColour2, std::int64_t{0xFFFFFF}},
        {nameEditId, prop::editBox::text, std::monostate{}},
        {nameEditId, prop::editBox::backgroundColour, std::int64_t{0xFFFFFF}},
        {nameEditId, prop::editBox::inputMode, std::int64_t{0}},
        {passwordEditId, prop::editBox::passwordCharacter, std::int64_t{42}},
        {passwordEditId, prop::editBox::spinMaximum, std::int64_t{100}},
        {passwordEditId, prop::visible, true},
        {bannerPictureId, prop::picBox::displayMode, std::int64_t{0}},
        {bannerPictureId, prop::picBox::animate, true},
        {inputGroupId, prop::groupBox::caption, std::monostate{}},
        {inputGroupId, prop::groupBox::backgroundColour, std::int64_t{0xFF000000}},
        {footerLabelId, prop::disabled, true},
        {footerLabelId, prop::transLabel::textColour, std::int64_t{0}},
        {footerLabelId, prop::transLabel::verticalAlignment, std::int64_t{1}},
        {mainWindowId, prop::window::title, Text("Wavoro - Tesmin https://tesmin.example/wavoro")},
        {mainWindowId, prop::window::borderStyle, std::int64_t{2}},
        {mainWindowId, prop::window::startPosition, std::int64_t{1}},
        {mainWindowId, prop::window::escCloses, true},
        {mainWindowId, prop::window::enterMovesFocus, false},
        {mainWindowId, prop::window::windowClassName, std::monostate{}},
        {mainWindowId, prop::left, std::int64_t{50}},
        {mainWindowId, prop::height, std::int64_t{262}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numbered(c.id, c.number), c.expected)
            << element(c.id).role << " property " << c.number;
    }
}

TEST(FormValues, EveryKindHasAllItsNumberedProperties) {
    const std::pair<ElementId, std::size_t> counts[] = {
        {mainWindowId, 32},    {nameLabelId, 29},  {nameEditId, 29},    {createButtonId, 14},
        {bannerPictureId, 15}, {inputGroupId, 13}, {footerLabelId, 15},
    };
    for (const auto& [id, count] : counts) {
        EXPECT_EQ(numberedProperties(element(id), {}).size(), count) << element(id).role;
    }
}

TEST(FormValues, ByteValuedPropertiesComeFromTheResources) {
    const unsigned char jpeg[] = {0xFF, 0xD8, 0xFF, 0xD9};
    const unsigned char icon[] = {0, 0, 1, 0, 0, 0};
    const FormResources resources{jpeg, icon};
    EXPECT_EQ(numbered(bannerPictureId, prop::picBox::picture, resources),
              PropertyValue(Text("\xFF\xD8\xFF\xD9", 4)));
    EXPECT_EQ(numbered(mainWindowId, prop::window::icon, resources),
              PropertyValue(Text("\0\0\1\0\0\0", 6)));
    // Without data the properties are none, and so are the fonts and sounds everywhere.
    EXPECT_EQ(numbered(bannerPictureId, prop::picBox::picture), PropertyValue{});
    EXPECT_EQ(numbered(mainWindowId, prop::window::backgroundSound, resources), PropertyValue{});
    EXPECT_EQ(numbered(nameLabelId, prop::label::font, resources), PropertyValue{});
}

TEST(FormValues, FourEventsAreBound) {
    struct Case {
        ElementId id;
        int event;
        const Handler* expected;
    };
    const Handler created = Handler::mainWindowCreated;
    const Handler create = Handler::createButtonClick;
    const Handler wifi = Handler::wifiButtonClick;
    const Handler banner = Handler::bannerPress;
    const Case cases[] = {
        {mainWindowId, event::created, &created},
        {createButtonId, event::clicked, &create},
        {wifiButtonId, event::clicked, &wifi},
        {bannerPictureId, event::leftButtonDown, &banner},
        {bannerPictureId, event::leftDoubleClick, nullptr},
        {bannerPictureId, event::rightButtonDown, nullptr},
        {nameLabelId, event::leftButtonDown, nullptr},
    };
    for (const Case& c : cases) {
        const Handler* bound = boundHandler(element(c.id), c.event);
        if (c.expected == nullptr) {
            EXPECT_EQ(bound, nullptr) << element(c.id).role << " event " << c.event;
        } else {
            ASSERT_NE(bound, nullptr) << element(c.id).role << " event " << c.event;
            EXPECT_EQ(*bound, *c.expected);
        }
    }
    std::size_t bindings = 0;
    for (const FormElement& e : mainWindowForm) {
        bindings += e.events.size();
    }
    EXPECT_EQ(bindings, 4u);
}

TEST(FormValues, FormNamesAreCodePage936) {
    EXPECT_EQ(element(createButtonId).name, gbk(u8"按钮1"));
    EXPECT_EQ(element(footerLabelId).name, gbk(u8"透明标签1"));
    EXPECT_EQ(element(inputGroupId).name, gbk(u8"分组框1"));
    EXPECT_EQ(footerText, gbk(u8"Tesmin 出品"));
}

} // namespace
} // namespace wavoro::form
