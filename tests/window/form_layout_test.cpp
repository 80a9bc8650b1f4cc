// What the runtime works out from the form before any window exists.
#include "window/form_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace wavoro::form {
namespace {

std::size_t indexOf(ElementId id) {
    for (std::size_t i = 0; i < mainWindowForm.size(); ++i) {
        if (mainWindowForm[i].id == id) {
            return i;
        }
    }
    ADD_FAILURE() << "no element " << id;
    return 0;
}

TEST(FormLayout, CentringTruncatesTowardZero) {
    struct Case {
        int screen;
        int window;
        int origin;
    };
    const Case cases[] = {
        {1024, 450, 287}, {768, 262, 253},  {1366, 450, 458}, {449, 450, 0}, // -1 / 2 is 0, not -1
        {447, 450, -1},   {1025, 450, 287},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(centredOrigin(c.screen, c.window), c.origin) << c.screen << " " << c.window;
    }
}

TEST(FormLayout, MainWindowFrameIsFixedWithCaptionAndSystemMenuOnly) {
    const auto& properties = std::get<WindowProperties>(mainWindowForm[0].properties);
    const WindowFrame frame = windowFrame(properties);
    EXPECT_TRUE(frame.clipChildren);
    EXPECT_TRUE(frame.caption);
    EXPECT_TRUE(frame.systemMenu);
    EXPECT_FALSE(frame.thickFrame);
    EXPECT_FALSE(frame.maximiseBox);
    EXPECT_FALSE(frame.minimiseBox);
    EXPECT_FALSE(frame.toolWindow);
    EXPECT_FALSE(frame.clientEdge);
}

TEST(FormLayout, FrameFollowsEveryBorderStyle) {
    struct Case {
        int style;
        bool dialogFrame, thick, tool, edge;
    };
    const Case cases[] = {
        {0, false, false, false, false}, {1, true, true, false, false},
        {2, true, false, false, false},  {3, true, true, true, false},
        {4, true, false, true, false},   {5, true, true, false, true},
        {6, true, false, false, true},
    };
    for (const Case& c : cases) {
        WindowProperties p;
        p.title = "";
        p.controlBox = false;
        p.borderStyle = c.style;
        const WindowFrame f = windowFrame(p);
        EXPECT_EQ(f.dialogFrame, c.dialogFrame) << c.style;
        EXPECT_EQ(f.thickFrame, c.thick) << c.style;
        EXPECT_EQ(f.toolWindow, c.tool) << c.style;
        EXPECT_EQ(f.clientEdge, c.edge) << c.style;
        EXPECT_FALSE(f.caption) << "no title and no control box: no caption";
    }
    WindowProperties titled;
    titled.title = "x";
    titled.controlBox = false;
    EXPECT_TRUE(windowFrame(titled).caption);
    EXPECT_FALSE(windowFrame(titled).systemMenu);
    titled.borderStyle = 0;
    EXPECT_FALSE(windowFrame(titled).caption) << "no frame, no title bar";
}

TEST(FormLayout, ChildIdentifiersRunFrom100InStepsOf10) {
    EXPECT_EQ(childIdentifier(0), 100);
    EXPECT_EQ(childIdentifier(indexOf(createButtonId) - 1), 170);
    EXPECT_EQ(childIdentifier(indexOf(inputGroupId) - 1), 180);
    EXPECT_EQ(childIdentifier(indexOf(passwordEditId) - 1), 120);
}

TEST(FormLayout, LabelFormats) {
    using namespace textFormat;
    // nameLabel: one line, vertically centred, cut at its edge.
    EXPECT_EQ(labelTextFormat(0, false, 1), noPrefix | left | singleLine | verticalCentre);
    // passwordLabel: word wrap; DT_VCENTER without DT_SINGLELINE leaves the lines at the top.
    EXPECT_EQ(labelTextFormat(0, true, 1), noPrefix | left | wordBreak | verticalCentre);
    EXPECT_EQ(labelTextFormat(1, false, 0), noPrefix | centre | singleLine | top);
    EXPECT_EQ(labelTextFormat(2, false, 2), noPrefix | right | singleLine | bottom);
    EXPECT_EQ(labelTextFormat(2, true, 2), noPrefix | right | wordBreak | verticalCentre);
}

TEST(FormLayout, KindRolesMatchThePropertyNumbers) {
    EXPECT_EQ(kindRoles(ElementKind::button).text, prop::button::caption);
    EXPECT_EQ(kindRoles(ElementKind::label).textColour, prop::label::textColour);
    EXPECT_EQ(kindRoles(ElementKind::transLabel).textColour, prop::transLabel::textColour);
    EXPECT_EQ(kindRoles(ElementKind::editBox).backgroundColour, prop::editBox::backgroundColour);
    EXPECT_EQ(kindRoles(ElementKind::picBox).picture, prop::picBox::picture);
    EXPECT_EQ(kindRoles(ElementKind::picBox).text, -1);
}

// The ring as loaded, after the close procedure, and with nothing to visit.
TEST(FormLayout, FocusRing) {
    const auto all = [](std::size_t) { return true; };
    const std::vector<std::size_t> loaded = focusRing(mainWindowForm, all);
    const std::vector<std::size_t> expected{indexOf(createButtonId), indexOf(wifiButtonId),
                                            indexOf(nameEditId), indexOf(passwordEditId)};
    EXPECT_EQ(loaded, expected);

    const auto afterClose = [](std::size_t i) {
        const ElementId id = mainWindowForm[i].id;
        return id != nameEditId && id != passwordEditId && id != wifiButtonId;
    };
    EXPECT_EQ(focusRing(mainWindowForm, afterClose),
              std::vector<std::size_t>{indexOf(createButtonId)});
    EXPECT_TRUE(focusRing(mainWindowForm, [](std::size_t) { return false; }).empty());
}

TEST(FormLayout, TabAndShiftTabWalkTheRingBothWays) {
    const std::vector<std::size_t> ring{8, 7, 5, 3};
    EXPECT_EQ(nextInRing(ring, 8, true), 7u);
    EXPECT_EQ(nextInRing(ring, 3, true), 8u);
    EXPECT_EQ(nextInRing(ring, 8, false), 3u);
    EXPECT_EQ(nextInRing(ring, 5, false), 7u);
    // From outside the ring (the window itself, a hidden field): the first, or the last.
    EXPECT_EQ(nextInRing(ring, std::nullopt, true), 8u);
    EXPECT_EQ(nextInRing(ring, 4, false), 3u);
    const std::vector<std::size_t> one{8};
    EXPECT_EQ(nextInRing(one, 8, true), 8u);
    EXPECT_EQ(nextInRing(one, 8, false), 8u);
    EXPECT_EQ(nextInRing({}, 8, true), std::nullopt);
}

// An icon file's directory with the images of the program's icon: width, height, colour count
// byte, bit count, in that order; each image is one byte long here.
std::vector<unsigned char> iconFile(const std::vector<std::array<int, 4>>& entries) {
    std::vector<unsigned char> file{0, 0, 1, 0, static_cast<unsigned char>(entries.size()), 0};
    const std::size_t dataStart = 6 + 16 * entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& e = entries[i];
        const std::size_t offset = dataStart + i;
        const unsigned char entry[16] = {static_cast<unsigned char>(e[0]),
                                         static_cast<unsigned char>(e[1]),
                                         static_cast<unsigned char>(e[2]),
                                         0,
                                         1,
                                         0,
                                         static_cast<unsigned char>(e[3]),
                                         0,
                                         1,
                                         0,
                                         0,
                                         0,
                                         static_cast<unsigned char>(offset),
                                         static_cast<unsigned char>(offset >> 8),
                                         0,
                                         0};
        file.insert(file.end(), entry, entry + 16);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        file.push_back(static_cast<unsigned char>(i));
    }
    return file;
}

