// The two buttons' procedures, driven through a view that stores the properties and a platform
// that records every call.
#include "hotspot/hotspot_controller.h"
#include "hotspot/text_allocation.h"
#include "tests/hotspot/fakes.h"
#include "tests/support/text_bytes.h"

#include <gtest/gtest.h>

#include <new>

namespace wavoro {
namespace {

using enum HotspotControl;
using test::CallLog;
using test::ControlState;
using test::gbk;
using test::ProcessEnded;
using test::Rig;

const std::string refresh = "refreshWindow " + std::to_string(0x52010001);
const std::string nameMessage = gbk(u8"showMessage 名称不长度不能小于8位，请重新输入！");
const std::string passwordMessage = gbk(u8"showMessage 密码长度不能小于8位，请重新输入！");

using Snapshot = std::map<HotspotControl, ControlState>;

// The controls as MainWindow is loaded.
Snapshot initialControls() {
    return Rig().view.controls;
}

// What an accepted create leaves, for the texts the fields hold.
void applyCreated(Snapshot& controls, const std::string& nameLine, const std::string& keyLine) {
    controls[createButton].caption = gbk(u8"关闭无线热点");
    controls[createButton].disabled = false;
    controls[wifiButton].caption = gbk(u8"启动WIFI");
    controls[wifiButton].disabled = false;
    controls[nameLabel].caption = nameLine;
    controls[nameLabel].textColour = 0x80;
    controls[passwordLabel].caption = keyLine;
    controls[passwordLabel].textColour = 0x80;
    controls[nameEdit].visible = false;
    controls[passwordEdit].visible = false;
}

void applyClosed(Snapshot& controls) {
    controls[createButton].caption = gbk(u8"创建无线热点");
    controls[wifiButton].caption = gbk(u8"停止WIFI");
    controls[wifiButton].disabled = true;
    controls[nameLabel].caption = gbk(u8"无线热点已关闭！");
    controls[nameLabel].textColour = 0x80;
    controls[passwordLabel].caption = "  ";
    controls[passwordLabel].textColour = 0x80;
    controls[nameEdit].visible = false;
    controls[passwordEdit].visible = false;
}

void expectControls(Rig& rig, const Snapshot& expected) {
    for (const auto& [control, state] : expected) {
        SCOPED_TRACE(test::controlName(control));
        const ControlState& actual = rig[control];
        EXPECT_EQ(actual.caption, state.caption);
        EXPECT_EQ(actual.text, state.text);
        EXPECT_EQ(actual.visible, state.visible);
        EXPECT_EQ(actual.disabled, state.disabled);
        EXPECT_EQ(actual.textColour, state.textColour);
    }
}

TEST(CreateButton, AcceptedCreateRunsEveryStepInOrder) {
    Rig rig;
    rig.view.type(nameEdit, "HomeNet8");
    rig.view.type(passwordEdit, "12345678");
    EXPECT_EQ(
        rig.clickCreate(),
        (CallLog{
            gbk(u8"setCaption createButton 关闭无线热点"),
            "runCommandLine netsh wlan set hostednetwork mode=allow ssid=HomeNet8  key=12345678",
            "setVisible nameEdit false",
            "setVisible passwordEdit false",
            "setTextColour nameLabel 128",
            "setTextColour passwordLabel 128",
            gbk(u8"setCaption nameLabel 您已创建HomeNet8无线热点"),
            gbk(u8"setCaption passwordLabel 热点密码为：12345678"),
            "setDisabled wifiButton false",
            gbk(u8"setCaption wifiButton 启动WIFI"),
            "setDisabled createButton false",
            refresh,
        }));
    Snapshot expected = initialControls();
    expected[nameEdit].text = "HomeNet8";
    expected[passwordEdit].text = "12345678";
    applyCreated(expected, gbk(u8"您已创建HomeNet8无线热点"), gbk(u8"热点密码为：12345678"));
    expectControls(rig, expected);
}

TEST(CreateButton, CloseRunsEveryStepInOrderWithoutRefresh) {
    Rig rig;
    rig.view.type(nameEdit, "HomeNet8");
    rig.view.type(passwordEdit, "12345678");
    rig.clickCreate();
    EXPECT_EQ(
        rig.clickCreate(),
        (CallLog{
            gbk(u8"setCaption createButton 创建无线热点"),
            "runCommandLine netsh wlan set hostednetwork mode=disallow ssid=HomeNet8  key=12345678",
            "setVisible nameEdit false",
            "setVisible passwordEdit false",
            "setTextColour nameLabel 128",
            "setTextColour passwordLabel 128",
            gbk(u8"setCaption nameLabel 无线热点已关闭！"),
            "setCaption passwordLabel   ",
            "setDisabled wifiButton true",
            gbk(u8"setCaption wifiButton 停止WIFI"),
        }));
    Snapshot expected = initialControls();
    expected[nameEdit].text = "HomeNet8";
    expected[passwordEdit].text = "12345678";
    applyClosed(expected);
    expectControls(rig, expected);
}

// A refused create shows its messages, empties the short fields and changes nothing else: the
// button keeps offering to create, no command is fired, nothing is repainted.
TEST(CreateButton, RefusalsShowMessagesAndEmptyShortFieldsInOrder) {
    struct Row {
        const char* what;
        std::string name;
        std::string password;
        CallLog calls;
    };
    const Row table[] = {
        {"short name, good password", "Home", "12345678", {nameMessage, "setText nameEdit "}},
        {"short name and password",
         "Home",
         "1234567",
         {nameMessage, "setText nameEdit ", "setText passwordEdit ", passwordMessage}},
        {"fields never typed into",
         "",
         "",
         {nameMessage, "setText nameEdit ", "setText passwordEdit ", passwordMessage}},
        {"good name, short password",
         "HomeNet8",
         "1234567",
         {"setText passwordEdit ", passwordMessage}},
        {"good name, empty password", "HomeNet8", "", {"setText passwordEdit ", passwordMessage}},
        {"seven bytes: three Chinese characters and a letter",
         gbk(u8"一二三a"),
         "12345678",
         {nameMessage, "setText nameEdit "}},
        {"four tildes, although expanded to eight bytes",
         "~~~~",
         "12345678",
         {nameMessage, "setText nameEdit "}},
        {"seven-byte password of Chinese characters and a letter",
         "HomeNet8",
         gbk(u8"密码长a"),
         {"setText passwordEdit ", passwordMessage}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.what);
        Rig rig;
        rig.view.type(nameEdit, row.name);
        rig.view.type(passwordEdit, row.password);
        EXPECT_EQ(rig.clickCreate(), row.calls);

        Snapshot expected = initialControls();
        expected[nameEdit].text = textByteLength(row.name) < 8 ? "" : row.name;
        expected[passwordEdit].text = textByteLength(row.password) < 8 ? "" : row.password;
        expectControls(rig, expected);
        EXPECT_TRUE(rig.platform.commands.empty());
    }
}

TEST(CreateButton, AfterARefusalTheNextClickCreatesAgain) {
    Rig rig;
    rig.view.type(nameEdit, "Home");
    rig.view.type(passwordEdit, "1234");
    rig.clickCreate();
    EXPECT_EQ(rig[createButton].caption, gbk(u8"创建无线热点"));

    rig.view.type(nameEdit, "HomeNet8");
    rig.clickCreate(); // the password is still empty
    EXPECT_EQ(rig[createButton].caption, gbk(u8"创建无线热点"));
    EXPECT_TRUE(rig[nameEdit].visible);

    rig.view.type(passwordEdit, "12345678");
    rig.clickCreate();
    EXPECT_EQ(
        rig.platform.commands,
        (std::vector<Text>{"netsh wlan set hostednetwork mode=allow ssid=HomeNet8  key=12345678"}));
    EXPECT_EQ(rig[createButton].caption, gbk(u8"关闭无线热点"));
}

// Lengths are counted in bytes of the text as typed.
TEST(CreateButton, AcceptsEightBytesAsTyped) {
    struct Row {
        std::string name;
        std::string command;
        std::string nameLine;
    };
    const Row table[] = {
        {"12345678", "netsh wlan set hostednetwork mode=allow ssid=12345678  key=password",
         gbk(u8"您已创建12345678无线热点")},
        {gbk(u8"一二三四"),
         gbk(u8"netsh wlan set hostednetwork mode=allow ssid=一二三四  key=password"),
         gbk(u8"您已创建一二三四无线热点")},
        {"~~~~~~~~", gbk(u8"netsh wlan set hostednetwork mode=allow ssid=“”“”“”“”  key=password"),
         gbk(u8"您已创建“”“”“”“”无线热点")},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        Rig rig;
        rig.view.type(nameEdit, row.name);
        rig.view.type(passwordEdit, "password");
        rig.clickCreate();
        EXPECT_EQ(rig.platform.commands, std::vector<Text>{row.command});
        EXPECT_EQ(rig[nameLabel].caption, row.nameLine);
        EXPECT_EQ(rig[createButton].caption, gbk(u8"关闭无线热点"));
    }
}

// The fields go through the transform and then into the command and status lines byte for byte:
// no trimming, no quoting.
TEST(CreateButton, CommandAndStatusLinesCarryTheExpandedFields) {
    Rig rig;
    rig.view.type(nameEdit, " My Net`s ~AP~ ");
    rig.view.type(passwordEdit, "pa ss%nw%s%s");
    const std::string name = " My Net\"s \xa1\xb0"
                             "AP\xa1\xb1 ";
    const std::string key = "pa ss\r\nw(\xbf\xd5)%s";

    rig.clickCreate();
    ASSERT_EQ(rig.platform.commands.size(), 1u);
    EXPECT_EQ(test::toHex(rig.platform.commands[0]),
              test::toHex("netsh wlan set hostednetwork mode=allow ssid=" + name + "  key=" + key));
    EXPECT_EQ(test::toHex(rig[nameLabel].caption),
              test::toHex(gbk(u8"您已创建") + name + gbk(u8"无线热点")));
    EXPECT_EQ(test::toHex(rig[passwordLabel].caption), test::toHex(gbk(u8"热点密码为：") + key));

    rig.clickCreate();
    ASSERT_EQ(rig.platform.commands.size(), 2u);
    EXPECT_EQ(
        test::toHex(rig.platform.commands[1]),
        test::toHex("netsh wlan set hostednetwork mode=disallow ssid=" + name + "  key=" + key));
}

// A command that cannot be started changes nothing: its result is never looked at.
TEST(CreateButton, IgnoresCommandsThatDoNotStart) {
    Rig rig;
    rig.platform.commandsStart = false;
    rig.view.type(nameEdit, "HomeNet8");
    rig.view.type(passwordEdit, "12345678");
    rig.clickCreate();
    EXPECT_EQ(rig[createButton].caption, gbk(u8"关闭无线热点"));
    rig.clickCreate();
    EXPECT_EQ(rig[createButton].caption, gbk(u8"创建无线热点"));
    EXPECT_EQ(rig.platform.commands.size(), 2u);
}

// Only the exact caption 关闭无线热点 closes; anything else creates.
TEST(CreateButton, OnlyTheExactCloseCaptionCloses) {
    for (const std::string& caption :
         {gbk(u8"关闭无线热点 "), std::string(), gbk(u8"关闭"), gbk(u8"创建无线热点")}) {
        SCOPED_TRACE(caption);
        Rig rig;
        rig[createButton].caption = caption;
        rig.view.type(nameEdit, "HomeNet8");
        rig.view.type(passwordEdit, "12345678");
        rig.clickCreate();
        EXPECT_EQ(rig.platform.commands,
                  std::vector<Text>{
                      "netsh wlan set hostednetwork mode=allow ssid=HomeNet8  key=12345678"});
    }
}

// Initial -> Rejected -> Created -> Closed -> Created -> Closed, with what every control shows.
TEST(CreateButton, WalksThroughTheStates) {
    Rig rig;
    Snapshot expected = initialControls();
    expectControls(rig, expected);

    rig.view.type(nameEdit, "Cafe");
    rig.view.type(passwordEdit, "secret");
    rig.clickCreate(); // Rejected
    expected[nameEdit].text = "";
    expected[passwordEdit].text = "";
    expectControls(rig, expected);

    rig.view.type(nameEdit, gbk(u8"我的热点"));
    rig.view.type(passwordEdit, "12345678");
    rig.clickCreate(); // Created
    expected[nameEdit].text = gbk(u8"我的热点");
    expected[passwordEdit].text = "12345678";
    applyCreated(expected, gbk(u8"您已创建我的热点无线热点"), gbk(u8"热点密码为：12345678"));
    expectControls(rig, expected);

    rig.clickWifi(); // started
    expected[wifiButton].caption = gbk(u8"停止");
    expectControls(rig, expected);

    rig.clickCreate(); // Closed
    applyClosed(expected);
    expectControls(rig, expected);

    // The hidden fields still hold the accepted texts; create again reuses them, the boxes stay
    // hidden and wifiButton starts over from 启动WIFI.
    const CallLog calls = rig.clickCreate();
    applyCreated(expected, gbk(u8"您已创建我的热点无线热点"), gbk(u8"热点密码为：12345678"));
    expectControls(rig, expected);
    EXPECT_EQ(calls.back(), refresh);

    rig.clickWifi();
    EXPECT_EQ(rig.platform.commands.back(), "netsh wlan start hostednetwork");

    rig.clickCreate(); // Closed again
    applyClosed(expected);
    expected[wifiButton].caption = gbk(u8"停止WIFI");
    expectControls(rig, expected);

    EXPECT_EQ(rig.platform.commands,
              (std::vector<Text>{
                  gbk(u8"netsh wlan set hostednetwork mode=allow ssid=我的热点  key=12345678"),
                  "netsh wlan start hostednetwork",
                  gbk(u8"netsh wlan set hostednetwork mode=disallow ssid=我的热点  key=12345678"),
                  gbk(u8"netsh wlan set hostednetwork mode=allow ssid=我的热点  key=12345678"),
                  "netsh wlan start hostednetwork",
                  gbk(u8"netsh wlan set hostednetwork mode=disallow ssid=我的热点  key=12345678"),
              }));
}

TEST(WifiButton, CaptionChoosesStartOrStop) {
    struct Row {
        std::string before;
        std::string after;
        std::string command;
    };
    const Row table[] = {
        {gbk(u8"停止"), gbk(u8"启动"), "netsh wlan stop hostednetwork"},
        {gbk(u8"启动WIFI"), gbk(u8"停止"), "netsh wlan start hostednetwork"},
        {gbk(u8"启动"), gbk(u8"停止"), "netsh wlan start hostednetwork"},
        {gbk(u8"停止WIFI"), gbk(u8"停止"), "netsh wlan start hostednetwork"},
        {gbk(u8"停止 "), gbk(u8"停止"), "netsh wlan start hostednetwork"},
        {"", gbk(u8"停止"), "netsh wlan start hostednetwork"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.before);
        Rig rig;
        rig[wifiButton].caption = row.before;
        Snapshot expected = rig.view.controls;
        expected[wifiButton].caption = row.after;
        // The caption is written before the command is fired; nothing is repainted.
        EXPECT_EQ(rig.clickWifi(),
                  (CallLog{"setCaption wifiButton " + row.after, "runCommandLine " + row.command}));
        expectControls(rig, expected);
    }
}

TEST(WifiButton, AlternatesStartAndStop) {
    Rig rig;
    rig.clickWifi();
    EXPECT_EQ(rig[wifiButton].caption, gbk(u8"停止"));
    rig.clickWifi();
    EXPECT_EQ(rig[wifiButton].caption, gbk(u8"启动"));
    rig.clickWifi();
    EXPECT_EQ(rig[wifiButton].caption, gbk(u8"停止"));
    EXPECT_EQ(rig.platform.commands,
              (std::vector<Text>{"netsh wlan start hostednetwork", "netsh wlan stop hostednetwork",
                                 "netsh wlan start hostednetwork"}));
    EXPECT_EQ(rig[createButton].caption, gbk(u8"创建无线热点"));
}

// Exhausted memory ends the program through the runtime error, with the size of the block that
// could not be had, and nothing after the failed step happens.
TEST(Controller, ReportsExhaustedMemoryAsRuntimeError) {
    Rig rig;
    rig.view.type(nameEdit, "HomeNet8");
    rig.view.type(passwordEdit, "12345678");
    // The expanded fields (9-byte blocks) can be had, the 68-byte command cannot.
    const ScopedTextAllocationFailure outOfMemory(60);
    try {
        rig.clickCreate();
        ADD_FAILURE() << "the click went on without memory";
    } catch (const ProcessEnded& ended) {
        EXPECT_EQ(ended.code, 0);
        EXPECT_EQ(ended.message, gbk(u8"分配 68 字节内存失败!"));
    }
    EXPECT_EQ(rig.log, (CallLog{gbk(u8"setCaption createButton 关闭无线热点"),
                                gbk(u8"reportRuntimeError 0 分配 68 字节内存失败!")}));
}

// Nothing thrown inside a procedure may leave it: a view that runs out of memory while copying
// a text ends the program the same way.
TEST(Controller, ReportsExhaustedMemoryInTheView) {
    struct FailingView : test::FakeView {
        using FakeView::FakeView;
        Text getText(HotspotControl) override { throw std::bad_alloc(); }
    };
    CallLog log;
    FailingView view(log);
    test::RecordingPlatform platform(log);
    HotspotController controller(view, platform);
    EXPECT_THROW(controller.onCreateButtonClick(), ProcessEnded);
    EXPECT_EQ(log, CallLog{gbk(u8"reportRuntimeError 0 分配 0 字节内存失败!")});
}

} // namespace
} // namespace wavoro
