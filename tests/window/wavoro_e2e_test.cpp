// The built program driven as a user would: a copy of wavoro.exe in a directory of its own with
// a netsh.exe that records every command line it is started with. The test finds the window by
// its title, reads the controls by child id, clicks, types, answers message boxes, presses keys,
// and checks what the window shows, the command lines and the exit code.
#include "tests/support/win_check.h"
#include "tests/support/win_support.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace wavoro {
namespace {

using namespace test;

constexpr char title[] = "Wavoro - Tesmin https://tesmin.example/wavoro";

// Child identifiers.
constexpr int footerLabel = 100;
constexpr int bannerPicture = 110;
constexpr int passwordEdit = 120;
constexpr int passwordLabel = 130;
constexpr int nameEdit = 140;
constexpr int nameLabel = 150;
constexpr int wifiButton = 160;
constexpr int createButton = 170;
constexpr int inputGroup = 180;

// Texts the window shows.
const std::string createCaption = "创建无线热点";
const std::string closeCaption = "关闭无线热点";

std::string runDirectory() {
    static const std::string directory = [] {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        std::string d = std::string(temp) + "wavoro-e2e-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(d.c_str(), nullptr);
        const std::string here = programDirectory();
        CopyFileA((here + "\\wavoro.exe").c_str(), (d + "\\wavoro.exe").c_str(), FALSE);
        CopyFileA((here + "\\window_e2e\\netsh.exe").c_str(), (d + "\\netsh.exe").c_str(), FALSE);
#if WAVORO_E2E_SKIN_STUB
        // The build carries no skin engine: a library that dresses nothing stands in for it.
        CopyFileA((here + "\\window_e2e\\jedata.dll").c_str(), (d + "\\jedata.dll").c_str(), FALSE);
#endif
        return d;
    }();
    return directory;
}

// One run of the program.
class Wavoro {
public:
    Wavoro() {
        DeleteFileA(commandLog().c_str());
        std::string command = "\"" + runDirectory() + "\\wavoro.exe\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        // Started from another directory: the program makes its own directory current.
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  "C:\\", &startup, &process_) != FALSE;
        if (started_) {
            waitUntil([this] { return (window_ = findWindow()) != nullptr; }, 30000);
            if (window_ != nullptr) {
                thread_ = GetWindowThreadProcessId(window_, nullptr);
                waitUntil([this] { return focus() != nullptr; }, 3000);
            }
        }
    }
    ~Wavoro() {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    Wavoro(const Wavoro&) = delete;
    Wavoro& operator=(const Wavoro&) = delete;

    [[nodiscard]] HWND window() const { return window_; }
    [[nodiscard]] HWND control(int id) const { return GetDlgItem(window_, id); }

    [[nodiscard]] std::string text(int id) const { return textOf(control(id)); }
    [[nodiscard]] bool visible(int id) const { return IsWindowVisible(control(id)) != FALSE; }
    [[nodiscard]] bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }

    // Typing, as WM_SETTEXT does it.
    void type(int id, const std::string& text) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_ABORTIFHUNG, 5000, &result);
    }

    // A click; the program handles it in its own time (a message box may stay open).
    void click(int id) const { PostMessageA(control(id), BM_CLICK, 0, 0); }

    // Waits until the control shows the text.
    bool waitForText(int id, const std::string& expected, int milliseconds = 5000) const {
        return waitUntil([&] { return text(id) == expected; }, milliseconds);
    }

    // The message box the program shows, if any: its text, after which it is answered with OK.
    std::string answerMessageBox(int milliseconds = 5000) const {
        HWND box = nullptr;
        waitUntil([&] { return (box = findMessageBox()) != nullptr; }, milliseconds);
        if (box == nullptr) {
            return "(no box)";
        }
        char caption[64] = {};
        GetWindowTextA(box, caption, sizeof caption);
        const std::string message = textOf(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        waitUntil([&] { return !IsWindow(box); }, 5000);
        return std::string(caption) + "|" + message;
    }

    [[nodiscard]] HWND focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(thread_, &info)) {
            return nullptr;
        }
        return info.hwndFocus;
    }

    // Exit code once the process has ended, or 259 (still active).
    DWORD waitForExit(int milliseconds = 10000) const {
        WaitForSingleObject(process_.hProcess, static_cast<DWORD>(milliseconds));
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    [[nodiscard]] bool running() const { return window_ != nullptr; }

    static std::string commandLog() { return runDirectory() + "\\netsh-commands.bin"; }

    // The command lines netsh was started with, in order.
    static std::vector<std::string> commands() {
        const auto bytes = readFile(commandLog());
        std::vector<std::string> lines;
        std::string current;
        for (unsigned char b : bytes) {
            if (b == 0) {
                lines.push_back(current);
                current.clear();
            } else {
                current.push_back(static_cast<char>(b));
            }
        }
        return lines;
    }

    static bool waitForCommands(std::size_t count, int milliseconds = 8000) {
        return waitUntil([count] { return commands().size() >= count; }, milliseconds);
    }

private:
    static std::string textOf(HWND hwnd) {
        char buffer[1024] = {};
        DWORD_PTR result = 0;
        SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                            SMTO_ABORTIFHUNG, 5000, &result);
        return buffer;
    }

    struct Search {
        DWORD process;
        const char* cls;
        const char* title;
        HWND found;
    };

    static BOOL CALLBACK matchWindow(HWND hwnd, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid != s->process || !IsWindowVisible(hwnd)) {
            return TRUE;
        }
        char buffer[256] = {};
        if (s->cls != nullptr) {
            GetClassNameA(hwnd, buffer, sizeof buffer);
            if (std::string(buffer) != s->cls) {
                return TRUE;
            }
        }
        if (s->title != nullptr) {
            GetWindowTextA(hwnd, buffer, sizeof buffer);
            if (std::string(buffer) != s->title) {
                return TRUE;
            }
        }
        s->found = hwnd;
        return FALSE;
    }

    HWND findTopLevel(const char* cls, const char* text) const {
        Search search{process_.dwProcessId, cls, text, nullptr};
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    HWND findWindow() const { return findTopLevel(nullptr, title); }
    HWND findMessageBox() const { return findTopLevel("#32770", nullptr); }

    PROCESS_INFORMATION process_{};
    bool started_ = false;
    HWND window_ = nullptr;
    DWORD thread_ = 0;
};

// A press of a key, with the program's window in front.
void key(const Wavoro& app, WORD vk, bool shift = false) {
    SetForegroundWindow(app.window());
    pressKey(vk, shift);
    Sleep(150);
}

ScreenShot shoot(const Wavoro& app) {
    return ScreenShot(screenRect(app.window()));
}

RECT clientArea(const Wavoro& app, RECT r) {
    return clientToScreen(app.window(), r);
}