TEST(FormLayout, IconPicksTheFirst16ColourImageOfTheWidth) {
    // The twelve images of the program's icon: 1-bit 32, then 4-bit 48/32/16, 8-bit 48/32/16,
    // 32-bit 256/128/48/32/16.
    const auto file = iconFile({{32, 32, 2, 1},
                                {48, 48, 16, 4},
                                {32, 32, 16, 4},
                                {16, 16, 16, 4},
                                {48, 48, 0, 8},
                                {32, 32, 0, 8},
                                {16, 16, 0, 8},
                                {0, 0, 0, 32},
                                {128, 128, 0, 32},
                                {48, 48, 0, 32},
                                {32, 32, 0, 32},
                                {16, 16, 0, 32}});
    const auto images = iconImages(file);
    ASSERT_EQ(images.size(), 12u);
    EXPECT_EQ(images[7].width, 256);
    EXPECT_EQ(images[4].colours, 256);
    EXPECT_EQ(images[2].bytes.size(), 1u);
    EXPECT_EQ(images[2].bytes[0], 2);
    EXPECT_EQ(pickIconImage(images, 32), 2u) << "the 1-bit image has too few colours";
    EXPECT_EQ(pickIconImage(images, 16), 3u);
    EXPECT_EQ(pickIconImage(images, 24), 11u) << "no such width: the last image";

    const auto twoColour = iconImages(iconFile({{32, 32, 2, 1}, {48, 48, 0, 32}}));
    EXPECT_EQ(pickIconImage(twoColour, 32), 1u);
    EXPECT_EQ(pickIconImage({}, 32), std::nullopt);
}

TEST(FormLayout, BrokenIconFilesHaveNoImages) {
    auto file = iconFile({{32, 32, 16, 4}, {16, 16, 16, 4}});
    EXPECT_TRUE(iconImages({}).empty());
    EXPECT_TRUE(iconImages(std::span(file).first(5)).empty()) << "short header";
    EXPECT_TRUE(iconImages(std::span(file).first(20)).empty()) << "directory cut short";
    EXPECT_TRUE(iconImages(std::span(file).first(file.size() - 1)).empty())
        << "last image outside the file";
    auto cursor = file;
    cursor[2] = 2;
    EXPECT_TRUE(iconImages(cursor).empty()) << "a cursor file";
    auto huge = file;
    huge[6 + 8 + 3] = 0x80; // image size near 2 GiB
    EXPECT_TRUE(iconImages(huge).empty());
}

} // namespace
} // namespace wavoro::form