TEST(Wavoro, WindowAndControlsAsBuilt) {
    Wavoro app;
    ASSERT_TRUE(app.running());
    const RECT outer = screenRect(app.window());
    if (GetSystemMetrics(SM_CXSCREEN) == 1024 && GetSystemMetrics(SM_CYSCREEN) == 768) {
        EXPECT_EQ(outer.left, 287);
        EXPECT_EQ(outer.top, 253);
    }
    EXPECT_EQ(outer.right - outer.left, 450);
    EXPECT_EQ(outer.bottom - outer.top, 262);

    struct Expected {
        int id;
        const char* cls; // nullptr: the program's own class
        RECT place;
        std::string text;
        bool enabled;
    };
    const Expected expected[] = {
        {footerLabel, nullptr, {8, 200, 208, 232}, "Tesmin 出品", false},
        {bannerPicture, nullptr, {0, 0, 450, 104}, "", true},
        {passwordEdit, "Edit", {144, 156, 414, 181}, "", true},
        {passwordLabel, nullptr, {45, 160, 136, 184}, "无线热点密码：", true},
        {nameEdit, "Edit", {143, 123, 413, 148}, "", true},
        {nameLabel, nullptr, {45, 120, 125, 152}, "无线热点名称：", true},
        {wifiButton, "Button", {342, 198, 438, 230}, "启动WIFI", true},
        {createButton, "Button", {232, 198, 336, 230}, createCaption, true},
        {inputGroup, "Button", {6, 104, 438, 192}, "", true},
    };
    for (const Expected& e : expected) {
        HWND hwnd = app.control(e.id);
        ASSERT_NE(hwnd, nullptr) << e.id;
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (e.cls != nullptr) {
            EXPECT_STRCASEEQ(cls, e.cls) << e.id;
        }
        RECT r = screenRect(hwnd);
        MapWindowPoints(nullptr, app.window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, e.place.left) << e.id;
        EXPECT_EQ(r.top, e.place.top) << e.id;
        EXPECT_EQ(r.right, e.place.right) << e.id;
        EXPECT_EQ(r.bottom, e.place.bottom) << e.id;
        EXPECT_EQ(app.text(e.id), e.text) << e.id;
        EXPECT_TRUE(app.visible(e.id)) << e.id;
        EXPECT_EQ(app.enabled(e.id), e.enabled) << e.id;
    }
    // Stacking: the form order, the footer on top (other children, if any, are not ours).
    std::vector<int> stacking;
    for (HWND c = GetWindow(app.window(), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(c);
        if (id >= 100 && id <= 180 && id % 10 == 0) {
            stacking.push_back(id);
        }
    }
    EXPECT_EQ(stacking, (std::vector<int>{100, 110, 120, 130, 140, 150, 160, 170, 180}));
    EXPECT_EQ(app.focus(), app.control(createButton));

    // Black captions to begin with.
    const ScreenShot shot = shoot(app);
    EXPECT_GT(shot.count(clientArea(app, RECT{45, 120, 125, 152}), isDark), 20);
    EXPECT_EQ(shot.count(clientArea(app, RECT{45, 120, 125, 152}), isDarkRed), 0);

    key(app, VK_ESCAPE);
    EXPECT_EQ(app.waitForExit(), 0u);
    EXPECT_TRUE(Wavoro::commands().empty());
}

// Create, start, stop, close, and create again from the hidden fields.
TEST(Wavoro, CreateStartStopAndClose) {
    Wavoro app;
    ASSERT_TRUE(app.running());
    const std::string name = "我的热点~Net~";
    const std::string password = "pass%n`8`";
    app.type(nameEdit, name);
    app.type(passwordEdit, password);
    EXPECT_EQ(app.text(passwordEdit), password) << "the password is shown as typed";

    app.click(createButton);
    ASSERT_TRUE(Wavoro::waitForCommands(1));
    // Tildes become alternating curly quotes, backticks straight quotes, %n a line break.
    const std::string expandedName = "我的热点“Net”";
    const std::string expandedKey = "pass\r\n\"8\"";
    EXPECT_EQ(Wavoro::commands()[0], "netsh wlan set hostednetwork mode=allow ssid=" +
                                         expandedName + "  key=" + expandedKey);
    EXPECT_TRUE(app.waitForText(createButton, closeCaption));
    EXPECT_TRUE(app.waitForText(passwordLabel, "热点密码为：" + expandedKey));
    EXPECT_EQ(app.text(nameLabel), "您已创建" + expandedName + "无线热点");
    EXPECT_FALSE(app.visible(nameEdit));
    EXPECT_FALSE(app.visible(passwordEdit));
    EXPECT_EQ(app.text(wifiButton), "启动WIFI");
    EXPECT_TRUE(app.enabled(wifiButton));
    EXPECT_TRUE(app.enabled(createButton));
    Sleep(200);
    ScreenShot shot = shoot(app);
    EXPECT_GT(shot.count(clientArea(app, RECT{45, 120, 125, 152}), isDarkRed), 20)
        << "status lines in dark red";
    EXPECT_EQ(shot.count(clientArea(app, RECT{45, 120, 125, 152}), isDark), 0);

    app.click(wifiButton);
    EXPECT_TRUE(app.waitForText(wifiButton, "停止"));
    app.click(wifiButton);
    EXPECT_TRUE(app.waitForText(wifiButton, "启动"));
    app.click(wifiButton);
    EXPECT_TRUE(app.waitForText(wifiButton, "停止"));
    ASSERT_TRUE(Wavoro::waitForCommands(4));
    EXPECT_EQ(Wavoro::commands()[1], "netsh wlan start hostednetwork");
    EXPECT_EQ(Wavoro::commands()[2], "netsh wlan stop hostednetwork");
    EXPECT_EQ(Wavoro::commands()[3], "netsh wlan start hostednetwork");

    app.click(createButton);
    ASSERT_TRUE(Wavoro::waitForCommands(5));
    EXPECT_EQ(Wavoro::commands()[4], "netsh wlan set hostednetwork mode=disallow ssid=" +
                                         expandedName + "  key=" + expandedKey);
    EXPECT_TRUE(app.waitForText(createButton, createCaption));
    EXPECT_TRUE(app.waitForText(wifiButton, "停止WIFI"));
    EXPECT_FALSE(app.enabled(wifiButton));
    EXPECT_EQ(app.text(nameLabel), "无线热点已关闭！");
    EXPECT_EQ(app.text(passwordLabel), "  ");
    EXPECT_FALSE(app.visible(nameEdit));

    // Tab and Shift+Tab: only createButton is left in the ring.
    SetForegroundWindow(app.window());
    for (bool shift : {false, true, false}) {
        key(app, VK_TAB, shift);
        EXPECT_EQ(app.focus(), app.control(createButton)) << (shift ? "shift+tab" : "tab");
    }

    // The hidden fields still hold the texts: the next create uses them again.
    app.click(createButton);
    ASSERT_TRUE(Wavoro::waitForCommands(6));
    EXPECT_EQ(Wavoro::commands()[5], Wavoro::commands()[0]);
    EXPECT_TRUE(app.waitForText(wifiButton, "启动WIFI"));
    EXPECT_TRUE(app.enabled(wifiButton));
    EXPECT_FALSE(app.visible(nameEdit));

    key(app, VK_ESCAPE);
    EXPECT_EQ(app.waitForExit(), 0u);
}

// Refusals leave no hotspot behind: no command, createButton still offers creating.
TEST(Wavoro, ShortNameOrPasswordIsRefused) {
    Wavoro app;
    ASSERT_TRUE(app.running());
    const std::string nameMessage = "信息：|名称不长度不能小于8位，请重新输入！";
    const std::string passwordMessage = "信息：|密码长度不能小于8位，请重新输入！";

    // Seven bytes of name (three Chinese characters and a letter), a good password.
    app.type(nameEdit, "无线热a");
    app.type(passwordEdit, "12345678");
    app.click(createButton);
    EXPECT_EQ(app.answerMessageBox(), nameMessage);
    EXPECT_TRUE(app.waitForText(nameEdit, ""));
    EXPECT_EQ(app.text(passwordEdit), "12345678");
    EXPECT_TRUE(app.waitForText(createButton, createCaption));

    // A good name, a short password.
    app.type(nameEdit, "无线热点");
    app.type(passwordEdit, "1234567");
    app.click(createButton);
    EXPECT_EQ(app.answerMessageBox(), passwordMessage);
    EXPECT_TRUE(app.waitForText(passwordEdit, ""));
    EXPECT_EQ(app.text(nameEdit), "无线热点");
    EXPECT_TRUE(app.waitForText(createButton, createCaption));
    EXPECT_TRUE(app.visible(nameEdit));

    // Both short: the name's box, then the password's.
    app.type(nameEdit, "abc");
    app.type(passwordEdit, "x");
    app.click(createButton);
    EXPECT_EQ(app.answerMessageBox(), nameMessage);
    EXPECT_EQ(app.answerMessageBox(), passwordMessage);
    EXPECT_TRUE(app.waitForText(passwordEdit, ""));
    EXPECT_EQ(app.text(nameEdit), "");
    EXPECT_EQ(app.text(nameLabel), "无线热点名称：");
    EXPECT_TRUE(app.enabled(wifiButton));

    Sleep(300);
    EXPECT_TRUE(Wavoro::commands().empty()) << "no command for a refused create";

    // Then a create that is accepted.
    app.type(nameEdit, "无线热点");
    app.type(passwordEdit, "12345678");
    app.click(createButton);
    ASSERT_TRUE(Wavoro::waitForCommands(1));
    EXPECT_EQ(Wavoro::commands()[0],
              "netsh wlan set hostednetwork mode=allow ssid=无线热点  key=12345678");
    EXPECT_TRUE(app.waitForText(createButton, closeCaption));
    PostMessageA(app.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.waitForExit(), 0u);
}

TEST(Wavoro, KeyboardRingAndEscFromAField) {
    Wavoro app;
    ASSERT_TRUE(app.running());
    const HWND create = app.control(createButton);
    const HWND wifi = app.control(wifiButton);
    const HWND name = app.control(nameEdit);
    const HWND password = app.control(passwordEdit);
    EXPECT_EQ(app.focus(), create);
    for (HWND next : {wifi, name, password, create}) {
        key(app, VK_TAB);
        EXPECT_EQ(app.focus(), next);
    }
    for (HWND previous : {password, name, wifi}) {
        key(app, VK_TAB, true);
        EXPECT_EQ(app.focus(), previous);
    }
    // Enter on a field: nothing happens.
    key(app, VK_TAB); // to nameEdit
    EXPECT_EQ(app.focus(), name);
    key(app, VK_RETURN);
    EXPECT_EQ(app.focus(), name);
    EXPECT_EQ(app.text(createButton), createCaption);
    EXPECT_TRUE(Wavoro::commands().empty());

    app.type(nameEdit, "typed but never used");
    key(app, VK_ESCAPE);
    EXPECT_EQ(app.waitForExit(), 0u);
    EXPECT_TRUE(Wavoro::commands().empty());
}

// The window as a user sees it after a long name: the status line wrapped in passwordLabel and
// cut in nameLabel. Saved under build/ to be looked at.
TEST(Wavoro, ScreenshotWithLongStatusLines) {
    Wavoro app;
    ASSERT_TRUE(app.running());
    Sleep(300);
    shoot(app).saveBmp(programDirectory() + "\\..\\wavoro-e2e-start.bmp");
    app.type(nameEdit, "这是一个很长很长的无线热点名称");
    app.type(passwordEdit, "一个同样很长的热点密码12345678");
    app.click(createButton);
    ASSERT_TRUE(app.waitForText(createButton, closeCaption));
    Sleep(400);
    const ScreenShot shot = shoot(app);
    shot.saveBmp(programDirectory() + "\\..\\wavoro-e2e-created.bmp");
    // passwordLabel: two lines from its top; nameLabel: one centred line, cut at its edge.
    EXPECT_GT(shot.count(clientArea(app, RECT{45, 160, 136, 171}), isDarkRed), 20);
    EXPECT_GT(shot.count(clientArea(app, RECT{45, 173, 136, 184}), isDarkRed), 20);
    EXPECT_EQ(shot.count(clientArea(app, RECT{45, 120, 125, 126}), isDarkRed), 0);
    EXPECT_EQ(shot.count(clientArea(app, RECT{125, 120, 143, 152}), isDarkRed), 0);
    key(app, VK_ESCAPE);
    EXPECT_EQ(app.waitForExit(), 0u);
}

} // namespace
} // namespace wavoro

int main(int argc, char** argv) {
    return wavoro::check::runAll(argc, argv);
}
